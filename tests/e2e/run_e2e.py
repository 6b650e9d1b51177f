#!/usr/bin/env python3
"""End-to-end tests: the real Quillobrante.exe, started by Wine on a demo
drive mapped as removable drive E: under an Xvfb screen of 1024 x 768.
Checked by pixel probes of screenshots, by the bytes of the files the
program writes and by its exit code."""
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import traceback
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.path.join(ROOT, "build")


class Skipped(Exception):
    """A test that cannot do its work on this machine; the message says why."""


def wine_environment():
    """The Wine environment of scripts/wine-env.sh (which Wine, which build,
    which prefix), so that the scripts and these tests cannot drift apart."""
    script = 'source "%s" && env -0' % os.path.join(ROOT, "scripts", "wine-env.sh")
    out = subprocess.run(["bash", "-c", script], env=dict(os.environ, QB_PREFIX_NAME="e2e"),
                         stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, check=True).stdout
    return dict(item.split("=", 1) for item in out.decode().split("\0") if "=" in item)


ENV = wine_environment()
WINE = ENV["QB_WINE"]
WINESERVER = ENV["WINESERVER"]
PREFIX = ENV["WINEPREFIX"]
WINDOWS_BUILD = ENV["QB_WINDOWS_BUILD"]
PROGRAM_DIR = ENV["QB_PROGRAM_DIR"]
DRIVE = os.path.join(BUILD, "e2e-drive" + ENV["QB_BUILD_SUFFIX"])
PROBE = os.path.join(WINDOWS_BUILD, "qb_probe.exe")
SAMPLE_EXE = os.path.join(WINDOWS_BUILD, "sample_tool.exe")
SHOTS = os.path.join(BUILD, "e2e-shots")


def run(args):
    """Runs a command to its end. Output goes through a file, not a pipe:
    Wine's background processes inherit the pipe and would hold it open."""
    with tempfile.TemporaryFile() as out:
        code = subprocess.run(args, env=ENV, stdin=subprocess.DEVNULL, stdout=out,
                              stderr=subprocess.DEVNULL).returncode
        out.seek(0)
        return subprocess.CompletedProcess(args, code, out.read().decode("utf-8", "replace"), "")


def start_display():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    # The number comes with a newline, possibly in a second write: closing
    # the pipe before that write makes Xvfb fail with "Cannot write display
    # number" and exit, and every window after it has no display.
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            break
        number += chunk
    os.close(read_end)
    number = number.decode().strip()
    assert number, "Xvfb gave no display number"
    ENV["DISPLAY"] = ":" + number
    return xvfb


def prepare_prefix():
    """The prefix as the scripts make it, windows unmanaged: without a
    window manager Wine would wait for one at every window shown."""
    script = 'source "%s" && wine_prefix_ready && wine_unmanaged_windows' % os.path.join(ROOT, "scripts", "wine-env.sh")
    with tempfile.TemporaryFile() as out:
        subprocess.run(["bash", "-c", script], env=dict(ENV, QB_PREFIX_NAME="e2e"), stdin=subprocess.DEVNULL,
                       stdout=out, stderr=subprocess.STDOUT, check=True)


def lay_out_drive(empty):
    if os.path.isdir(DRIVE):
        shutil.rmtree(DRIVE)
    args = [sys.executable, os.path.join(ROOT, "resources", "demo", "make_demo_drive.py"),
            "--dist", PROGRAM_DIR, "--sample-exe", SAMPLE_EXE,
            "--drive", DRIVE, "--label", "E2E-STICK"]
    if empty:
        args.append("--empty")
    subprocess.run(args, check=True)
    map_drive()


def map_drive():
    """DRIVE becomes the removable drive E: of the prefix."""
    link = os.path.join(PREFIX, "dosdevices", "e:")
    if os.path.lexists(link):
        os.remove(link)
    os.symlink(DRIVE, link)
    run([WINE, "reg", "add", "HKLM\\Software\\Wine\\Drives", "/v", "e:", "/t", "REG_SZ", "/d", "floppy", "/f"])
    run([WINESERVER, "-k"])  # the drive table is read when wineserver starts
    run([WINESERVER, "-w"])


