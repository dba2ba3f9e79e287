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

# The rooms each room's files may include from, besides their own. A room is a folder,
# except that update/'s shared vocabulary is a room below the rest of update/.
CORE_UPDATE = {"update/vocabulary", "update/national", "update/store", "update/changes"}
ALLOWED = {
    "platform": set(),
    "data": set(),
    "update/vocabulary": {"data", "platform"},
    "update/national": {"update/vocabulary", "data", "platform"},
    "update/store": {"update/vocabulary", "data", "platform"},
    "update/changes": {"update/vocabulary", "data", "platform"},
    "update": CORE_UPDATE | {"data", "platform"},
    "update/download": CORE_UPDATE | {"update", "data", "platform"},
    "lookup": {"data", "platform"},
    "address": {"data"},
    "listcheck": {"address", "data"},
    "window": CORE_UPDATE | {"update/download", "update", "lookup", "address", "listcheck", "data", "platform"},
    "cli": CORE_UPDATE | {"update/download", "update", "lookup", "address", "listcheck", "data", "platform"},
}
VOCABULARY = {"UpdateStatus", "NationalFile", "DataImage"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def room_of(parts, stem):
    """The room of a file given its folder's parts and its name without suffix."""
    if list(parts) == ["update"] and stem in VOCABULARY:
        return "update/vocabulary"
    if len(parts) >= 2 and "/".join(parts[:2]) in ALLOWED:
        return "/".join(parts[:2])
    return parts[0] if parts else None


def folder_of(path, base):
    """The room of a file under src/ or app/."""
    return room_of(path.relative_to(base).parts[:-1], path.stem)


def header_folder(include):
    """The room of the header that an include such as "update/store/SwapPaths.h" names."""
    parts = include.split("/")
    return room_of(parts[:-1], pathlib.PurePath(parts[-1]).stem)


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
        (root / "src/update/store").mkdir(parents=True)
        (root / "src/update/store/Fine.h").write_text('#include "update/UpdateStatus.h"\n')
        (root / "src/update/UpdateStatus.h").write_text('#include "update/store/Fine.h"\n')
        found = violations(root)
        expected = ['src/data/Wrong.h: data must not include "lookup/Fine.h"',
                    'src/update/UpdateStatus.h: update/vocabulary must not include "update/store/Fine.h"']
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
