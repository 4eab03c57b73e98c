#!/usr/bin/env python3
"""The soundtrack's report page in a real browser: ruxtool.exe makes a small folder and its report
under Wine, and headless Chromium, driven through chromedriver's WebDriver protocol, opens the page
from the disk in Japanese and in English: no console error, every player's sound loads and lasts as
long as it should, every picture is drawn, and the frames shown are the streams' own.

Usage: report_page_test.py WINE_RUN RUXTOOL_EXE SCREENSHOT_FOLDER
"""

import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import wave

from browser_session import CHROMEDRIVER, CHROMIUM, Browser

SONG = "bgm/曲 & 'theme'"
EXCERPT_SECONDS = 4


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def write_wav(path, channels, rate, frames, loop=None):
    """A 16-bit WAV file of chords that change every half second; loop (start, end) goes into a smpl chunk."""
    samples = bytearray()
    for frame in range(frames):
        beat = frame * 2 // rate
        value = sum(math.sin(2 * math.pi * (220 + 55 * ((beat + k) % 5)) * (k + 1) * frame / rate) for k in range(3))
        value *= 0.15 * math.exp(-3 * (frame % (rate // 2)) / rate)
        samples += struct.pack("<h", int(32767 * value)) * channels
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with wave.open(path, "wb") as file:
        file.setnchannels(channels)
        file.setsampwidth(2)
        file.setframerate(rate)
        file.writeframes(bytes(samples))
    if loop:
        # smpl: one forward loop, its end field the loop's last frame.
        fields = [0, 0, 1000000000 // rate, 60, 0, 0, 0, 1, 0, 0, 0, loop[0], loop[1] - 1, 0, 0]
        chunk = b"smpl" + struct.pack("<I", 60) + struct.pack("<15I", *fields)
        with open(path, "r+b") as file:
            data = file.read()
            data = data[:4] + struct.pack("<I", len(data) - 8 + len(chunk)) + data[8:] + chunk
            file.seek(0)
            file.write(data)


def ogg_frames_and_rate(path):
    """The frames a made stream plays (its last granule position) and its rate (its identification header)."""
    with open(path, "rb") as file:
        data = file.read()
    last = data.rfind(b"OggS")
    frames = struct.unpack("<q", data[last + 6:last + 14])[0]
    header = data.find(b"\x01vorbis")
    rate = struct.unpack("<I", data[header + 12:header + 16])[0]
    return frames, rate


def run(wine_run, *arguments):
    result = subprocess.run([wine_run, *arguments], capture_output=True, timeout=600)
    output = (result.stdout + result.stderr).decode("cp932", "replace")
    return result.returncode, output


# Waits for every player's sound to load, or fail, and reads the page back.
READ_PAGE = """
const done = arguments[arguments.length - 1];
const players = [...document.querySelectorAll("audio")];
Promise.all(players.map(audio => audio.readyState >= 1 || audio.error ? null : new Promise(loaded => {
  audio.addEventListener("loadedmetadata", loaded);
  audio.addEventListener("error", loaded);
}))).then(() => done({
  language: document.documentElement.lang,
  title: document.title,
  totals: document.getElementById("totals").textContent,
  pictures: [...document.images].map(image => ({src: image.src, drawn: image.complete && image.naturalWidth > 0})),
  streams: [...document.querySelectorAll("article.stream")].map(card => ({
    name: card.dataset.name,
    failed: card.classList.contains("failed"),
    text: card.textContent,
    frames: Object.fromEntries([...card.querySelectorAll("[data-fact]")].map(fact => [fact.dataset.fact, fact.textContent])),
    players: [...card.querySelectorAll("audio")].map(audio => ({duration: audio.duration, error: !!audio.error})),
  })),
}));
"""


def expected_streams(made):
    """Each stream's frames, loop start and rate, from the streams themselves."""
    streams = {}
    for folder, _, names in os.walk(made):
        for name in names:
            relative = os.path.relpath(os.path.join(folder, name), made)
            if name.endswith(".intro.ogg"):
                base = relative[:-len(".intro.ogg")]
                intro, rate = ogg_frames_and_rate(os.path.join(made, relative))
                loop, _ = ogg_frames_and_rate(os.path.join(made, base + ".loop.ogg"))
                streams[base] = (intro, loop, rate)
            elif not name.endswith(".loop.ogg") and name != "broken.ogg":
                frames, rate = ogg_frames_and_rate(os.path.join(made, relative))
                streams[relative[:-len(".ogg")]] = (0, frames, rate)
    return streams


def check_page(page, streams, failures):
    """What the page shows against the streams; returns the problems found."""
    problems = []
    names = {stream["name"] for stream in page["streams"]}
    if names != set(streams) | {"broken"}:
        problems.append("the page lists %s, not %s" % (sorted(names), sorted(set(streams) | {"broken"})))
    problems += ["picture not drawn: " + picture["src"] for picture in page["pictures"] if not picture["drawn"]]
    for shown in page["streams"]:
        if shown["name"] == "broken":
            if not shown["failed"] or failures not in shown["text"]:
                problems.append("the broken stream is not listed as failed with its reason: " + shown["text"])
            continue
        intro, loop, rate = streams[shown["name"]]
        facts = {"length": intro + loop}
        if intro:
            facts.update({"loop-start": intro, "loop-end": intro + loop})
        if shown["frames"] != {fact: str(frames) for fact, frames in facts.items()}:
            problems.append("%s shows the frames %s, not %s" % (shown["name"], shown["frames"], facts))
        reach = EXCERPT_SECONDS * rate
        lengths = [min(reach, intro + loop) + min(reach, loop)] + ([min(reach, intro) + min(reach, loop)] if intro else [])
        played = [player["duration"] for player in shown["players"]]
        if any(player["error"] for player in shown["players"]) or len(played) != len(lengths) or any(
                abs(duration - frames / rate) > 0.001 for duration, frames in zip(played, lengths)):
            problems.append("%s's players last %s s, not %s" % (shown["name"], played, [f / rate for f in lengths]))
    return problems


def main(wine_run, ruxtool, screenshots):
    work = tempfile.mkdtemp(prefix="report_page_test-", dir=os.path.dirname(os.path.abspath(screenshots)))
    source, made = os.path.join(work, "source"), os.path.join(work, "made")
    # An introduction of 1 s and a loop of 4.5 s: the players reach 4 s into the loop, and back into the
    # introduction.
    write_wav(os.path.join(source, SONG + ".wav"), 2, 44100, 44100 * 11 // 2, (44100, 44100 * 11 // 2))
    write_wav(os.path.join(source, "se/beep.wav"), 1, 22050, 22050)
    problems = []
    code, output = run(wine_run, ruxtool, "make", "--report", windows_path(work + "/made-report"),
                       windows_path(source), windows_path(made))
    if code != 0:
        problems.append("make --report exited with %d:\n%s" % (code, output))
    code, output = run(wine_run, ruxtool, "report", windows_path(made), windows_path(made + "/report"))
    if code != 2 or "ships with the game" not in output:
        problems.append("a report folder in the streams' folder is not refused (%d):\n%s" % (code, output))
    with open(os.path.join(made, "broken.ogg"), "wb") as file:
        file.write(b"OggS, and nothing that plays")
    code, output = run(wine_run, ruxtool, "report", windows_path(made), windows_path(work + "/report"))
    if code != 1 or "broken: failed: rux2.dll cannot read" not in output:
        problems.append("report with a broken stream exited with %d:\n%s" % (code, output))
    streams = expected_streams(made)
    url = "file://" + work + "/report/index.html"
    for language, title, picture in (("ja", "サウンドトラック レポート", "report-ja.png"),
                                     ("en-US", "Soundtrack report", "report.png")):
        browser = Browser(language, os.path.join(work, "profile-" + language))
        try:
            browser.open(url)
            page = browser.run(READ_PAGE)
            problems += ["%s: console: %s" % (language, error) for error in browser.console_errors()]
            if page["language"] != language[:2] or page["title"] != title:
                problems.append("%s: the page is in %s, titled %s" % (language, page["language"], page["title"]))
            problems += ["%s: %s" % (language, problem)
                         for problem in check_page(page, streams, "rux2.dll cannot read")]
            os.makedirs(screenshots, exist_ok=True)
            browser.screenshot(os.path.join(screenshots, picture))
        finally:
            browser.close()
    for problem in problems:
        print(problem)
    if not problems:
        shutil.rmtree(work)
        print("the report page of %d streams shows them as they play, in Japanese and in English" % len(streams))
    return 1 if problems else 0


if __name__ == "__main__":
    if not (os.access(CHROMIUM, os.X_OK) and os.access(CHROMEDRIVER, os.X_OK)):
        print("no %s or %s: tools/setup installs Debian's chromium and chromium-driver" % (CHROMIUM, CHROMEDRIVER))
        sys.exit(1)
    sys.exit(main(*sys.argv[1:]))
