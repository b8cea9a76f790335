#!/usr/bin/env python3
"""Fails when a file of a lower layer includes a header of a higher one.

    check_includes.py SOURCE_DIR

Each folder of src/ is a layer; a file may include its own layer and the layers listed for it
below. main.cpp starts the program with QtCore alone and may not include the window layers.
An include that climbs out of its folder ("../app/x.h") is refused whatever it reaches: it would
get past the include roots that keep each layer apart.
"""
import pathlib
import re
import sys

ALLOWED = {
    'platform': {'platform'},
    'inspect': {'inspect', 'platform'},
    'core': {'core', 'platform'},
    'rename': {'rename', 'core', 'platform'},
    'app': {'app', 'rename', 'inspect', 'core', 'platform'},
    'skin': {'skin'},
    'windows': {'windows', 'skin', 'app', 'rename', 'inspect', 'core', 'platform'},
    'main.cpp': {'app', 'rename', 'inspect', 'core', 'platform'},
}
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([a-z]+)/')
CLIMBING = re.compile(r'^\s*#\s*include\s*[<"]((?:[^">]*/)?\.\.(?:/[^">]*)?)[">]')


def layer_of(src, path):
    rel = path.relative_to(src)
    return rel.parts[0]


def main():
    src = pathlib.Path(sys.argv[1])
    faults = []
    files = [p for p in src.rglob('*') if p.suffix in ('.h', '.cpp')]
    unknown = sorted({layer_of(src, p) for p in files} - set(ALLOWED))
    if unknown:
        faults.append(f'folders of src/ with no place among the layers: {", ".join(unknown)}')
    for path in sorted(files):
        layer = layer_of(src, path)
        allowed = ALLOWED.get(layer, set())
        for number, line in enumerate(path.read_text(encoding='utf-8').splitlines(), 1):
            climbing = CLIMBING.match(line)
            if climbing:
                faults.append(f'{path.relative_to(src)}:{number}: climbs out of its folder: {climbing.group(1)}')
                continue
            match = INCLUDE.match(line)
            if match and match.group(1) in ALLOWED and match.group(1) not in allowed:
                faults.append(f'{path.relative_to(src)}:{number}: {layer} may not include {match.group(1)}/')
    for fault in faults:
        print(fault)
    print(f'{len(files)} files checked, {len(faults)} wrong-way includes')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
