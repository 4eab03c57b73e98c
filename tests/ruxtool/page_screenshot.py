#!/usr/bin/env python3
"""A picture of a page as headless Chromium draws it from the disk, as tall as the page, for the README.

Usage: page_screenshot.py PAGE PNG [LANGUAGE]
"""

import os
import shutil
import sys
import tempfile

from browser_session import Browser

# Waits until every picture is drawn, then says how tall the page is.
PAGE_HEIGHT = """
const done = arguments[arguments.length - 1];
Promise.all([...document.images].map(image => image.complete ? null : new Promise(drawn => image.onload = drawn)))
  .then(() => done(document.documentElement.scrollHeight));
"""


def main(page, picture, language="en-US"):
    profile = tempfile.mkdtemp(prefix="page_screenshot-")
    try:
        browser = Browser(language, profile)
        try:
            browser.open("file://" + os.path.abspath(page))
            height = browser.run(PAGE_HEIGHT)
            browser.call("POST", browser.session + "/window/rect", {"width": 1280, "height": height})
            browser.screenshot(picture)
        finally:
            browser.close()
    finally:
        shutil.rmtree(profile, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