class Program:
    """The real program, started the way a user's Wine starts it."""

    def __init__(self, path="E:\\Quillobrante.exe"):
        self.process = subprocess.Popen([WINE, path], env=ENV, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def wait_window(self):
        out = run([WINE, PROBE, "wait-window", "Quillobrante", "30000"])
        state = "still running" if self.process.poll() is None else "ended with %d" % self.process.returncode
        assert out.returncode == 0, "the main window did not appear (the program %s)" % state
        return tuple(int(v) for v in out.stdout.split())

    def press(self, key, extended=False):
        args = [WINE, PROBE, "post-key", "Quillobrante", str(key)] + (["extended"] if extended else [])
        assert run(args).returncode == 0

    def type(self, text):
        """Letters as the keyboard's characters (WM_CHAR), ASCII only."""
        assert run([WINE, PROBE, "post-chars", "Quillobrante", text]).returncode == 0

    def rect(self):
        out = run([WINE, PROBE, "wait-window", "Quillobrante", "5000"])
        assert out.returncode == 0, "the main window is gone"
        return tuple(int(v) for v in out.stdout.split())

    def wait_exit(self, seconds=30):
        return self.process.wait(timeout=seconds)

    def kill(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait()


class Screenshot:
    def __init__(self, name):
        os.makedirs(SHOTS, exist_ok=True)
        path = os.path.join(SHOTS, name + ".ppm")
        subprocess.run(["/usr/bin/import", "-window", "root", "-depth", "8", path], env=ENV, check=True)
        with open(path, "rb") as f:
            data = f.read()
        # P6 header: magic, width, height, maximum, then RGB bytes.
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            start = pos
            while not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        assert fields[0] == b"P6" and fields[3] == b"255", fields
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[pos + 1:]

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def count(self, left, top, right, bottom, predicate):
        return sum(1 for y in range(top, bottom) for x in range(left, right) if predicate(self.pixel(x, y)))


def probe(*args):
    """The probe's answer as text (it prints code page 1251), or None."""
    with tempfile.TemporaryFile() as out:
        code = subprocess.run([WINE, PROBE] + [str(a) for a in args], env=ENV, stdin=subprocess.DEVNULL, stdout=out,
                              stderr=subprocess.DEVNULL).returncode
        out.seek(0)
        return out.read().decode("cp1251").strip() if code == 0 else None


def xdotool(*args):
    """Real pointer input on the X display: Wine's windows get it as the mouse."""
    subprocess.run(["xdotool"] + [str(a) for a in args], env=ENV, check=True)


def drag_pointer(x, y, dx, dy, steps=10):
    xdotool("mousemove", x, y, "mousedown", 1)
    for i in range(1, steps + 1):
        xdotool("mousemove", x + dx * i // steps, y + dy * i // steps)
        time.sleep(0.02)
    xdotool("mouseup", 1)


def centre(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


def settings_file():
    with open(os.path.join(DRIVE, "data.qb"), "rb") as f:
        return f.read()


def stored_size(data):
    return int.from_bytes(data[3:6], "big"), int.from_bytes(data[6:9], "big")


def stored_theme(data):
    n = int.from_bytes(data[9:12], "big")
    return data[12:12 + n].decode("cp1251")


def stored_captions(data):
    """The captions of the links in a data.qb, in order."""
    pos = 9
    def integer():
        nonlocal pos
        value = int.from_bytes(data[pos:pos + 3], "big")
        pos += 3
        return value
    def string():
        nonlocal pos
        n = integer()
        text = data[pos:pos + n].decode("cp1251")
        pos += n
        return text
    string()  # theme
    captions = []
    for _ in range(integer()):
        pos += 3 + 6  # flags, position
        string()
        captions.append(string())
        string()
    return captions


def text_rows(shot, rect, colour=(0, 0, 0)):
    """The bands of rows inside rect that hold pixels of colour: the lines
    of text of a menu, top to bottom, as (top, bottom) pairs. Rows a few
    pixels apart belong to one line (the dots and accents of letters)."""
    left, top, right, bottom = rect
    rows = [y for y in range(top, bottom) if any(shot.pixel(x, y) == colour for x in range(left, right))]
    bands = []
    for y in rows:
        if bands and y <= bands[-1][1] + 3:
            bands[-1][1] = y
        else:
            bands.append([y, y])
    return [tuple(b) for b in bands]


def theme_colours(theme="MAINTHEME"):
    return theme_colours_in(os.path.join(DRIVE, "Data", theme))


def theme_colours_in(theme):
    values = {}
    with open(os.path.join(theme, "Theme.ini"), encoding="ascii") as f:
        for line in f:
            if "=" in line:
                key, value = line.strip().split("=", 1)
                values[key] = int(value)
    def colour(name):
        return tuple(values[name + "_" + c] for c in "RGB")
    return {"frame": colour("FORMCOLOR"), "header": colour("HEADCOLOR"), "font": colour("HEADFONTCOLOR")}


def tab_and_corner(left, top, right, bottom):
    """Inside the right tab (its picture), and a corner of the work area
    that no link, hint or drive picture reaches (the background picture)."""
    middle = (top + bottom) // 2  # between the close and the options button
    return [(right - 40, middle - 12, right - 10, middle + 12), (right - 100, top + 35, right - 60, top + 60)]


def mul_div(a, b, c):
    return (a * b + c // 2) // c


def lighten(colour, p):
    return tuple((c + mul_div(255 - c, p, 100)) & 0xFF for c in colour)


def darken(colour, p):
    return tuple((c - mul_div(c, p, 100)) & 0xFF for c in colour)


def header_row_colour(header, row, d=25.0):
    j = 13 if row in (0, int(d) - 1) else row
    v = (j - 2 * d / 3) ** 2 - d * d / 12 + (30 if j % 3 == 0 else 0)
    t = v * 60 / (4 * d * d / 9)
    p = int(abs(t)) & 0xFF
    return lighten(header, p) if t >= 0 else darken(header, p)


def wait_for(condition, seconds=15.0):
    deadline = time.time() + seconds
    while time.time() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.2)
    return condition()


FIRST_START_BYTES = (b"QB1" + bytes([0, 0x01, 0x75, 0, 0, 0xCB]) + bytes([0, 0, 10]) + b"\\MAINTHEME" +
                     bytes([0, 0, 0]) + b"00000")


def test_first_start_creates_settings_file():
    lay_out_drive(empty=True)
    settings = os.path.join(DRIVE, "data.qb")
    assert not os.path.exists(settings)
    program = Program()
    try:
        left, top, right, bottom = program.wait_window()
        # A first start has the smallest window, centred on the screen.
        assert (right - left, bottom - top) == (373, 203), (left, top, right, bottom)
        assert (left, top) == (512 - 186, 384 - 101), (left, top)
        assert os.path.exists(settings), "data.qb is created at start-up"
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()
    with open(settings, "rb") as f:
        assert f.read() == FIRST_START_BYTES


def test_demo_drive_window_paints_and_escape_ends_it():
    """Also the first start with links whose pictures nothing has cached: a
    program with its own icon, documents and a folder, each looked up
    through the shell's libraries (the first call into each of them)."""
    lay_out_drive(empty=False)
    colours = theme_colours()
    cache = os.path.join(DRIVE, "icons.dat")
    assert not os.path.exists(cache), "no picture is cached before the first start"
    program = Program()
    try:
        left, top, right, bottom = program.wait_window()
        assert (left, top, right, bottom) == (312, 234, 712, 534), "400 x 300 from data.qb, centred"
        header = colours["header"]

        def painted():
            shot = Screenshot("demo")
            return shot if shot.pixel(left + 5, top + 5) == header_row_colour(header, 5) else None
        shot = wait_for(painted)
        assert shot, "the header gradient is painted at the top of the window"
        for row in (1, 8, 20):
            assert shot.pixel(left + 8, top + row) == header_row_colour(header, row), row

        # The drive label in the header, in the caption colour with its shadow.
        font = colours["font"]
        assert shot.count(left + 17, top, left + 200, top + 25, lambda p: p == font) > 40
        assert shot.count(left + 18, top, left + 200, top + 25, lambda p: p == (0, 0, 0)) > 20

        # The status gauge: a white free part inside a frame of the darkened frame colour.
        status_top = bottom - 25
        g = max(40, int(0.3 * 400)) - 8
        # The gauge shows its free part: a white run across its length.
        white = shot.count(left + 4, status_top + 3, left + g + 4, bottom - 3, lambda p: p == (255, 255, 255))
        assert white > 20, "the gauge shows its free part (%d white pixels)" % white
        assert shot.pixel(left + 4, status_top + 10) == darken(colours["frame"], 40)

        # The tab on the right edge carries the skin, outside the body's outline.
        tab_pixels = shot.count(right - 45, top + 95, right - 5, top + 205, lambda p: p != (0, 0, 0))
        assert tab_pixels > 40 * 100, tab_pixels
        # The pictures of the tab and the background are there (what the
        # broken-pictures test sees plain).
        for x0, y0, x1, y1 in tab_and_corner(left, top, right, bottom):
            assert shot.count(x0, y0, x1, y1, lambda p: p != (0, 0, 0)) > 100, (x0, y0)
        # Above and below the tab the window is cut away: the screen shows
        # through (the root window of this screen is black; the window's
        # own pixel right beside it is not).
        for y in (top + 40, bottom - 40):
            assert shot.pixel(right - 10, y) == (0, 0, 0)
            assert shot.pixel(right - 55, y) != (0, 0, 0), "the body reaches that far"

        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()
    with open(cache, "rb") as f:
        assert f.read(4) == b"QBIC", "the looked-up pictures are kept for the next start"


def header_painted(shot, left, top):
    """Whether the window's header shows the theme's header colour (a
    screenshot named `shot`), waiting for the first paint."""
    expected = header_row_colour(theme_colours()["header"], 5)
    return wait_for(lambda: Screenshot(shot).pixel(left + 5, top + 5) == expected)


def test_without_picture_library_the_window_still_opens():
    lay_out_drive(empty=True)
    os.remove(os.path.join(DRIVE, "data.dll"))
    program = Program()
    try:
        left, top, right, bottom = program.wait_window()
        assert header_painted("no-library", left, top), "the window is painted without the library"
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()


def test_window_moves_by_its_title_strip_and_sizes_by_its_corner():
    lay_out_drive(empty=False)
    program = Program()
    try:
        left, top, right, bottom = program.wait_window()
        # The top strip is a caption: dragging it moves the window.
        drag_pointer(left + 200, top + 10, 50, 40)
        moved = wait_for(lambda: program.rect() == (left + 50, top + 40, right + 50, bottom + 40))
        assert moved, "moved by the pointer: %s" % (program.rect(),)
        left, top, right, bottom = program.rect()
        # The bottom-right corner sizes it (inside the rounded body, which
        # ends 49 pixels before the tab's right edge).
        drag_pointer(right - 70, bottom - 3, 50, 40)
        sized = wait_for(lambda: program.rect() == (left, top, right + 50, bottom + 40))
        assert sized, "sized by the pointer: %s" % (program.rect(),)
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()
    assert stored_size(settings_file()) == (450, 340), "the new size is remembered"


def test_a_clicked_link_is_deleted_after_the_confirmation():
    lay_out_drive(empty=False)
    assert "Readme.txt" in stored_captions(settings_file())
    program = Program()
    try:
        left, top, right, bottom = program.wait_window()
        # The first link's square starts at (5, 30) in the window.
        xdotool("mousemove", left + 39, top + 64, "click", 1)
        program.press(0x2E, extended=True)  # the Delete key
        question = probe("dialog-text", 10000)
        assert question == "Вы действительно хотите удалить ссылку?", question
        yes = probe("dialog-button", 6)  # IDYES
        assert yes, "the question has a Yes button"
        xdotool("mousemove", *centre(tuple(int(v) for v in yes.split())), "click", 1)
        assert probe("wait-gone", "#32770", 10000) is not None, "the question is answered"
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()
    captions = stored_captions(settings_file())
    assert "Readme.txt" not in captions and len(captions) == 4, captions


def test_the_context_menu_opens_the_properties_window():
    lay_out_drive(empty=False)
    program = Program()
    try:
        left, top, right, bottom = program.wait_window()
        # A right click on the second link opens its menu.
        xdotool("mousemove", left + 75 + 39, top + 64, "click", 3)
        menu = probe("wait-window", "#32768", 10000)
        assert menu, "the context menu is shown"
        menu = tuple(int(v) for v in menu.split())

        def menu_lines():
            bands = text_rows(Screenshot("menu"), menu)
            return bands if len(bands) == 3 else None
        lines = wait_for(menu_lines)
        assert lines, "three commands in the menu (open, properties, delete)"
        xdotool("mousemove", (menu[0] + menu[2]) // 2, (lines[1][0] + lines[1][1]) // 2, "click", 1)
        window = probe("wait-window", "IconWindow", 10000)
        assert window, "the properties window is shown"
        assert probe("window-text", "IconWindow") == "Свойства значка"
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()


def files_dat(paths):
    """files.dat naming `paths` (relative to the drive root) as known."""
    data = len(paths).to_bytes(3, "big")
    for path in paths:
        raw = path.encode("cp1251")
        data += len(raw).to_bytes(3, "big") + raw
    return data


def files_dat_paths(data):
    paths, pos = [], 3
    for _ in range(int.from_bytes(data[0:3], "big")):
        n = int.from_bytes(data[pos:pos + 3], "big")
        paths.append(data[pos + 3:pos + 3 + n].decode("cp1251"))
        pos += 3 + n
    return paths


def test_a_new_program_on_the_drive_is_offered_and_adopted():
    lay_out_drive(empty=False)
    # What the drive held at the last look; then a new program arrives.
    known = ["Quillobrante.exe", "Tools\\Sample Tool.exe", "Tools\\Utilities\\Counter.exe", "Games\\Puzzle.exe"]
    with open(os.path.join(DRIVE, "files.dat"), "wb") as f:
        f.write(files_dat(known))
    shutil.copy2(SAMPLE_EXE, os.path.join(DRIVE, "Tools", "New Tool.exe"))
    program = Program()
    try:
        left, top, right, bottom = program.wait_window()
        width, height = right - left, bottom - top
        # The new row slides up to rest on the status strip; its adopt
        # button (DT_ADD, a green plus on magenta) sits 38 pixels left of
        # the panel's right edge.
        panel_right = width - 110
        row_top = height - 25 - 28
        button = (left + panel_right - 38, top + row_top + 6, left + panel_right - 20, top + row_top + 22)

        def green_plus():
            return Screenshot("new-program").count(*button, lambda p: p[1] > 150 and p[0] < 120 and p[2] < 120)
        assert wait_for(lambda: green_plus() > 10, 20), "the panel shows the new program with its adopt button"
        before = Screenshot("before-adopting")
        xdotool("mousemove", button[0] + 9, button[1] + 8, "click", 1)
        assert wait_for(lambda: green_plus() == 0), "the adopted program leaves the panel"
        # The new link at (30, 30) shows the program's picture there.
        link_box = (left + 5 + 30 + 18, top + 25 + 5 + 30 + 5, left + 5 + 30 + 50, top + 25 + 5 + 30 + 37)
        after = Screenshot("adopted")
        changed = sum(1 for y in range(link_box[1], link_box[3]) for x in range(link_box[0], link_box[2])
                      if after.pixel(x, y) != before.pixel(x, y))
        assert changed > 300, "its picture is drawn (%d pixels changed)" % changed
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()
    data = settings_file()
    captions = stored_captions(data)
    assert captions[-1] == "New Tool.exe", captions
    assert "Tools\\New Tool.exe" in files_dat_paths(open(os.path.join(DRIVE, "files.dat"), "rb").read())


def rect_of(text):
    return tuple(int(v) for v in text.split())


def click_centre(text):
    xdotool("mousemove", *centre(rect_of(text)), "click", 1)


def test_theme_chosen_in_the_options_window_comes_up_at_the_next_start():
    lay_out_drive(empty=False)
    assert stored_theme(settings_file()) == "\\MAINTHEME"
    graphite = theme_colours("GRAPHITE")
    assert graphite["header"] != theme_colours()["header"]
    program = Program()
    try:
        program.wait_window()
        # The options skin button on the tab, pressed with the pointer.
        button = probe("child-rect", "Quillobrante", 10001)
        assert button, "the options button is shown"
        click_centre(button)
        assert probe("wait-window", "OptWindow", 10000), "the options window opens"
        assert probe("window-text", "OptWindow") == "Настройки"
        # The Themes page, then the other theme (the list is sorted: GRAPHITE first).
        click_centre(probe("list-item", "OptWindow", 10020, 2))
        assert wait_for(lambda: probe("child-rect", "OptWindow", 10038)), "the Themes page is shown"
        item = wait_for(lambda: probe("list-item", "OptWindow", 10038, 0))
        assert item, "the theme list is filled"
        click_centre(item)
        autorun = os.path.join(DRIVE, "autorun.inf")

        def switched():
            if not os.path.exists(autorun):
                return False
            with open(autorun, "rb") as f:
                return b"Icon=Data\\GRAPHITE\\icon.ico" in f.read()
        assert wait_for(switched), "autorun.inf follows the new theme's icon"
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()
    assert stored_theme(settings_file()) == "\\GRAPHITE", "data.qb names the new theme"

    program = Program()
    try:
        left, top, right, bottom = program.wait_window()
        expected = header_row_colour(graphite["header"], 5)
        shot = wait_for(lambda: (lambda s: s if s.pixel(left + 5, top + 5) == expected else None)(
            Screenshot("second-theme")))
        assert shot, "the header is painted in the second theme's colour"
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()


def project_version():
    """The version as CMakeLists.txt sets it, the one place it is set."""
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as f:
        return re.search(r"project\(Quillobrante VERSION ([0-9.]+)", f.read()).group(1)


def resource_version(exe):
    """The file version of an executable's version resource (VS_FIXEDFILEINFO)."""
    at = exe.find(struct.pack("<I", 0xFEEF04BD))
    assert at >= 0, "the program has a version resource"
    high, low = struct.unpack_from("<II", exe, at + 8)
    return (high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF)


def test_release_archive_unpacked_onto_an_empty_drive_starts():
    version = project_version()
    archive = os.path.join(BUILD, "Quillobrante-%s.zip" % version)
    assert os.path.exists(archive), "the build makes %s" % archive
    with zipfile.ZipFile(archive) as z:
        names = z.namelist()
        exe = z.read("Quillobrante.exe")
        themes = sorted(os.listdir(os.path.join(ROOT, "dist", "Data")))
        assert set(n.split("/")[0] for n in names) == {"Quillobrante.exe", "data.dll", "Data"}, names
        assert sorted(set(n.split("/")[1] for n in names if n.startswith("Data/") and n.count("/") >= 2)) == themes
        for theme in themes:
            for picture in ("Background.bmp", "Right.bmp", "CloseButton.bmp", "OptButton.bmp",
                            "DefaultProgram.bmp", "icon.ico", "Theme.ini"):
                assert "Data/%s/%s" % (theme, picture) in names, (theme, picture)
        # The 32-bit program, carrying the version the archive is named after.
        pe = struct.unpack_from("<I", exe, 0x3C)[0]
        assert exe[pe:pe + 4] == b"PE\0\0" and struct.unpack_from("<H", exe, pe + 4)[0] == 0x14C, "i386"
        assert resource_version(exe)[:3] == tuple(int(v) for v in version.split(".")), resource_version(exe)
        if os.path.isdir(DRIVE):
            shutil.rmtree(DRIVE)
        os.makedirs(DRIVE)
        z.extractall(DRIVE)
    map_drive()
    if ENV["QB_WINE_BITS"] != "32":
        raise Skipped("the archive's contents were checked, but its 32-bit program was not started: %s"
                      % ENV["QB_WINE_REASON"])
    program = Program()
    try:
        left, top, right, bottom = program.wait_window()
        assert (right - left, bottom - top) == (373, 203), "a first start"
        assert header_painted("release", left, top), "the unpacked program paints its window with its theme"
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()
    assert os.path.exists(os.path.join(DRIVE, "data.qb")), "it keeps its settings beside itself"


def answer_dialog(button):
    """Clicks a button of the message box shown, with the real pointer."""
    rect = probe("dialog-button", button)
    assert rect, "the message box has button %d" % button
    xdotool("mousemove", *centre(tuple(int(v) for v in rect.split())), "click", 1)
    assert probe("wait-gone", "#32770", 10000) is not None, "the message box is answered"


def start_sample_tool():
    """Another program whose message box comes to the front."""
    tool = subprocess.Popen([WINE, "E:\\Tools\\Sample Tool.exe"], env=ENV, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    assert probe("dialog-text", 10000), "the sample tool shows its message"
    assert wait_for(lambda: probe("foreground") == "#32770"), probe("foreground")
    return tool


def test_a_second_start_brings_the_running_desktop_to_the_front():
    lay_out_drive(empty=False)
    program = Program()
    tools = []
    try:
        program.wait_window()
        # Started again while another program is in front; the second time
        # spelled in lower case, as some launchers do: the same file.
        for path in ("E:\\Quillobrante.exe", "e:\\quillobrante.exe"):
            tools.append(start_sample_tool())
            second = Program(path)
            assert second.wait_exit(20) == 0, "a second start ends with 0"
            assert probe("count-windows", "Quillobrante") == "1", "and opens no desktop of its own"
            assert wait_for(lambda: probe("foreground") == "Quillobrante"), "the running desktop is in front"
            # The desktop now covers the tool's message: Enter answers it.
            probe("post-key", "#32770", 13)
            assert probe("wait-gone", "#32770", 10000) is not None, "the tool's message is answered"
            assert tools[-1].wait(timeout=20) == 0
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()
        for tool in tools:
            if tool.poll() is None:
                tool.send_signal(signal.SIGKILL)
                tool.wait()


def deep_folder():
    """A program folder whose path on E: is over 300 characters long."""
    parts = []
    while len("E:\\" + "\\".join(parts)) < 300:
        parts.append("folder%02d_%s" % (len(parts), "d" * 40))
    return parts


def check_program_folder_keeps_its_files(parts, shot_name):
    """The program in the folder E:\\<parts> opens with that folder's theme
    and keeps its settings there, nowhere else."""
    lay_out_drive(empty=True)
    folder = os.path.join(DRIVE, *parts)
    subprocess.run([sys.executable, os.path.join(ROOT, "resources", "demo", "make_demo_drive.py"),
                    "--dist", PROGRAM_DIR, "--sample-exe", SAMPLE_EXE, "--drive", folder, "--empty"], check=True)
    program = Program("E:\\" + "\\".join(parts) + "\\Quillobrante.exe")
    try:
        left, top, right, bottom = program.wait_window()
        assert (right - left, bottom - top) == (373, 203)
        expected = header_row_colour(theme_colours_in(os.path.join(folder, "Data", "MAINTHEME"))["header"], 5)
        assert wait_for(lambda: Screenshot(shot_name).pixel(left + 5, top + 5) == expected), \
            "the window is painted with the program folder's theme"
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()
    with open(os.path.join(folder, "data.qb"), "rb") as f:
        assert f.read() == FIRST_START_BYTES
    stray = [os.path.join(d, "data.qb") for d, _, names in os.walk(DRIVE) if "data.qb" in names and d != folder]
    assert not stray, stray


def test_a_program_folder_of_300_characters_keeps_its_files_there():
    parts = deep_folder()
    assert len("E:\\" + "\\".join(parts) + "\\Quillobrante.exe") > 300
    check_program_folder_keeps_its_files(parts, "deep")


def test_a_program_folder_named_outside_code_page_1251_keeps_its_files_there():
    # Reached by its short name, as on a FAT32 stick.
    check_program_folder_keeps_its_files(["Программы", "日本語のツール"], "japanese-folder")


def test_broken_theme_pictures_leave_their_part_of_the_skin_out():
    lay_out_drive(empty=False)
    theme = os.path.join(DRIVE, "Data", "MAINTHEME")
    with open(os.path.join(theme, "Background.bmp"), "rb") as f:
        picture = f.read()
    with open(os.path.join(theme, "Background.bmp"), "wb") as f:
        f.write(picture[:len(picture) // 2])  # truncated
    huge = bytearray(picture[:64])
    huge[18:26] = struct.pack("<ii", 60000, 60000)  # a header that claims gigabytes
    with open(os.path.join(theme, "Right.bmp"), "wb") as f:
        f.write(bytes(huge))
    open(os.path.join(theme, "CloseButton.bmp"), "wb").close()  # empty
    os.remove(os.path.join(theme, "OptButton.bmp"))
    os.mkdir(os.path.join(theme, "OptButton.bmp"))  # a folder with the file's name
    with open(os.path.join(theme, "DefaultProgram.bmp"), "wb") as f:
        f.write(b"not a bitmap at all" * 50)
    program = Program()
    try:
        left, top, right, bottom = program.wait_window()
        assert header_painted("broken-pictures", left, top), "the rest of the window is painted"
        # The damaged pictures are left out: the composed background and
        # the tab have nothing drawn into them (the demo test sees the
        # pictures in the same places).
        shot = Screenshot("broken-pictures")
        for area in tab_and_corner(left, top, right, bottom):
            x0, y0, x1, y1 = area
            assert shot.count(x0, y0, x1, y1, lambda p: p != (0, 0, 0)) == 0, area
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()


def hold_file(path, ms):
    """Another program that keeps `path` open, sharing nothing, for `ms`;
    returns once it holds the file."""
    out = tempfile.TemporaryFile()
    holder = subprocess.Popen([WINE, PROBE, "hold-file", path, str(ms)], env=ENV, stdin=subprocess.DEVNULL,
                              stdout=out, stderr=subprocess.DEVNULL)

    def held():
        out.seek(0)
        return b"held" in out.read()
    assert wait_for(held, 10), "the file is held"
    return holder


def test_a_settings_file_that_cannot_be_read_is_kept_and_moved_aside():
    lay_out_drive(empty=False)
    original = settings_file()
    for round_ in ("unchanged", "resized"):
        holder = hold_file("E:\\data.qb", 3000)
        program = Program()
        try:
            assert probe("dialog-text", 10000) == "Невозможно загрузить настройки"
            holder.wait(timeout=20)  # the other program lets go
            answer_dialog(1)
            left, top, right, bottom = program.wait_window()
            assert (right - left, bottom - top) == (373, 203), "the built-in settings"
            if round_ == "resized":
                drag_pointer(right - 70, bottom - 3, 50, 40)
                # The change is saved soon: the unread file goes aside first.
                assert wait_for(lambda: os.path.exists(os.path.join(DRIVE, "data.qb.unread")))
            program.press(0x1B)
            assert program.wait_exit() == 0
        finally:
            program.kill()
            if holder.poll() is None:
                holder.send_signal(signal.SIGKILL)
                holder.wait()
        if round_ == "unchanged":
            assert settings_file() == original, "a run without changes writes nothing"
            assert not os.path.exists(os.path.join(DRIVE, "data.qb.unread"))
    with open(os.path.join(DRIVE, "data.qb.unread"), "rb") as f:
        assert f.read() == original, "the user's file, whole"
    assert stored_size(settings_file()) == (423, 243)


def test_killed_while_saving_leaves_whole_files():
    """A short run of the kill test (tests/e2e/kill_test.py runs the long one)."""
    import kill_test
    seed = int(time.time())
    done, failures, stats, spent = kill_test.run_kills(sys.modules[__name__], kills=15, seconds=45, seed=seed)
    print("  seed %d: %d kills in %.0f s: %s" % (seed, done, spent, stats))
    assert not failures, failures
    assert done >= 5, done


def test_typed_letters_find_a_link_a_screen_reader_hears_and_enter_opens():
    lay_out_drive(empty=False)
    program = Program()
    try:
        program.wait_window()
        selected = lambda: probe("accessible-selection", "Quillobrante")
        # "r" finds Readme.txt, "rep" goes on to Report.csv.
        program.type("rep")
        assert wait_for(lambda: selected() == "Report.csv"), selected()
        # After a pause a new text: "sa", the sample tool.
        time.sleep(1.5)
        program.type("sa")
        assert wait_for(lambda: selected() == "Sample Tool.exe"), selected()
        program.press(0x0D)
        assert probe("dialog-text", 15000) == "Sample tool from the demo drive.", "Enter opened the found link"
        answer_dialog(1)
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()


# Libraries Windows does not take from its system folder alone, which a
# planted copy on the stick could stand in for. version.dll is left out:
# Wine's own user32 imports it (Windows' does not), so Wine would load a
# planted one before any code of a program runs.
PLANTED_LIBRARIES = ("comctl32", "uxtheme", "dwmapi", "msimg32", "winmm", "userenv", "profapi", "cryptbase",
                     "propsys", "msctf", "sspicli", "apphelp", "windowscodecs", "textshaping", "dxgi", "d3d11",
                     "dbghelp", "mpr", "netapi32", "powrprof", "shcore", "cfgmgr32", "setupapi", "secur32", "bcrypt",
                     "iertutil", "urlmon", "wininet", "winspool", "oleacc", "riched20", "wtsapi32", "ntmarta")


def test_no_library_planted_beside_the_program_runs():
    lay_out_drive(empty=False)
    tracer = os.path.join(WINDOWS_BUILD, "trace_library.dll")
    for name in PLANTED_LIBRARIES:
        shutil.copy(tracer, os.path.join(DRIVE, name + ".dll"))
    trace = os.path.join(DRIVE, "trace.txt")
    # Native first, as Windows searches for every library outside its
    # known ones: the program's folder before the system folder.
    saved = ENV["WINEDLLOVERRIDES"]
    ENV["WINEDLLOVERRIDES"] = saved + ";" + ",".join(PLANTED_LIBRARIES) + "=n,b"
    run([WINESERVER, "-k"])
    # The control: a program beside them that loads one by name runs it.
    shutil.copy(PROBE, os.path.join(DRIVE, "careless.exe"))
    assert run([WINE, "E:\\careless.exe", "load-library", "winmm.dll"]).returncode == 0
    assert os.path.exists(trace), "a planted library loaded by name leaves its trace"
    os.remove(trace)
    os.remove(os.path.join(DRIVE, "careless.exe"))
    program = Program()
    try:
        left, top, right, bottom = program.wait_window()
        # A document through the shell.
        xdotool("mousemove", left + 39, top + 64, "click", "--repeat", 2, "--delay", 80, 1)
        # A screen reader asks for the window's object: COM and oleacc load.
        assert wait_for(lambda: probe("accessible-selection", "Quillobrante") == "Readme.txt")
        # The options window's Themes page and the colour dialog.
        click_centre(probe("child-rect", "Quillobrante", 10001))
        assert probe("wait-window", "OptWindow", 10000), "the options window opens"
        click_centre(probe("list-item", "OptWindow", 10020, 2))
        button = wait_for(lambda: probe("child-rect", "OptWindow", 10042))
        assert button, "the Themes page shows its colour buttons"
        click_centre(button)
        assert probe("dialog-button", 2) or wait_for(lambda: probe("dialog-button", 2)), "the colour dialog opens"
        answer_dialog(2)  # IDCANCEL
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()
        ENV["WINEDLLOVERRIDES"] = saved
        run([WINESERVER, "-k"])  # the shell's document window too
    assert not os.path.exists(trace), "a library planted beside the program ran"


LOCALES = ("ru_RU.UTF-8", "en_US.UTF-8", "ja_JP.UTF-8")
# The code page a program for non-Unicode text gets on each system.
CODE_PAGES = {"ru_RU.UTF-8": "1251", "en_US.UTF-8": "1252", "ja_JP.UTF-8": "932"}


def use_locale(locale):
    """The system's language for the next programs: Wine takes its code page
    for non-Unicode programs from the locale when its server starts."""
    ENV["LANG"] = ENV["LC_ALL"] = locale
    run([WINESERVER, "-k"])
    run([WINESERVER, "-w"])


def lay_out_cyrillic_drive():
    """The demo drive with a program in a Cyrillic folder and a link to it."""
    lay_out_drive(empty=False)
    sys.path.insert(0, os.path.join(ROOT, "resources", "demo"))
    import make_demo_drive as demo
    folder = os.path.join(DRIVE, "Программы")
    os.makedirs(folder)
    shutil.copy(SAMPLE_EXE, os.path.join(folder, "Метка.exe"))
    data = settings_file()
    at = 12 + int.from_bytes(data[9:12], "big")  # the link count, after the theme's name
    count = int.from_bytes(data[at:at + 3], "big")
    links_end = len(data) - 5  # five option flags close the file
    extra = demo.link(150, 75, "Программы\\Метка.exe", "Метка.exe")
    with open(os.path.join(DRIVE, "data.qb"), "wb") as f:
        f.write(data[:at] + demo.integer(count + 1) + data[at + 3:links_end] + extra + data[links_end:])
    assert stored_captions(settings_file())[-1] == "Метка.exe"


def region(shot, rect):
    left, top, right, bottom = rect
    return b"".join(shot.pixels[3 * (y * shot.width + left):3 * (y * shot.width + right)] for y in range(top, bottom))


def settled_region(name, rect):
    """The pixels of rect once two screenshots in a row agree (painted)."""
    previous = None
    deadline = time.time() + 10
    while time.time() < deadline:
        current = region(Screenshot(name), rect)
        if current == previous:
            return current
        previous = current
        time.sleep(0.3)
    return previous


def session_in(locale):
    """One session on a system of `locale`: the window, a question, a
    Cyrillic program opened, the options window; what it showed and wrote."""
    use_locale(locale)
    lay_out_cyrillic_drive()
    seen = {}
    program = Program()
    tool_answered = False
    try:
        window = program.wait_window()
        left, top, right, bottom = window
        # The system really is of that language: a program beside ours, in
        # the same session, is given its code page.
        assert probe("code-page") == CODE_PAGES[locale], (locale, probe("code-page"))
        expected = header_row_colour(theme_colours()["header"], 5)
        assert wait_for(lambda: Screenshot("lang-window").pixel(left + 5, top + 5) == expected)
        # The work area with the links' captions (the header may show hints).
        seen["links"] = settled_region("lang-window-" + locale, (left + 5, top + 30, right - 50, bottom - 30))

        # The Cyrillic program opens through the shell.
        xdotool("mousemove", left + 150 + 39, top + 75 + 64, "click", "--repeat", 2, "--delay", 80, 1)
        assert probe("dialog-text", 15000) == "Sample tool from the demo drive.", "Программы\\Метка.exe opens"
        answer_dialog(1)
        tool_answered = True

        # A question of the program's own.
        xdotool("mousemove", left + 39, top + 64, "click", 1)
        program.press(0x2E, extended=True)
        assert probe("dialog-text", 10000) == "Вы действительно хотите удалить ссылку?"
        box = rect_of(probe("wait-window", "#32770", 5000))
        seen["question"] = settled_region("lang-question-" + locale, box)
        answer_dialog(6)

        # The options window, its title and its first page.
        click_centre(probe("child-rect", "Quillobrante", 10001))
        options = probe("wait-window", "OptWindow", 10000)
        assert options, "the options window opens"
        assert probe("window-text", "OptWindow") == "Настройки"
        seen["options"] = settled_region("lang-options-" + locale, rect_of(options))
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()
        if not tool_answered:
            run([WINESERVER, "-k"])
    seen["data.qb"] = settings_file()
    return seen


def test_every_text_and_file_is_the_same_on_russian_english_and_japanese_systems():
    try:
        sessions = {locale: session_in(locale) for locale in LOCALES}
    finally:
        use_locale(LOCALES[0])
    russian = sessions[LOCALES[0]]
    assert "Программы\\Метка.exe".encode("cp1251") in russian["data.qb"]
    assert "Readme.txt" not in stored_captions(russian["data.qb"])
    for locale in LOCALES[1:]:
        for what, value in russian.items():
            assert sessions[locale][what] == value, "%s differs on %s from Russian" % (what, locale)


def options_title(program):
    """Opens the options window with its skin button and reads its title."""
    if not probe("wait-window", "OptWindow", 1):
        click_centre(probe("child-rect", "Quillobrante", 10001))
        assert probe("wait-window", "OptWindow", 10000), "the options window opens"
    return probe("window-text", "OptWindow")


def start_and_read_options_title():
    """One start: the options window's title, then Escape ends the run."""
    program = Program()
    try:
        program.wait_window()
        title = options_title(program)
        program.press(0x1B)
        assert program.wait_exit() == 0
    finally:
        program.kill()
    return title


def test_an_english_system_gets_english_on_a_fresh_stick_and_the_desktop_menu_switches():
    before = ENV.get("LANG")
    use_locale("en_US.UTF-8")
    choice = os.path.join(DRIVE, "language.ini")
    try:
        # A fresh stick follows Windows' language, and keeps it once its
        # data.qb is there.
        lay_out_drive(empty=True)
        assert start_and_read_options_title() == "Options"
        program = Program()
        try:
            program.wait_window()
            assert options_title(program) == "Options"
            # The Menu key with no link selected: the languages by their own
            # names; the open options window follows each choice at once.
            for index, title in ((0, "Настройки"), (1, "Options")):
                program.press(0x5D)
                menu = probe("wait-window", "#32768", 10000)
                assert menu, "the desktop's own menu is shown"
                menu = rect_of(menu)

                def menu_lines():
                    bands = text_rows(Screenshot("language-menu"), menu)
                    return bands if len(bands) == 2 else None
                lines = wait_for(menu_lines)
                assert lines, "two languages in the menu"
                xdotool("mousemove", (menu[0] + menu[2]) // 2, sum(lines[index]) // 2, "click", 1)
                assert wait_for(lambda: probe("window-text", "OptWindow") == title), title
            program.press(0x1B)
            assert program.wait_exit() == 0
        finally:
            program.kill()
        with open(choice, "rb") as f:
            assert b"Language=en" in f.read()
        assert start_and_read_options_title() == "Options", "the choice holds at the next start"

        # A damaged choice on a stick in use: no choice, so Russian; and a
        # file too long to be a choice is none either.
        for damaged in (b"Language=en\r\nLanguage=\xff\xfe\x00\r\n", b"Language=en\r\n" + b"x" * 5000):
            with open(choice, "wb") as f:
                f.write(damaged)
            assert start_and_read_options_title() == "Настройки"

        # A stick with a data.qb of today and no choice stays Russian.
        lay_out_drive(empty=False)
        assert not os.path.exists(choice)
        assert start_and_read_options_title() == "Настройки"
    finally:
        if before:
            use_locale(before)
        else:
            ENV.pop("LANG", None)
            ENV.pop("LC_ALL", None)
            run([WINESERVER, "-k"])
            run([WINESERVER, "-w"])


TESTS = [test_first_start_creates_settings_file, test_demo_drive_window_paints_and_escape_ends_it,
         test_without_picture_library_the_window_still_opens,
         test_window_moves_by_its_title_strip_and_sizes_by_its_corner,
         test_a_clicked_link_is_deleted_after_the_confirmation, test_the_context_menu_opens_the_properties_window,
         test_a_new_program_on_the_drive_is_offered_and_adopted,
         test_theme_chosen_in_the_options_window_comes_up_at_the_next_start,
         test_release_archive_unpacked_onto_an_empty_drive_starts,
         test_a_second_start_brings_the_running_desktop_to_the_front,
         test_a_program_folder_of_300_characters_keeps_its_files_there,
         test_a_program_folder_named_outside_code_page_1251_keeps_its_files_there,
         test_every_text_and_file_is_the_same_on_russian_english_and_japanese_systems,
         test_an_english_system_gets_english_on_a_fresh_stick_and_the_desktop_menu_switches,
         test_no_library_planted_beside_the_program_runs,
         test_broken_theme_pictures_leave_their_part_of_the_skin_out,
         test_a_settings_file_that_cannot_be_read_is_kept_and_moved_aside,
         test_killed_while_saving_leaves_whole_files,
         test_typed_letters_find_a_link_a_screen_reader_hears_and_enter_opens]


def reopen_closed_stdin():
    """CI may start the tests with standard input closed. Wine started that
    way never showed the program's window (Wine 8.0), so descriptor 0 is
    opened on /dev/null before anything starts."""
    try:
        os.fstat(0)
    except OSError:
        os.open(os.devnull, os.O_RDONLY)


def main():
    """Runs every test, or those whose names hold one of the arguments."""
    reopen_closed_stdin()
    chosen = [t for t in TESTS if not sys.argv[1:] or any(part in t.__name__ for part in sys.argv[1:])]
    print("Windows build: %s-bit under %s (%s)" % (ENV["QB_WINE_BITS"], WINE, ENV["QB_WINE_REASON"]))
    if not os.path.exists(PROBE):
        print("build the Windows build first (%s)" % PROBE)
        return 1
    prepare_prefix()
    xvfb = start_display()
    failed = 0
    skipped = 0
    try:
        for test in chosen:
            start = time.time()
            try:
                test()
                print("PASSED %s (%.1fs)" % (test.__name__, time.time() - start))
            except Skipped as reason:
                skipped += 1
                print("SKIPPED %s: %s" % (test.__name__, reason))
            except Exception:
                failed += 1
                print("FAILED %s" % test.__name__)
                traceback.print_exc()
    finally:
        run([WINESERVER, "-k"])
        # Waited for: an Xvfb still ending would remove the socket of the
        # next one that took its display number.
        xvfb.terminate()
        xvfb.wait()
    print("e2e: %d passed, %d failed, %d skipped" % (len(chosen) - failed - skipped, failed, skipped))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
