#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The files vandrel-solve writes: whole or not at all, all of them or none,
never over anything but a regular file, through links, with the modes and
rights the files had."""
import os
import shutil
import stat
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from checks import check, finish, runner  # noqa: E402

command = sys.argv[1:]
run = runner(command, timeout=60)
native = len(command) == 1          # not under Wine: POSIX links, FIFOs and modes apply
PARTS = ("--parts", "E24")
NETLIST_START = "* Vandrel 1.01"


def read(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def write(path, text):
    with open(path, "w") as f:
        f.write(text)


def entries(folder):
    return sorted(os.listdir(folder))


with tempfile.TemporaryDirectory() as top:
    os.chmod(top, 0o777)

    def folder():
        return tempfile.mkdtemp(dir=top)

    # Several files: all written, or none changed.
    d = folder()
    write(os.path.join(d, "old.cir"), "old netlist")
    result = run(*PARTS, "--spice", os.path.join(d, "old.cir"), "--response", os.path.join(d, "nodir", "x.csv"))
    check("one bad file: status", result.returncode == 2, result.stderr)
    check("one bad file: message", result.stderr.startswith("vandrel-solve: cannot write ") and
          "x.csv" in result.stderr, result.stderr)
    check("one bad file: the other unchanged", read(os.path.join(d, "old.cir")) == "old netlist"
          and entries(d) == ["old.cir"], str(entries(d)))
    result = run(*PARTS, "--spice", os.path.join(d, "same"), "--response", os.path.join(d, "same"))
    check("one file for two outputs refused", result.returncode == 2 and "two outputs" in result.stderr
          and entries(d) == ["old.cir"], result.stderr)

    # Over an earlier file: replaced, so a hard link keeps the old text; a
    # name of 250 characters works, as the temporary name is short.
    d = folder()
    long_name = os.path.join(d, "n" * 246 + ".cir")
    write(long_name, "old")
    os.link(long_name, os.path.join(d, "hard"))
    result = run(*PARTS, "--spice", long_name)
    check("replaced: status", result.returncode == 0, result.stderr)
    check("replaced: new text", read(long_name).startswith(NETLIST_START), read(long_name)[:40])
    check("replaced: the hard link keeps the old", read(os.path.join(d, "hard")) == "old")
    check("replaced: no temporary file left", entries(d) == sorted(["hard", os.path.basename(long_name)]),
          str(entries(d)))

    # A folder is never written over.
    d = folder()
    os.mkdir(os.path.join(d, "sub"))
    result = run(*PARTS, "--spice", os.path.join(d, "sub"))
    check("folder refused", result.returncode == 2 and "it is a folder" in result.stderr, result.stderr)

    # "-" is standard output.
    result = run(*PARTS, "--response", "-")
    check("standard output", result.returncode == 0 and result.stdout.startswith("hz,section_exact_db"),
          result.stdout[:40])

    if native:
        # Links: the file at the end gets the content; the link stays a link,
        # also when it leads to a file not there yet.
        d = folder()
        write(os.path.join(d, "real.cir"), "old")
        os.symlink("real.cir", os.path.join(d, "link.cir"))
        os.symlink(os.path.join(d, "new.cir"), os.path.join(d, "dangling.cir"))
        result = run(*PARTS, "--spice", os.path.join(d, "link.cir"), "--response", os.path.join(d, "dangling.cir"))
        check("links: status", result.returncode == 0, result.stderr)
        check("links stay links", os.path.islink(os.path.join(d, "link.cir"))
              and os.path.islink(os.path.join(d, "dangling.cir")))
        check("links: content at their ends", read(os.path.join(d, "real.cir")).startswith(NETLIST_START)
              and read(os.path.join(d, "new.cir")).startswith("hz,"))

        # A planted link under any temporary name would not be followed: the
        # temporary file is created exclusively, so a victim stays whole.
        victim = os.path.join(d, "victim")
        write(victim, "keep")
        for suffix in ("tmp", ".tmp%d" % os.getpid()):
            os.symlink(victim, os.path.join(d, "real.cir" + suffix))
        result = run(*PARTS, "--spice", os.path.join(d, "real.cir"))
        check("planted links: victim whole", result.returncode == 0 and read(victim) == "keep", result.stderr)

        # Not regular files: refused and left as they were.
        d = folder()
        fifo = os.path.join(d, "fifo")
        os.mkfifo(fifo)
        specials = [fifo]
        if os.geteuid() == 0:
            node = os.path.join(d, "null")
            os.mknod(node, 0o666 | stat.S_IFCHR, os.makedev(1, 3))
            specials.append(node)
        for special in specials:
            result = run(*PARTS, "--spice", special)
            kind = stat.S_IFMT(os.lstat(special).st_mode)
            check(special + " refused", result.returncode == 2 and "not a regular file" in result.stderr,
                  result.stderr)
            check(special + " left as it was", kind in (stat.S_IFIFO, stat.S_IFCHR))
        check("no temporary file beside specials", entries(d) == sorted(os.path.basename(s) for s in specials),
              str(entries(d)))

        # Modes: an existing file keeps its own; a new one gets the umask's.
        d = folder()
        kept = os.path.join(d, "kept.csv")
        write(kept, "old")
        os.chmod(kept, 0o640)
        umask = subprocess.run(["sh", "-c", f'umask 027; exec "$@"', "sh", *command, *PARTS, "--response", kept,
                                "--spice", os.path.join(d, "new.cir")], capture_output=True, text=True)
        check("modes: status", umask.returncode == 0, umask.stderr)
        check("modes: kept", stat.S_IMODE(os.stat(kept).st_mode) == 0o640, oct(os.stat(kept).st_mode))
        check("modes: new from the umask", stat.S_IMODE(os.stat(os.path.join(d, "new.cir")).st_mode) == 0o640,
              oct(os.stat(os.path.join(d, "new.cir")).st_mode))

        # A file the user may not write is refused with the system's reason,
        # though the folder would let it be replaced.
        d = folder()
        os.chmod(d, 0o777)
        locked = os.path.join(d, "locked.cir")
        write(locked, "locked")
        os.chmod(locked, 0o444)
        as_user = []
        if os.geteuid() == 0:
            as_user = [shutil.which("setpriv"), "--reuid=65534", "--regid=65534", "--clear-groups"]
        result = subprocess.run([*as_user, *command, *PARTS, "--spice", locked], capture_output=True, text=True)
        check("read-only refused", result.returncode == 2 and "Permission denied" in result.stderr, result.stderr)
        check("read-only unchanged", read(locked) == "locked" and stat.S_IMODE(os.stat(locked).st_mode) == 0o444
              and entries(d) == ["locked.cir"], str(entries(d)))

finish("files_test")
