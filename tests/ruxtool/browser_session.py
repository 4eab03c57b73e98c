"""Headless Chromium from Debian's packages, driven through chromedriver's WebDriver protocol with
Python's standard library alone: a page opened, scripts run in it, its console read, pictures taken.
"""

import base64
import json
import os
import socket
import subprocess
import time
import urllib.error
import urllib.request

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
# Chromium reaches for Google's services at every start: refused on a closed network, many at a time.
QUIET_FLAGS = ["--headless=new", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
               "--disable-component-update", "--disable-sync", "--mute-audio"]


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Browser:
    """A chromedriver and one Chromium session, spoken to in WebDriver's JSON over HTTP."""

    def __init__(self, language, profile):
        self.port = free_port()
        self.driver = subprocess.Popen([CHROMEDRIVER, "--port=%d" % self.port], stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
        for _ in range(100):
            try:
                if self.call("GET", "/status")["value"]["ready"]:
                    break
            except (urllib.error.URLError, ConnectionError):
                time.sleep(0.1)
        args = QUIET_FLAGS + ["--user-data-dir=" + profile, "--lang=" + language, "--window-size=1280,2400"]
        if os.geteuid() == 0:
            args.append("--no-sandbox")
        capabilities = {"browserName": "chrome", "goog:loggingPrefs": {"browser": "ALL"},
                        "goog:chromeOptions": {"binary": CHROMIUM, "args": args,
                                               "prefs": {"intl.accept_languages": language}}}
        session = self.call("POST", "/session", {"capabilities": {"alwaysMatch": capabilities}})
        self.session = "/session/" + session["value"]["sessionId"]

    def call(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request("http://127.0.0.1:%d%s" % (self.port, path), data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        with urllib.request.urlopen(request, timeout=120) as response:
            return json.loads(response.read())

    def open(self, url):
        self.call("POST", self.session + "/url", {"url": url})

    def run(self, script):
        return self.call("POST", self.session + "/execute/async", {"script": script, "args": []})["value"]

    def console_errors(self):
        entries = self.call("POST", self.session + "/se/log", {"type": "browser"})["value"]
        return [entry["message"] for entry in entries if entry["level"] == "SEVERE"]

    def screenshot(self, path):
        with open(path, "wb") as file:
            file.write(base64.b64decode(self.call("GET", self.session + "/screenshot")["value"]))

    def close(self):
        try:
            self.call("DELETE", self.session)
        finally:
            self.driver.terminate()
            self.driver.wait()
