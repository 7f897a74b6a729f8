#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Quenlow developers
"""Runs one end-to-end scenario and compares what it produced.

    run_scenario.py --driver QUENLOW_SCRIPT [--server QUENLOW_SERVER] --html-dir DIR NAME.script

A fresh program folder is laid out in a temporary directory (HTML/ with the
shipped help page and backgrounds, Collections/, Reports/, an empty answers
database), NAME.setup/ is copied over it, the script runs in quenlow-script (in English,
whatever the machine's language, unless a "# locale: NAME" line names
another; in UTC, unless a "# timezone: ZONE" line names another), and then:

- the transcript (standard output, the "error ..." lines of standard error,
  "exit N" when the exit status is not 0, then the results of the "# query:",
  "# list:" and "# fetch:" directives) must equal NAME.expected;
- every file under NAME.files/ must equal, byte for byte, the file of the same
  relative path in the program folder, the folder's own path in it written APP.

A mismatch prints a unified diff and fails. With QUENLOW_UPDATE_SCENARIOS=1 the
transcript is written to NAME.expected, and the files kept under NAME.files/ are
written from the program folder, instead (check them before committing).
See docs/scenarios.md.
"""

import argparse
import difflib
import html.parser
import os
import re
import shutil
import sqlite3
import subprocess
import sys
import tempfile
import urllib.error
import urllib.request
from pathlib import Path

DRIVER_TIMEOUT = 150  # seconds; a hung run fails instead of stalling CTest


def directives(script_text):
    """The "# setup:", "# query:", "# list:", "# locale:", "# timezone:" and "# fetch:" lines of a script, in order."""
    found = []
    for line in script_text.splitlines():
        stripped = line.strip()
        if not stripped.startswith("#"):
            continue
        body = stripped[1:].strip()
        for key in ("setup", "query", "list", "locale", "timezone", "fetch"):
            if body.startswith(key + ":"):
                found.append((key, body[len(key) + 1:].strip()))
    return found


def lay_out_program_folder(app, html_dir, with_database, setup_dir):
    for sub in ("HTML", "Collections", "Reports"):
        (app / sub).mkdir(parents=True, exist_ok=True)
    if html_dir.is_dir():
        for item in sorted(html_dir.iterdir()):
            if item.is_file():
                shutil.copyfile(item, app / "HTML" / item.name)
    database = app / "formAnswers.mdb"
    if with_database:
        connection = sqlite3.connect(database)
        connection.execute("PRAGMA journal_mode=WAL")
        connection.commit()
        connection.close()
    if setup_dir.is_dir():
        sql_files = []
        for item in sorted(setup_dir.rglob("*")):
            relative = item.relative_to(setup_dir)
            if item.is_dir():
                (app / relative).mkdir(parents=True, exist_ok=True)
            elif item.suffix == ".sql":
                sql_files.append(item)
            else:
                (app / relative).parent.mkdir(parents=True, exist_ok=True)
                shutil.copyfile(item, app / relative)
        for sql in sql_files:
            connection = sqlite3.connect(database)
            connection.executescript(sql.read_text(encoding="utf-8"))
            connection.commit()
            connection.close()


def query_lines(app, sql):
    lines = ["query " + sql]
    database = app / "formAnswers.mdb"
    if not database.exists():
        return lines + ["  (no answers database)"]
    connection = sqlite3.connect(database)
    try:
        for row in connection.execute(sql):
            lines.append("  " + " | ".join("NULL" if value is None else str(value) for value in row))
    except sqlite3.Error as error:
        lines.append("  (error: %s)" % error)
    finally:
        connection.close()
    return lines


def list_lines(app, folder):
    lines = ["list " + folder]
    path = app / folder
    if not path.is_dir():
        return lines + ["  (no folder)"]
    return lines + ["  " + entry.name for entry in sorted(path.iterdir(), key=lambda e: e.name)]


