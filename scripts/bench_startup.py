#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up time and memory of Vandrel against the least Qt Widgets program of
its kind (bench/minimal_qt: a main window of the same size with a menu bar,
six input fields and a button).

Builds both in build-bench (Release), starts one private Xvfb, then launches
the two programs in turn, N times each (ABBA order, after one unmeasured
launch of each to warm the file cache), and for every launch measures from
outside the program:

  mapped   time from the launch until a top-level window whose _NET_WM_PID is
           the program's process is viewable (mapped) on the X server;
  painted  time from the launch until the window's pixels, read back from
           the X server, equal those of the program's settled window (taken
           from the warm-up launch, 1.5 s after it was mapped); so the first
           frame counts only once it is complete;
  memory   peak resident set size (VmHWM in /proc/PID/status), read 0.5 s
           after the window was painted, just before the program is ended.

Prints the medians, the ratios Vandrel / minimal, and whether they are within
the goals (1.15x). Needs Xvfb and libX11 (Debian: xvfb, libx11-6).

Usage: scripts/bench_startup.py [-n RUNS] [--no-build] [--json]
"""

import argparse
import ctypes
import ctypes.util
import json
import os
import signal
import statistics
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build-bench"
PROGRAMS = {
    "vandrel": BUILD / "ui/main/vandrel",
    "minimal_qt": BUILD / "bench/minimal_qt/minimal_qt",
}
GOAL = 1.15
LAUNCH_TIMEOUT = 30.0

# --- the little of Xlib that is needed, through ctypes ----------------------

Window = ctypes.c_ulong
Atom = ctypes.c_ulong
IS_VIEWABLE = 2
ZPIXMAP = 2
ALL_PLANES = ctypes.c_ulong(0xFFFFFFFF)


class XWindowAttributes(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
        ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
        ("root", Window), ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
        ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
        ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
        ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
        ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
        ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
        ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p),
    ]


class XImage(ctypes.Structure):
    _fields_ = [
        ("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
        ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
        # further fields (masks, functions) are not read
    ]


ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


class X:
    """A connection to the X server, asking only what the measurement needs."""

    def __init__(self, display_name):
        lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        lib.XOpenDisplay.restype = ctypes.c_void_p
        lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        lib.XDefaultRootWindow.restype = Window
        lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        lib.XInternAtom.restype = Atom
        lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        lib.XQueryTree.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                                   ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
        lib.XGetWindowAttributes.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(XWindowAttributes)]
        lib.XGetWindowProperty.argtypes = [
            ctypes.c_void_p, Window, Atom, ctypes.c_long, ctypes.c_long, ctypes.c_int, Atom,
            ctypes.POINTER(Atom), ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
            ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
        lib.XGetImage.restype = ctypes.POINTER(XImage)
        lib.XGetImage.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                  ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        lib.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
        lib.XFree.argtypes = [ctypes.c_void_p]
        lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.lib = lib
        # A window may vanish between two requests; such errors are expected.
        self._handler = ERROR_HANDLER(lambda display, event: 0)
        lib.XSetErrorHandler(self._handler)
        self.dpy = lib.XOpenDisplay(display_name.encode())
        if not self.dpy:
            raise RuntimeError(f"cannot open X display {display_name}")
        self.root = lib.XDefaultRootWindow(self.dpy)
        self.pid_atom = lib.XInternAtom(self.dpy, b"_NET_WM_PID", 0)

    def close(self):
        self.lib.XCloseDisplay(self.dpy)

    def _pid_of(self, window):
        actual_type, actual_format = Atom(), ctypes.c_int()
        nitems, after, prop = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
        status = self.lib.XGetWindowProperty(self.dpy, window, self.pid_atom, 0, 1, 0, 0, ctypes.byref(actual_type),
                                             ctypes.byref(actual_format), ctypes.byref(nitems),
                                             ctypes.byref(after), ctypes.byref(prop))
        pid = None
        if status == 0 and prop.value:
            if nitems.value >= 1 and actual_format.value == 32:
                pid = ctypes.cast(prop, ctypes.POINTER(ctypes.c_ulong))[0]
            self.lib.XFree(prop)
        return pid

    def viewable_window_of(self, pid):
        """The viewable top-level window of process `pid`, with its size, or None."""
        root, parent = Window(), Window()
        children, count = ctypes.POINTER(Window)(), ctypes.c_uint()
        if not self.lib.XQueryTree(self.dpy, self.root, ctypes.byref(root), ctypes.byref(parent),
                                   ctypes.byref(children), ctypes.byref(count)):
            return None
        try:
            for i in range(count.value):
                w = children[i]
                attrs = XWindowAttributes()
                if not self.lib.XGetWindowAttributes(self.dpy, w, ctypes.byref(attrs)):
                    continue
                if attrs.map_state == IS_VIEWABLE and self._pid_of(w) == pid:
                    return w, attrs.width, attrs.height
        finally:
            if children:
                self.lib.XFree(children)
        return None

    def pixels(self, window, width, height):
        """The window's pixels as the server shows them, or None."""
        image = self.lib.XGetImage(self.dpy, window, 0, 0, width, height, ALL_PLANES, ZPIXMAP)
        if not image:
            return None
        try:
            img = image.contents
            return ctypes.string_at(img.data, img.bytes_per_line * img.height)
        finally:
            self.lib.XDestroyImage(image)


