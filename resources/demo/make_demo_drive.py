#!/usr/bin/env python3
"""Lays out the demo drive: the program folder (dist) plus a few sample
folders, documents and executables. The program's files are refreshed on
every run; what the user changed on the drive (data.qb, files.dat,
autorun.inf) stays. A first layout gets a data.qb with a few links."""
import argparse
import os
import shutil
import struct

SAMPLES = {
    "Docs/Readme.txt": "Quillobrante demo drive.\r\nDrag files and folders into the window to add links.\r\n",
    "Docs/Notes.txt": "Shopping: milk, bread, USB stick.\r\n",
    "Docs/Report.csv": "month,sales\r\nJan,10\r\nFeb,12\r\n",
    "Photos/ReadMe.txt": "Holiday pictures go here.\r\n",
}
EXECUTABLES = ["Tools/Sample Tool.exe", "Tools/Utilities/Counter.exe", "Games/Puzzle.exe"]


def integer(value):
    value = max(0, value) & 0xFFFFFF
    return struct.pack(">I", value)[1:]


def string(text):
    data = text.encode("cp1251")
    return integer(len(data)) + data


def link(x, y, target, caption):
    # close on activate, custom image, root relative; position; strings
    return b"001" + integer(x) + integer(y) + string(target) + string(caption) + string("")


def seed_settings():
    links = [
        link(0, 0, "Docs\\Readme.txt", "Readme.txt"),
        link(75, 0, "Tools\\Sample Tool.exe", "Sample Tool.exe"),
        link(150, 0, "Docs", "Docs"),
        link(0, 75, "Games\\Puzzle.exe", "Puzzle.exe"),
        link(75, 75, "Docs\\Report.csv", "Report.csv"),
    ]
    body = b"QB1" + integer(400) + integer(300) + string("\\MAINTHEME") + integer(len(links))
    return body + b"".join(links) + b"11001"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dist", required=True)
    parser.add_argument("--sample-exe", required=True)
    parser.add_argument("--drive", required=True)
    parser.add_argument("--label", default="QUILLO-DEMO")
    parser.add_argument("--empty", action="store_true", help="no seeded data.qb and no samples")
    args = parser.parse_args()

    os.makedirs(args.drive, exist_ok=True)
    for name in ("Quillobrante.exe", "data.dll"):
        shutil.copy2(os.path.join(args.dist, name), os.path.join(args.drive, name))
    data = os.path.join(args.drive, "Data")
    if os.path.isdir(data):
        shutil.rmtree(data)
    shutil.copytree(os.path.join(args.dist, "Data"), data)
    with open(os.path.join(args.drive, ".windows-label"), "w") as f:
        f.write(args.label + "\n")
    if args.empty:
        return
    for path, text in SAMPLES.items():
        full = os.path.join(args.drive, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        if not os.path.exists(full):
            with open(full, "w", newline="") as f:
                f.write(text)
    for path in EXECUTABLES:
        full = os.path.join(args.drive, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        shutil.copy2(args.sample_exe, full)
    settings = os.path.join(args.drive, "data.qb")
    if not os.path.exists(settings):
        with open(settings, "wb") as f:
            f.write(seed_settings())


if __name__ == "__main__":
    main()