class PageText(html.parser.HTMLParser):
    """What a person reads on a page: its language, its texts and the texts of its buttons and options."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.lines = []
        self.hidden = 0

    def handle_starttag(self, tag, attrs):
        attributes = dict(attrs)
        if tag == "html":
            self.lines.append("  lang=%s" % attributes.get("lang"))
        elif tag in ("script", "style", "title"):
            self.hidden += 1
        for name, value in attrs:
            if name.startswith("data-") or name == "placeholder" or (
                    name == "value" and attributes.get("type") == "submit"):
                self.lines.append("  %s=%s" % (name, value))

    def handle_endtag(self, tag):
        if tag in ("script", "style", "title") and self.hidden:
            self.hidden -= 1

    def handle_data(self, data):
        text = " ".join(data.split())
        if text and not self.hidden:
            self.lines.append("  " + text)


def fetch_lines(server, app, path):
    """The page the collection service sends for PATH, as PageText reads it."""
    lines = ["fetch " + path]
    if not server:
        return lines + ["  (no --server given)"]
    process = subprocess.Popen([server, "--app-folder", str(app), "--listen", "127.0.0.1:0"],
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    try:
        address = None
        for _ in range(20):
            said = process.stdout.readline()
            found = re.search(r"at (https?://[0-9.:]+)", said)
            if found or not said:
                address = found.group(1) if found else None
                break
        if not address:
            return lines + ["  (the service did not start)"]
        try:
            with urllib.request.urlopen(address + path, timeout=20) as response:
                status, body = response.status, response.read()
        except urllib.error.HTTPError as error:
            status, body = error.code, error.read()
        reader = PageText()
        reader.feed(body.decode("utf-8", errors="replace"))
        return lines + ["  status %d" % status] + reader.lines
    finally:
        process.terminate()
        try:
            process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def visible(data):
    """File bytes as diffable lines with their line ends shown."""
    text = data.decode("cp1252", errors="backslashreplace")
    return [line.replace("\r", "\\r").replace("\n", "\\n") for line in text.splitlines(keepends=True)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--driver", required=True)
    parser.add_argument("--server")
    parser.add_argument("--html-dir", required=True)
    parser.add_argument("script")
    args = parser.parse_args()

    script = Path(args.script).resolve()
    base = str(script)[: -len(script.suffix)] if script.suffix else str(script)
    expected_path = Path(base + ".expected")
    files_dir = Path(base + ".files")
    setup_dir = Path(base + ".setup")
    found = directives(script.read_text(encoding="utf-8"))
    setups = {value for key, value in found if key == "setup"}
    unknown = setups - {"no-database", "new-folder", "real-view"}
    if unknown:
        print("unknown setup directive(s): %s" % ", ".join(sorted(unknown)))
        return 1

    work = Path(tempfile.mkdtemp(prefix="quenlow-scenario-"))
    app = work / "app"
    failed = False
    try:
        # A new folder is left to the program to lay out: nothing exists yet.
        if "new-folder" not in setups:
            lay_out_program_folder(app, Path(args.html_dir), "no-database" not in setups, setup_dir)
        options = ["--real-view"] if "real-view" in setups else []
        # The program's settings are the scenario's own: nothing of the person's, nothing of another scenario's.
        # The language too: the transcripts hold the windows' texts.
        locale = next((value for key, value in found if key == "locale"), "en_US.UTF-8")
        # And the clock's zone: times the designer types are kept in UTC.
        zone = next((value for key, value in found if key == "timezone"), "UTC")
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", QTWEBENGINE_DISABLE_SANDBOX="1",
                   XDG_CONFIG_HOME=str(work / "config"), LANG=locale, LC_ALL=locale,
                   LANGUAGE=locale.split(".")[0], TZ=zone)
        try:
            result = subprocess.run([args.driver, *options, "--app-folder", str(app), str(script)], cwd=work,
                                    env=env, capture_output=True, timeout=DRIVER_TIMEOUT)
            stdout = result.stdout.decode("utf-8", errors="backslashreplace")
            stderr = result.stderr.decode("utf-8", errors="backslashreplace")
            code = result.returncode
        except subprocess.TimeoutExpired as timeout:
            stdout = (timeout.stdout or b"").decode("utf-8", errors="backslashreplace")
            stderr = (timeout.stderr or b"").decode("utf-8", errors="backslashreplace")
            code = "timeout"

        actual = stdout.splitlines()
        actual += [line for line in stderr.splitlines() if line.startswith("error ")]
        if code != 0:
            actual.append("exit %s" % code)
        for key, value in found:
            if key == "query":
                actual += query_lines(app, value)
            elif key == "list":
                actual += list_lines(app, value)
            elif key == "fetch":
                actual += fetch_lines(args.server, app, value)

        if os.environ.get("QUENLOW_UPDATE_SCENARIOS") == "1":
            expected_path.write_text("\n".join(actual) + "\n", encoding="utf-8")
            print("updated %s" % expected_path.name)
        else:
            expected = expected_path.read_text(encoding="utf-8").splitlines() if expected_path.exists() else []
            if actual != expected:
                failed = True
                print("transcript differs from %s:" % expected_path.name)
                sys.stdout.writelines(line + "\n" for line in difflib.unified_diff(
                    expected, actual, "expected", "actual", lineterm=""))

        if files_dir.is_dir():
            for wanted in sorted(p for p in files_dir.rglob("*") if p.is_file()):
                relative = wanted.relative_to(files_dir)
                produced = app / relative
                if not produced.is_file():
                    failed = True
                    print("missing file %s" % relative)
                    continue
                # The folder's path differs from run to run: compared as APP.
                produced_bytes = produced.read_bytes().replace(str(app).encode(), b"APP")
                if os.environ.get("QUENLOW_UPDATE_SCENARIOS") == "1":
                    # The files a scenario keeps are chosen by hand; their bytes follow the program.
                    if produced_bytes != wanted.read_bytes():
                        wanted.write_bytes(produced_bytes)
                        print("updated %s" % relative)
                elif produced_bytes != wanted.read_bytes():
                    failed = True
                    print("file %s differs:" % relative)
                    sys.stdout.writelines(line + "\n" for line in difflib.unified_diff(
                        visible(wanted.read_bytes()), visible(produced_bytes),
                        "expected", "actual", lineterm=""))

        if failed:
            # The driver's own warnings help to tell why.
            print("--- standard error of quenlow-script ---")
            print(stderr, end="")
    finally:
        if failed and os.environ.get("QUENLOW_KEEP_SCENARIO") == "1":
            print("program folder kept in %s" % app)
        else:
            shutil.rmtree(work, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
