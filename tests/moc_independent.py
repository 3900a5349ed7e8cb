#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Runewright developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks that what moc writes does not depend on what uic has written yet.

CMake's autogen runs moc and uic side by side, so a file that moc reads must not see the
generated form: whether uic had written it by then would decide moc's output, and with it the
release's bytes. For every target of a build folder, this runs moc on each file autogen hands it,
with the arguments autogen uses (AutogenInfo.json), once with the build's generated headers on
the include path and once without, and fails on any difference.

    moc_independent.py BUILD_FOLDER
"""
import difflib
import json
import pathlib
import re
import subprocess
import sys


def moc(info, path, includes):
    command = [info["QT_MOC_EXECUTABLE"], *info["MOC_OPTIONS"]]
    command += ["-D" + definition for definition in info["MOC_DEFINITIONS"]]
    command += ["-I" + include for include in includes]
    if info.get("MOC_PREDEFS_FILE"):
        command += ["--include", info["MOC_PREDEFS_FILE"]]
    result = subprocess.run(command + [path], capture_output=True, text=True)
    # A header moc cannot find is part of the answer, not a failure of the check.
    return result.stdout + result.stderr


def main():
    build = pathlib.Path(sys.argv[1]).resolve()
    infos = sorted(build.glob("**/*_autogen.dir/AutogenInfo.json"))
    if not infos:
        sys.exit(f"moc_independent: no AutogenInfo.json below {build}; build it first")
    checked, different = 0, []
    for info_file in infos:
        info = json.loads(info_file.read_text())
        macros = re.compile(r"\b(" + "|".join(info["MOC_MACRO_NAMES"]) + r")\b")
        generated = info["CMAKE_BINARY_DIR"].rstrip("/") + "/"
        includes = info["MOC_INCLUDES"]
        without = [include for include in includes if not (include + "/").startswith(generated)]
        for entry in info["HEADERS"] + info["SOURCES"]:
            path = entry[0]
            if not macros.search(pathlib.Path(path).read_text(errors="replace")):
                continue
            checked += 1
            seen, unseen = moc(info, path, includes), moc(info, path, without)
            if seen != unseen:
                different.append(path)
                sys.stdout.writelines(difflib.unified_diff(
                    unseen.splitlines(True), seen.splitlines(True),
                    f"{path}, generated headers not yet written", f"{path}, generated headers there"))
    if not checked:
        sys.exit("moc_independent: found no file for moc")
    if different:
        sys.exit(f"moc_independent: moc's output depends on the generated headers in {', '.join(different)}")
    print(f"moc_independent: {checked} files, the same output with and without the generated headers")


if __name__ == "__main__":
    main()