# --- measurement ---------------------------------------------------------------

def vm_hwm_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return None


def launch(x, exe, env, reference=None):
    """Starts `exe`, waits for its window, and returns the measurements and
    the settled pixels of the window."""
    start = time.monotonic()
    proc = subprocess.Popen([str(exe)], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        mapped = painted = None
        found = None
        while time.monotonic() - start < LAUNCH_TIMEOUT:
            if proc.poll() is not None:
                raise RuntimeError(f"{exe.name} exited with status {proc.returncode} before painting")
            if found is None:
                found = x.viewable_window_of(proc.pid)
                if found is None:
                    time.sleep(0.001)
                    continue
                mapped = time.monotonic() - start
            if reference is None:
                break
            if x.pixels(*found) == reference:
                painted = time.monotonic() - start
                break
            time.sleep(0.001)
        else:
            raise RuntimeError(f"{exe.name}: no {'window' if found is None else 'complete paint'} "
                               f"within {LAUNCH_TIMEOUT:.0f} s")
        if reference is None:
            # Warm-up: let the first frame settle, then keep it as the reference.
            time.sleep(1.5)
            settled = x.pixels(*found)
            time.sleep(0.5)
            if x.pixels(*found) != settled:
                raise RuntimeError(f"{exe.name}: the window keeps changing; no reference frame")
            return None, settled
        time.sleep(0.5)
        memory = vm_hwm_kib(proc.pid)
        return {"mapped_s": mapped, "painted_s": painted, "vm_hwm_kib": memory}, None
    finally:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def start_xvfb():
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1920x1200x24",
                             "-nolisten", "tcp", "-br", "-noreset"],
                            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as pipe:
        number = pipe.readline().strip()
    if not number:
        xvfb.kill()
        raise RuntimeError("Xvfb did not start")
    return xvfb, f":{number}"


def build():
    subprocess.run(["cmake", "-S", str(ROOT), "-B", str(BUILD), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                    "-DVANDREL_BUILD_BENCHMARKS=ON", "-DVANDREL_BUILD_TESTS=OFF"],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", str(BUILD), "--target", "vandrel", "minimal_qt"], check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("-n", "--runs", type=int, default=15, help="measured launches of each program (default 15)")
    parser.add_argument("--no-build", action="store_true", help="use build-bench as it is")
    parser.add_argument("--json", action="store_true", help="print the results as JSON")
    args = parser.parse_args()

    if not args.no_build:
        build()
    for exe in PROGRAMS.values():
        if not exe.exists():
            sys.exit(f"missing {exe}; run without --no-build")

    xvfb, display = start_xvfb()
    try:
        env = {k: v for k, v in os.environ.items() if k not in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY")}
        env["DISPLAY"] = display
        env.setdefault("XDG_RUNTIME_DIR", "/tmp/runtime-" + str(os.getuid()))
        Path(env["XDG_RUNTIME_DIR"]).mkdir(mode=0o700, exist_ok=True)
        x = X(display)
        references = {name: launch(x, exe, env)[1] for name, exe in PROGRAMS.items()}
        results = {name: [] for name in PROGRAMS}
        names = list(PROGRAMS)
        for i in range(args.runs):
            for name in (names if i % 2 == 0 else names[::-1]):
                results[name].append(launch(x, PROGRAMS[name], env, references[name])[0])
        x.close()
    finally:
        xvfb.terminate()
        xvfb.wait()

    summary = {}
    for name, runs in results.items():
        summary[name] = {key: statistics.median(r[key] for r in runs) for key in runs[0]}
    ratios = {key: summary["vandrel"][key] / summary["minimal_qt"][key] for key in summary["vandrel"]}

    if args.json:
        print(json.dumps({"runs": args.runs, "median": summary, "ratio": ratios, "all": results}, indent=2))
        return 0 if max(ratios.values()) <= GOAL else 1
    print(f"Medians of {args.runs} launches each (Xvfb {display}):")
    print(f"{'':12}{'mapped':>10}{'painted':>10}{'peak RSS':>12}")
    for name, s in summary.items():
        print(f"{name:12}{s['mapped_s'] * 1000:8.0f}ms{s['painted_s'] * 1000:8.0f}ms"
              f"{s['vm_hwm_kib'] / 1024:9.1f}MiB")
    print(f"{'ratio':12}{ratios['mapped_s']:9.2f}x{ratios['painted_s']:9.2f}x{ratios['vm_hwm_kib']:11.2f}x"
          f"   (goal: at most {GOAL}x)")
    return 0 if max(ratios.values()) <= GOAL else 1


if __name__ == "__main__":
    sys.exit(main())
