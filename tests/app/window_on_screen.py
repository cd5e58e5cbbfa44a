#!/usr/bin/env python3
"""The launcher window as it shows on screen, checked on screenshots of the X display:
size and position, the see-through maroon, the white strip, the brand label, and a splash picture
covering the area above the strip with its own maroon pixels see-through.

usage: window_on_screen.py WINE_EXEC WINDOW_DEMO WORK_DIR
"""
import os
import re
import subprocess
import sys
import time

DESKTOP = (0, 255, 0)
MAROON = (128, 0, 0)
WIDTH, HEIGHT, STRIP = 601, 362, 19
TITLE = "系统打开中..."


def screenshot():
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                          check=True, capture_output=True).stdout
    # P6 header: magic, width, height, maxval, then RGB bytes.
    fields = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    w, h = int(fields.group(1)), int(fields.group(2))
    pixels = data[fields.end():]
    return lambda x, y: tuple(pixels[(y * w + x) * 3:(y * w + x) * 3 + 3]), w, h


def window_geometry():
    """Width, height and absolute position of the launcher window once it is mapped."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    for line in tree.splitlines():
        if TITLE not in line:
            continue
        info = subprocess.run(["xwininfo", "-id", line.split()[0]], capture_output=True, text=True).stdout
        if "IsViewable" not in info:
            continue
        value = lambda key: int(re.search(key + r":\s+(-?\d+)", info).group(1))
        return value("Width"), value("Height"), value("Absolute upper-left X"), value("Absolute upper-left Y")
    return None


def show(wine_exec, demo, *args):
    proc = subprocess.Popen([wine_exec, demo, *args], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.time() + 60
    while time.time() < deadline:
        geometry = window_geometry()
        if geometry:
            time.sleep(1.0)  # let it paint
            return proc, geometry
        time.sleep(0.2)
    proc.kill()
    raise AssertionError("the launcher window did not show")


def close(proc):
    proc.kill()
    proc.wait()
    time.sleep(0.5)


failures = []


def check(condition, text):
    if not condition:
        failures.append(text)
        print("FAIL:", text)


def near(a, b, tolerance=8):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def main():
    wine_exec, demo, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    subprocess.run(["xsetroot", "-solid", "#00ff00"], check=True)

    # 1. No picture: only the label and the strip show.
    proc, (w, h, x, y) = show(wine_exec, demo)
    try:
        pixel, sw, sh = screenshot()
        check((w, h) == (WIDTH, HEIGHT), f"window is {w}x{h}, not {WIDTH}x{HEIGHT}")
        check((x, y) == ((sw - w) // 2, (sh - h) // 2), f"window at {x},{y} is not centred on {sw}x{sh}")
        for px, py in [(5, 5), (300, 50), (590, 330), (500, 200)]:
            check(pixel(x + px, y + py) == DESKTOP, f"maroon at {px},{py} is not see-through: {pixel(x + px, y + py)}")
        top = HEIGHT - STRIP
        check(pixel(x + 500, y + top - 1) == DESKTOP, "the row above the strip is not see-through")
        for py in (top, top + 9, HEIGHT - 1):
            check(pixel(x + 500, y + py) == (255, 255, 255), f"the strip is not white at row {py}")
        label = [pixel(x + px, y + py) for px in range(35, 135) for py in range(124, 152)]
        check(any(max(p) < 64 for p in label), "no black label pixels near 35,124")
        check(pixel(x + 30, y + 130) == DESKTOP, "left of the label is not see-through")
        subprocess.run(["import", "-window", "root", os.path.join(work, "window-no-picture.png")])
    finally:
        close(proc)

    # 2. A picture: blue with a maroon block, exactly the size of the picture area.
    picture = os.path.join(work, "splash.jpg")
    subprocess.run(["convert", "-size", f"{WIDTH}x{HEIGHT - STRIP}", "xc:#0000ff",
                    "-fill", "#800000", "-draw", "rectangle 400,96 463,159",
                    "-quality", "100", "-sampling-factor", "1x1", picture], check=True)
    proc, (w, h, x, y) = show(wine_exec, demo, picture)
    try:
        pixel, _, _ = screenshot()
        for px, py in [(5, 5), (300, 50), (590, 330), (40, 130), (60, 140)]:
            check(near(pixel(x + px, y + py), (0, 0, 255)), f"the picture does not cover {px},{py}: {pixel(x + px, y + py)}")
        for px, py in [(410, 110), (430, 130), (455, 150)]:
            check(pixel(x + px, y + py) == DESKTOP, f"the picture's maroon at {px},{py} is not see-through")
        check(pixel(x + 500, y + HEIGHT - 5) == (255, 255, 255), "the strip is not white under the picture")
        subprocess.run(["import", "-window", "root", os.path.join(work, "window-picture.png")])
    finally:
        close(proc)

    print("checked:", "failures" if failures else "all good")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
