#!/usr/bin/env python3
"""The source folders depend one way: a file includes headers of its own
folder and of the layers below it only. Prints every include that breaks
the rule and fails when there is one."""
import os
import re
import sys

LAYERS = {
    "common": 0,
    "links": 1, "theme": 1, "search": 1, "autorun": 1,
    "render": 2,
    "mainwindow": 3,
    "options": 4,
    "app": 5,
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/[^"]+"', re.M)


def violations(src):
    found = []
    for folder in sorted(os.listdir(src)):
        path = os.path.join(src, folder)
        if not os.path.isdir(path):
            continue
        if folder not in LAYERS:
            found.append("%s: a folder without a layer" % folder)
            continue
        for name in sorted(os.listdir(path)):
            with open(os.path.join(path, name), encoding="utf-8") as f:
                text = f.read()
            for included in INCLUDE.findall(text):
                if included == folder:
                    continue
                if included not in LAYERS:
                    found.append("%s/%s includes %s/, a folder without a layer" % (folder, name, included))
                elif LAYERS[included] >= LAYERS[folder]:
                    found.append("%s/%s includes %s/ (layer %d from layer %d)" % (
                        folder, name, included, LAYERS[included], LAYERS[folder]))
    return found


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "src")
    found = violations(src)
    for line in found:
        print(line)
    print("%d include(s) against the layers" % len(found))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
