#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quenlow developers
"""Runs every scenario in English and in another language and fails on any
window text that stayed English in the other language's run.

    check_language.py --driver QUENLOW_SCRIPT --html-dir DIR --catalogue quenlow_de.ts
                      [--locale de_DE.UTF-8] SCRIPT...

Each script runs twice on a fresh program folder (as run_scenario.py lays it
out), the driver writing every text its windows show (--shown-texts). A text
of the translated run is English when

- it is the source of a catalogue entry whose translation is missing or
  another text (a text not passed through the catalogue, or under the wrong
  context), or
- the same control showed the same text in the English run (a text never
  marked for translation),

unless the catalogue translates some text to it, it has no word in it, or it
is the person's own (found in the script or its setup files: form names,
questions, answers).
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from run_scenario import DRIVER_TIMEOUT, directives, lay_out_program_folder  # noqa: E402

# The program's name, and names of files and formats, read the same in every language.
SAME_EVERYWHERE = re.compile(r"Quenlow|HTTPS?|CSV|APP/\S*|\S+\.(html|txt|mdb|docx?|bmp|png|jpg|gif|csv|xlsx)\b")


def read_catalogue(path):
    """The sources shown untranslated would be wrong for, and every translation."""
    untranslated, translations = set(), set()
    for message in ElementTree.parse(path).getroot().iter("message"):
        source = message.findtext("source") or ""
        translation = message.find("translation")
        text = translation.text if translation is not None and translation.text else ""
        finished = translation is not None and translation.get("type") not in ("unfinished", "vanished",
                                                                              "obsolete")
        if finished and text:
            translations.add(text)
        if not finished or not text or text != source:
            untranslated.add(source)
    return untranslated - translations, translations


def shown_texts(driver, script, html_dir, locale, work):
    """place -> texts the windows showed when the script ran under `locale`."""
    found = directives(script.read_text(encoding="utf-8"))
    setups = {value for key, value in found if key == "setup"}
    work.mkdir(parents=True)
    app = work / "app"
    if "new-folder" not in setups:
        lay_out_program_folder(app, html_dir, "no-database" not in setups, Path(str(script)[:-7] + ".setup"))
    texts_file = work / "texts.txt"
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", QTWEBENGINE_DISABLE_SANDBOX="1",
               XDG_CONFIG_HOME=str(work / "config"), LANG=locale, LC_ALL=locale,
               LANGUAGE=locale.split(".")[0], TZ="UTC")
    options = ["--real-view"] if "real-view" in setups else []
    subprocess.run([driver, *options, "--app-folder", str(app), "--shown-texts", str(texts_file), str(script)],
                   cwd=work, env=env, capture_output=True, timeout=DRIVER_TIMEOUT)
    shown = {}
    if texts_file.exists():
        for line in texts_file.read_text(encoding="utf-8").splitlines():
            place, _, text = line.partition("\t")
            shown.setdefault(place, set()).add(text)
    return shown


def persons_own(script):
    """What the person typed or brought along: the script and its setup files."""
    own = script.read_text(encoding="utf-8")
    setup = Path(str(script)[:-7] + ".setup")
    if setup.is_dir():
        for item in setup.rglob("*"):
            if item.is_file():
                own += "\n" + item.read_bytes().decode("utf-8", errors="ignore")
    return own


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--driver", required=True)
    parser.add_argument("--html-dir", required=True)
    parser.add_argument("--catalogue", required=True)
    parser.add_argument("--locale", default="de_DE.UTF-8")
    parser.add_argument("scripts", nargs="+")
    args = parser.parse_args()

    untranslated, translations = read_catalogue(args.catalogue)
    english = []
    for script in sorted(Path(s).resolve() for s in args.scripts):
        with tempfile.TemporaryDirectory(prefix="quenlow-language-") as work:
            base = shown_texts(args.driver, script, Path(args.html_dir), "en_US.UTF-8", Path(work) / "en")
            other = shown_texts(args.driver, script, Path(args.html_dir), args.locale, Path(work) / "other")
        own = persons_own(script)
        # The folders the file lists show are the machine's.
        folders = set(Path(work).parts) | {"app", "en", "other", "HTML", "Collections", "Reports"}
        for place, texts in sorted(other.items()):
            for text in sorted(texts):
                words = SAME_EVERYWHERE.sub("", text)
                if text in translations or text in folders or text in own or not re.search(r"[A-Za-z]{2}", words):
                    continue
                if text in untranslated or text in base.get(place, set()):
                    english.append("%s: %s \"%s\"" % (script.stem, place, text))
    for line in english:
        print(line)
    print("%d English text(s) in the %s run" % (len(english), args.locale))
    return 1 if english else 0


if __name__ == "__main__":
    sys.exit(main())
