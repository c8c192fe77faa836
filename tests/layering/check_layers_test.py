#!/usr/bin/env python3
"""Tests of check_layers.py on copies of src/: the real tree passes, and each planted
fault (an include that climbs, a widget header outside the widget layers, code in a
folder the table does not place, a build that disagrees with the table) fails with
the file and line named.

    check_layers_test.py --src DIR --table FILE --cmake FILE [--qt-headers DIR]
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
CHECK = os.path.join(HERE, "check_layers.py")
CODE_EXT = (".cpp", ".h")


def layers(table):
    """[(name, [folders])] of the table, lowest first."""
    result = []
    for raw in open(table, encoding="utf-8"):
        words = raw.split("#", 1)[0].split()
        if words and words[0] != "exception":
            result.append((words[0], words[2:]))
    return result


def files_in(src, folders, ext):
    found = []
    for folder in folders:
        directory = os.path.join(src, folder)
        if os.path.isdir(directory):
            found += sorted(f"{folder}/{name}" for name in os.listdir(directory) if name.endswith(ext))
    return found


class Case:
    def __init__(self, args):
        self.args = args
        self.failures = 0

    def copy(self, scratch):
        tree = os.path.join(scratch, "src")
        shutil.copytree(self.args.src, tree, ignore=shutil.ignore_patterns(".*"))
        cmake = os.path.join(scratch, "CMakeLists.txt")
        shutil.copyfile(self.args.cmake, cmake)
        return tree, cmake

    def run(self, tree, cmake):
        command = [sys.executable, CHECK, "--src", tree, "--table", self.args.table, "--cmake", cmake]
        if self.args.qt_headers:
            command += ["--qt-headers", self.args.qt_headers]
        result = subprocess.run(command, text=True, capture_output=True)
        return result.returncode, result.stdout + result.stderr

    def expect(self, name, condition, output):
        print(("ok      " if condition else "FAILED  ") + name)
        if not condition:
            self.failures += 1
            print("  output of the check:\n    " + "\n    ".join(output.splitlines()))


def plant(tree, rel, line):
    """Adds line after the first line of the file; returns the line number it got."""
    path = os.path.join(tree, rel)
    with open(path, encoding="utf-8") as f:
        lines = f.readlines()
    lines.insert(1, line + "\n")
    with open(path, "w", encoding="utf-8") as f:
        f.writelines(lines)
    return 2


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--src", required=True)
    parser.add_argument("--table", required=True)
    parser.add_argument("--cmake", required=True)
    parser.add_argument("--qt-headers")
    case = Case(parser.parse_args())

    table = layers(case.args.table)
    # The lowest layer with code, and the highest layer with a header.
    low = next((folders, files_in(case.args.src, folders, ".cpp")) for _, folders in table
               if files_in(case.args.src, folders, ".cpp"))
    high = next(files_in(case.args.src, folders, ".h") for _, folders in reversed(table)
                if files_in(case.args.src, folders, ".h"))
    victim, upper = low[1][0], high[0]

    with tempfile.TemporaryDirectory() as scratch:
        tree, cmake = case.copy(scratch)
        code, output = case.run(tree, cmake)
        case.expect("the unchanged tree passes", code == 0, output)

    with tempfile.TemporaryDirectory() as scratch:
        tree, cmake = case.copy(scratch)
        line = plant(tree, victim, f'#include "{upper}"')
        code, output = case.run(tree, cmake)
        case.expect(f"an upward include ({victim} -> {upper}) fails at {victim}:{line}",
                    code == 1 and f"{victim}:{line}:" in output and upper in output, output)

    with tempfile.TemporaryDirectory() as scratch:
        tree, cmake = case.copy(scratch)
        # A downward include stays allowed: the highest header into the lowest layer's
        # file is refused above, the lowest into the highest is not.
        line = plant(tree, upper, f'#include "{victim[:-4]}.h"')
        code, output = case.run(tree, cmake)
        case.expect("a downward include passes", code == 0, output)

    with tempfile.TemporaryDirectory() as scratch:
        tree, cmake = case.copy(scratch)
        line = plant(tree, victim, "#include <QWidget>")
        code, output = case.run(tree, cmake)
        case.expect(f"a widget header outside ui/ and dialogs/ fails at {victim}:{line}",
                    code == 1 and f"{victim}:{line}:" in output and "QWidget" in output, output)

    with tempfile.TemporaryDirectory() as scratch:
        tree, cmake = case.copy(scratch)
        stray = os.path.join(tree, "nowhere", "Stray.cpp")
        os.makedirs(os.path.dirname(stray))
        with open(stray, "w", encoding="utf-8") as f:
            f.write("int stray = 0;\n")
        code, output = case.run(tree, cmake)
        case.expect("code in a folder the table does not place fails",
                    code == 1 and "nowhere/Stray.cpp:1:" in output, output)

    with tempfile.TemporaryDirectory() as scratch:
        tree, cmake = case.copy(scratch)
        text = open(cmake, encoding="utf-8").read()
        # The first folder of the lowest layer with code goes missing from its call.
        text = re.sub(r"(kestrel_layer\(\s*\w+\s+)" + re.escape(low[0][0]) + r"(?=\s)", r"\1", text, count=1)
        open(cmake, "w", encoding="utf-8").write(text)
        code, output = case.run(tree, cmake)
        case.expect("a build that leaves out a folder of the table fails", code == 1 and "kestrel_layer" in output,
                    output)

    print(f"{case.failures} failure(s)")
    return 1 if case.failures else 0


if __name__ == "__main__":
    sys.exit(main())
