#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""cmake --install into a fresh prefix: every file in place, icons of the
sizes their folders name, the desktop entry and AppStream metadata valid, the
manual pages free of formatting warnings, the programs runnable from there
and carrying no RUNPATH."""
import email.utils
import gzip
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from checks import check, finish  # noqa: E402

build, app_id = sys.argv[1], sys.argv[2]
source = Path(__file__).resolve().parents[2]
VERSION = "1.01"
DEP5_FORMAT = "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"


def release_date():
    """The date of the changelog's newest entry, YYYY-MM-DD, as written."""
    with open(source / "packaging" / "changelog") as f:
        trailer = next(line for line in f if line.startswith(" -- "))
    return email.utils.parsedate_to_datetime(trailer.split(">", 1)[1].strip()).strftime("%Y-%m-%d")


def deb822(path):
    """The paragraphs of a Debian control-style file, each a dict of its
    fields, continuation lines joined with newlines."""
    paragraphs, fields, name = [], {}, None
    with open(path) as f:
        for line in f.read().splitlines() + [""]:
            if not line.strip():
                if fields:
                    paragraphs.append(fields)
                fields, name = {}, None
            elif line[0] in " \t" and name:
                fields[name] += "\n" + line.strip()
            else:
                name, _, value = line.partition(":")
                fields[name] = value.strip()
    return paragraphs


def check_copyright(path):
    """packaging/copyright as machine-readable DEP-5: the header, every
    Files paragraph whole, naming files that exist, and each licence it
    names given in full in a paragraph of its own."""
    header, *rest = deb822(path)
    check("copyright format", header.get("Format") == DEP5_FORMAT, str(header))
    for field in ("Upstream-Name", "Upstream-Contact", "Source"):
        check("copyright " + field, header.get(field), str(header))
    files = [p for p in rest if "Files" in p]
    texts = {p["License"].split("\n")[0]: p["License"] for p in rest if "Files" not in p}
    check("copyright Files: * under GPL-3.0-or-later",
          any(p["Files"] == "*" and p.get("License") == "GPL-3.0-or-later" for p in files), str(files))
    for p in files:
        check("copyright " + p["Files"] + " whole", p.get("Copyright") and p.get("License"), str(p))
        for pattern in p["Files"].split():
            check("copyright names " + pattern, pattern == "*" or any(source.glob(pattern)), pattern)
        for name in re.split(r" or | and ", p.get("License", "")):
            check("copyright licence " + name + " in full", "\n" in texts.get(name, ""), str(texts.keys()))
    check("copyright GPL text on Debian",
          "/usr/share/common-licenses/GPL-3" in texts.get("GPL-3.0-or-later", ""), str(texts.keys()))


def check_descriptions(desktop_entry, metainfo):
    """What software centres show: the licences, the Parts window and the
    build sheet described, a Parts window screenshot, this release with a
    description, and the same keywords as the desktop entry."""
    root = ElementTree.parse(metainfo).getroot()
    description = " ".join(" ".join(root.find("description").itertext()).split())
    release = root.find(f"releases/release[@version='{VERSION}']")
    keywords = {k.text for k in root.iterfind("keywords/keyword")}
    entry_keywords = next(line for line in desktop_entry if line.startswith("Keywords="))
    entry_keywords = set(entry_keywords.split("=", 1)[1].rstrip(";").split(";"))
    for name, good, detail in (
        ("project licence", root.findtext("project_license") == "GPL-3.0-or-later", root.findtext("project_license")),
        ("metadata licence", root.findtext("metadata_license") in ("FSFAP", "CC0-1.0"), root.findtext("metadata_license")),
        ("description of the Parts window", "The Parts window" in description, description),
        ("description of the build sheet", "build sheet" in description and "PDF" in description, description),
        ("Parts window screenshot", any(s.findtext("image", "").endswith("/parts-window.png") and s.findtext("caption")
                                        for s in root.iterfind("screenshots/screenshot")), ""),
        ("release with a description", release is not None and release.get("date") == release_date()
         and release.findtext("description/p", "").strip(), ElementTree.tostring(root.find("releases"))),
        ("keywords of the Parts window and build sheet", {"parts list", "build sheet"} <= keywords, str(keywords)),
        ("keywords as in the desktop entry", keywords == entry_keywords, str(keywords ^ entry_keywords)),
    ):
        check("metainfo: " + name, good, detail)


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])


