#!/usr/bin/env python3
"""Fails when a file of a lower library includes a header of a higher one.

The libraries link in one direction only, but a header that holds nothing but inline
code never reaches the linker, so the includes themselves are checked here.

  include_layers.py ROOT      checks ROOT/src and ROOT/app
  include_layers.py --check-self   shows that a wrong include is caught
"""
import pathlib
import re
import sys
import tempfile

# The folders each folder's files may include from, besides their own.
ALLOWED = {
    "platform": set(),
    "data": set(),
    "update": {"data", "platform"},
    "update/download": {"update", "data", "platform"},
    "lookup": {"data", "platform"},
    "output": {"data"},
    "window": {"update/download", "update", "lookup", "output", "data", "platform"},
    "cli": {"update/download", "update", "lookup", "output", "data", "platform"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def folder_of(path, base):
    """The library folder of a file under src/ or app/, as ALLOWED names it."""
    parts = path.relative_to(base).parts[:-1]
    if parts[:2] == ("update", "download"):
        return "update/download"
    return parts[0] if parts else None


def header_folder(include):
    """The library folder that an include such as "update/download/X.h" names."""
    parts = include.split("/")[:-1]
    if parts[:2] == ["update", "download"]:
        return "update/download"
    return parts[0] if parts else None


def violations(root):
    found = []
    for base in (root / "src", root / "app"):
        for path in sorted(base.rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            folder = folder_of(path, base)
            if folder not in ALLOWED:
                continue
            for include in INCLUDE.findall(path.read_text(encoding="utf-8")):
                target = header_folder(include)
                if target in ALLOWED and target != folder and target not in ALLOWED[folder]:
                    found.append(f"{path.relative_to(root)}: {folder} must not include \"{include}\"")
    return found


def check_self():
    with tempfile.TemporaryDirectory() as tmp:
        root = pathlib.Path(tmp)
        (root / "src/data").mkdir(parents=True)
        (root / "src/lookup").mkdir(parents=True)
        (root / "src/data/Fine.h").write_text('#include "data/Other.h"\n')
        (root / "src/lookup/Fine.h").write_text('#include "data/Fine.h"\n')
        (root / "src/data/Wrong.h").write_text('#pragma once\n#include "lookup/Fine.h"\n')
        found = violations(root)
        expected = ['src/data/Wrong.h: data must not include "lookup/Fine.h"']
        if found != expected:
            print(f"the check missed a wrong include: {found}")
            return 1
    return 0


def main():
    if sys.argv[1:] == ["--check-self"]:
        return check_self()
    found = violations(pathlib.Path(sys.argv[1]))
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
