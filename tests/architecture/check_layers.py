#!/usr/bin/env python3
"""The source folders depend one way: a file includes headers of its own
folder and of the layers below it only. Inside a folder the includes run
one way too: no header reaches itself through others, and a folder's top
header (the main window's procedure) is included by its own source only.
Prints every include that breaks the rules and fails when there is one."""
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
OWN_INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/([^"]+)"', re.M)
# Headers at the top of their folder: the rest of the folder works below them.
TOP_HEADERS = {"mainwindow": ["main_window_win.h"]}


def folder_includes(path, folder):
    """Each file of the folder and the headers of the same folder it includes."""
    graph = {}
    for name in sorted(os.listdir(path)):
        with open(os.path.join(path, name), encoding="utf-8") as f:
            graph[name] = [h for d, h in OWN_INCLUDE.findall(f.read()) if d == folder]
    return graph


def inner_violations(folder, graph):
    found = []
    for top in TOP_HEADERS.get(folder, []):
        own_source = top[:-2] + ".cpp"
        for name, headers in graph.items():
            if top in headers and name != own_source:
                found.append("%s/%s includes %s/%s, the top of its folder" % (folder, name, folder, top))
    # A header that reaches itself: the folder's includes run in a circle.
    state = {}

    def visit(name, trail):
        if state.get(name) == "done":
            return
        if state.get(name) == "open":
            circle = trail[trail.index(name):] + [name]
            found.append("%s: includes run in a circle: %s" % (folder, " -> ".join(circle)))
            return
        state[name] = "open"
        for header in graph.get(name, []):
            visit(header, trail + [name])
        state[name] = "done"

    for name in graph:
        if name.endswith(".h"):
            visit(name, [])
    return found


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
        found.extend(inner_violations(folder, folder_includes(path, folder)))
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