with tempfile.TemporaryDirectory() as prefix:
    subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
    share = os.path.join(prefix, "share")
    desktop = os.path.join(share, "applications", app_id + ".desktop")
    metainfo = os.path.join(share, "metainfo", app_id + ".metainfo.xml")

    for program in ("vandrel", "vandrel-solve"):
        path = os.path.join(prefix, "bin", program)
        run = subprocess.run([path, "--version"], capture_output=True, text=True,
                             env=dict(os.environ, DISPLAY="", QT_QPA_PLATFORM="xcb"))
        check(program + " --version", run.returncode == 0 and run.stdout == VERSION + "\n", repr(run.stdout))
    # vandrel-solve finds the build sheet's module where it is installed.
    sheet = os.path.join(prefix, "sheet.pdf")
    run = subprocess.run([os.path.join(prefix, "bin", "vandrel-solve"), "--parts", "E24", "--sheet", sheet],
                         capture_output=True, text=True)
    check("vandrel-solve --sheet", run.returncode == 0 and Path(sheet).read_bytes()[:5] == b"%PDF-", run.stderr)

    # No binary needs a search path of its own: they link system libraries
    # only, and the program loads the Parts module by its path.
    binaries = [os.path.join(prefix, "bin", p) for p in ("vandrel", "vandrel-solve")]
    binaries += [str(p) for p in Path(prefix).glob("lib*/**/vandrel/*.so")]
    check("the Parts, print and sheet modules are installed",
          sorted(os.path.basename(p) for p in binaries[2:]) == ["vandrel_parts.so", "vandrel_print.so", "vandrel_sheet.so"],
          str(binaries))
    readelf = shutil.which("readelf")
    for path in binaries if readelf else []:
        dynamic = subprocess.run([readelf, "-d", path], capture_output=True, text=True, check=True).stdout
        paths = [line.strip() for line in dynamic.splitlines() if "(RUNPATH)" in line or "(RPATH)" in line]
        check(os.path.relpath(path, prefix) + " has no RUNPATH", not paths, str(paths))
        # The window starts without Qt Print Support, which "Print" loads.
        if path == binaries[0]:
            check("vandrel does not load Qt Print Support", "libQt6PrintSupport" not in dynamic, dynamic)

    for tool, path in ((["desktop-file-validate"], desktop), (["appstreamcli", "validate", "--no-net"], metainfo)):
        run = subprocess.run(tool + [path], capture_output=True, text=True)
        check(os.path.basename(path), run.returncode == 0, run.stdout + run.stderr)
    with open(desktop) as f:
        entry = f.read().splitlines()
    check("desktop entry icon", f"Icon={app_id}" in entry and "Exec=vandrel" in entry, str(entry))
    check_descriptions(entry, metainfo)

    hicolor = os.path.join(share, "icons", "hicolor")
    check("scalable icon", os.path.getsize(os.path.join(hicolor, "scalable", "apps", app_id + ".svg")) > 0)
    for size in (16, 22, 24, 32, 48, 64, 128, 256):
        path = os.path.join(hicolor, f"{size}x{size}", "apps", app_id + ".png")
        got = png_size(path) if os.path.exists(path) else "missing"
        check(f"{size}x{size} icon", got == (size, size), str(got))

    check_copyright(os.path.join(share, "doc", "vandrel", "copyright"))

    man = shutil.which("man")
    for page in ("vandrel", "vandrel-solve"):
        path = os.path.join(share, "man", "man1", page + ".1.gz")
        with gzip.open(path, "rt") as f:
            title = re.search(r'^\.TH (\S+) (\S+) "([^"]*)"', f.read(), re.M)
        check(page + "(1) title, section and release date",
              title and title.groups() == (page.upper(), "1", release_date()), title and title.group(0))
        if man:
            run = subprocess.run([man, "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", path],
                                 capture_output=True, text=True, env=dict(os.environ, MANWIDTH="80"))
            check(page + "(1) formats cleanly", run.returncode == 0 and run.stderr == "", run.stderr)

finish("install_test")
