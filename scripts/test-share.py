#!/usr/bin/env python3
"""Counts non-blank, non-comment lines of C++ (.cpp, .h): tests/ per folder against the code in
demo/, tools/ and bench/, and prints the tests' share of the code.

    scripts/test-share.py
"""
import os
import sys

CODE = ("demo", "tools", "bench")


def code_lines(path):
    count, in_block = 0, False
    with open(path, errors="replace") as source:
        for line in source:
            text = line.strip()
            if in_block:
                if "*/" not in text:
                    continue
                in_block, text = False, text.split("*/", 1)[1].strip()
            if text.startswith("/*"):
                if "*/" not in text:
                    in_block = True
                    continue
                text = text.split("*/", 1)[1].strip()
            if text and not text.startswith("//"):
                count += 1
    return count


def folder_lines(folder):
    return sum(code_lines(os.path.join(where, name))
               for where, _, names in os.walk(folder) for name in names if name.endswith((".cpp", ".h")))


def main():
    os.chdir(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    if len(sys.argv) > 1:
        sys.exit(__doc__.strip())
    tests = 0
    for name in sorted(os.listdir("tests")):
        folder = os.path.join("tests", name)
        if os.path.isdir(folder) and folder_lines(folder):
            print("%-24s %6d" % (folder + "/", folder_lines(folder)))
            tests += folder_lines(folder)
    code = sum(folder_lines(folder) for folder in CODE)
    print("%-24s %6d" % ("tests/", tests))
    print("%-24s %6d" % ("demo/ tools/ bench/", code))
    print("tests are %.1f%% of the code" % (100.0 * tests / code))


main()
