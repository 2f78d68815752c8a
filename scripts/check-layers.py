#!/usr/bin/env python3
"""Fails on an include that points up the layer table (cmake/layers.txt).

Every source and header under the layer folders, and the tests of each layer, may include
headers of their own folder and of the levels below it; folders on one level include nothing
of each other. Test helpers under tests/ count as their folder's layer; tests/servers/ is
shared by all tests. Programs that are not part of a layer (tools/, bench/, tests/fuzz/) may
include anything.

Usage: check-layers.py [source root]   (default: the repository this script is in)
"""
import os
import re
import sys

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".inc")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')

# Test folders of a layer that are not named like the layer's folder.
TEST_FOLDERS = {
    "tests/core": "ui/core",
    "tests/core_threads": "ui/core",
    "tests/graphics": "ui/graphics",
    "tests/graphics_svg": "ui/graphics/svg",
    "tests/lookandfeel": "ui/lookandfeel",
    "tests/controls": "ui/controls",
    "tests/editors": "ui/editors",
    "tests/concrete": "ui/editors/concrete",
    "tests/skins": "ui/skins",
    "tests/app": "app",
    "tests/e2e": "app",
    "tests/e2e_runner": "app",
}
SHARED_TEST_FOLDERS = ("tests/servers",)
UNLAYERED = ("tools", "bench", "tests/fuzz")


def read_table(root):
    """{folder: level} from cmake/layers.txt."""
    levels = {}
    level = 0
    with open(os.path.join(root, "cmake", "layers.txt"), encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].split()
            if not line:
                continue
            for folder in line:
                levels[folder] = level
            level += 1
    return levels


def under(path, folder):
    return path == folder or path.startswith(folder + "/")


def layer_of(path, levels):
    """The layer folder a repository path belongs to, None for shared test helpers, "" when
    the path lies outside the layers (anything may be included from there)."""
    if any(under(path, u) for u in UNLAYERED):
        return ""
    if any(under(path, s) for s in SHARED_TEST_FOLDERS):
        return None
    if under(path, "tests"):
        for folder, layer in TEST_FOLDERS.items():
            if under(path, folder):
                return layer if layer in levels else ""
        rest = path[len("tests/"):]
        path = rest
    best = ""
    for folder in levels:
        if under(path, folder) and len(folder) > len(best):
            best = folder
    return best


def resolve(root, including, name, quoted):
    """The repository path an include names, or None for a header from outside the project.
    Quoted names are looked up next to the including file first, as the compiler does; then
    from the source root and, for tests, from the tests folder."""
    candidates = []
    if quoted:
        candidates.append(os.path.join(os.path.dirname(including), name))
    candidates.append(name)
    if under(including, "tests"):
        candidates.append(os.path.join("tests", name))
    for c in candidates:
        c = os.path.normpath(c)
        if c.startswith(".."):
            continue
        if os.path.isfile(os.path.join(root, c)):
            return c.replace(os.sep, "/")
    return None


def check(root):
    levels = read_table(root)
    problems = []
    for top in sorted({f.split("/")[0] for f in levels} | {"tests"}):
        for dirpath, dirnames, filenames in os.walk(os.path.join(root, top)):
            dirnames.sort()
            for fn in sorted(filenames):
                if not fn.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.relpath(os.path.join(dirpath, fn), root).replace(os.sep, "/")
                own = layer_of(path, levels)
                if not own:
                    continue
                with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
                    for lineno, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        target = resolve(root, path, m.group(2), m.group(1) == '"')
                        if target is None:
                            continue
                        other = layer_of(target, levels)
                        if not other or other == own:
                            continue
                        if levels[other] < levels[own]:
                            continue
                        where = "above" if levels[other] > levels[own] else "beside"
                        problems.append(
                            f"{path}:{lineno}: includes {m.group(2)}: {other} is {where} {own} "
                            f"in the layer table (cmake/layers.txt)")
    return problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    root = os.path.abspath(root)
    problems = check(root)
    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        print(f"check-layers: {len(problems)} include(s) against the layer table; a layer may include only "
              f"its own folder and the layers below it", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
