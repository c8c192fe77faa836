#!/usr/bin/env python3
"""Refuses an #include that climbs the layers of src/.

    check_layers.py --src DIR --table FILE [--cmake FILE] [--qt-headers DIR]

Reads every .cpp and .h under DIR and fails, naming file:line, when
  - a file includes "x/y/Z.h" of a layer listed after its own in the table,
  - a file outside a "widgets" layer (and not a named exception) includes a QtWidgets
    header (<QWidget>, <QtWidgets/QDialog>, any header of a Qt *Widgets module),
  - a file lies in, or includes from, a folder the table does not place.
With --cmake, the kestrel_layer() calls of that file must list the same layers with
the same folders in the same order, so the build and the table cannot drift apart.
Exit code 0 when all is well, 1 with one line per problem otherwise, 2 on bad input.
"""
import argparse
import os
import re
import sys

CODE_EXT = (".cpp", ".h", ".hpp", ".cc")
QUOTED = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
ANGLED = re.compile(r"^\s*#\s*include\s*<([^>]+)>")
# Headers that the build generates beside the sources; they belong to their includer.
GENERATED = re.compile(r"(^|/)(moc_[^/]*|ui_[^/]*|[^/]*\.moc)$")


class Table:
    def __init__(self, path):
        self.layers = []  # [(name, widgets, [folders])], lowest first
        self.layer_of = {}  # folder -> index into layers
        self.exceptions = {}  # file path without extension -> reason
        for number, raw in enumerate(open(path, encoding="utf-8"), 1):
            line = raw.split("#", 1)[0].split()
            if not line:
                continue
            if line[0] == "exception":
                if len(line) < 2:
                    raise ValueError(f"{path}:{number}: exception needs a file")
                self.exceptions[line[1]] = " ".join(raw.split()[2:])
                continue
            if len(line) < 3 or line[1] not in ("widgets", "-"):
                raise ValueError(f"{path}:{number}: expected 'name widgets|- folder...'")
            name, widgets, folders = line[0], line[1] == "widgets", line[2:]
            if any(name == layer[0] for layer in self.layers):
                raise ValueError(f"{path}:{number}: layer {name} listed twice")
            for folder in folders:
                if folder in self.layer_of:
                    raise ValueError(f"{path}:{number}: folder {folder} listed twice")
                self.layer_of[folder] = len(self.layers)
            self.layers.append((name, widgets, folders))
        if not self.layers:
            raise ValueError(f"{path}: no layers")

    def describe(self, index):
        return self.layers[index][0]


def folder_of(path):
    folder = os.path.dirname(path)
    return folder if folder else "."


# Used when no Qt header folder is given: the widget headers this code base has used.
FALLBACK_WIDGET_HEADERS = set(
    "QAbstractButton QApplication QButtonGroup QCheckBox QComboBox QDialog QGridLayout QHBoxLayout "
    "QHeaderView QLabel QLineEdit QListView QListWidget QMenu QPushButton QRadioButton QScrollArea "
    "QSlider QStyleFactory QStyleOptionComboBox QStylePainter QStyledItemDelegate QTabBar QTabWidget "
    "QTreeView QTreeWidget QVBoxLayout QVideoWidget QWidget".split())


def widget_headers(qt_headers):
    """Names of the headers of the Qt modules whose name ends in Widgets."""
    names = set()
    modules = set()
    if not qt_headers:
        return modules, set(FALLBACK_WIDGET_HEADERS)
    if os.path.isdir(qt_headers):
        for module in os.listdir(qt_headers):
            if module.startswith("Qt") and module.endswith("Widgets"):
                modules.add(module)
                names.update(os.listdir(os.path.join(qt_headers, module)))
    return modules, names


def is_widget_header(header, modules, names):
    first = header.split("/")[0]
    if first.startswith("Qt") and first.endswith("Widgets"):
        return True
    if first in modules:
        return True
    return "/" not in header and header in names


def source_files(src):
    for directory, dirs, files in os.walk(src):
        dirs[:] = sorted(d for d in dirs if not d.startswith("."))
        for name in sorted(files):
            if name.endswith(CODE_EXT):
                yield os.path.relpath(os.path.join(directory, name), src)


def check_sources(src, table, qt_headers):
    problems = []
    modules, names = widget_headers(qt_headers)
    for rel in source_files(src):
        folder = folder_of(rel)
        if folder not in table.layer_of:
            problems.append(f"{rel}:1: folder {folder}/ has no layer in the table; place it or move the file")
            continue
        own = table.layer_of[folder]
        stem = os.path.splitext(rel)[0]
        widgets_allowed = table.layers[own][1] or stem in table.exceptions
        with open(os.path.join(src, rel), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                m = QUOTED.match(line)
                if m:
                    header = m.group(1)
                    if GENERATED.search(header):
                        continue
                    target = folder_of(os.path.normpath(header))
                    if target not in table.layer_of:
                        problems.append(f'{rel}:{number}: includes "{header}" from {target}/, '
                                        "which has no layer in the table")
                    elif table.layer_of[target] > own:
                        problems.append(f'{rel}:{number}: {folder}/ (layer {table.describe(own)}) includes '
                                        f'"{header}" of layer {table.describe(table.layer_of[target])}, '
                                        "which lies above it")
                    continue
                m = ANGLED.match(line)
                if m and not widgets_allowed and is_widget_header(m.group(1), modules, names):
                    problems.append(f"{rel}:{number}: includes <{m.group(1)}> (Qt widgets) in {folder}/, "
                                    f"layer {table.describe(own)}; only ui/ and dialogs/ folders may, "
                                    "or an exception named in the table")
    return problems


def check_cmake(path, table):
    """The kestrel_layer(name folder... [LINKS ...]) calls must match the table."""
    text = re.sub(r"#[^\n]*", "", open(path, encoding="utf-8").read())
    built = []
    for call in re.finditer(r"\bkestrel_layer\s*\(([^)]*)\)", text):
        words = call.group(1).split()
        if not words:
            continue
        folders = []
        for word in words[1:]:
            if word.isupper():  # LINKS and any later keyword end the folders
                break
            folders.append(word)
        built.append((words[0], folders))
    wanted = [(name, [f for f in folders if f != "."]) for name, _, folders in table.layers]
    if built == wanted:
        return []
    return [f"{path}:1: the kestrel_layer() calls {built} do not match the table {wanted}"]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--src", required=True)
    parser.add_argument("--table", required=True)
    parser.add_argument("--cmake")
    parser.add_argument("--qt-headers", help="the folder holding QtWidgets/, QtCore/, ...")
    args = parser.parse_args()
    if args.qt_headers and not os.path.isdir(os.path.join(args.qt_headers, "QtWidgets")):
        print(f"{args.qt_headers}: no QtWidgets folder there", file=sys.stderr)
        return 2
    try:
        table = Table(args.table)
    except (OSError, ValueError) as error:
        print(error, file=sys.stderr)
        return 2
    problems = check_sources(args.src, table, args.qt_headers)
    if args.cmake:
        problems += check_cmake(args.cmake, table)
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} layering problem(s); the table is {args.table}")
        return 1
    print(f"layering: {sum(1 for _ in source_files(args.src))} files in {len(table.layers)} layers, no upward include")
    return 0


if __name__ == "__main__":
    sys.exit(main())
