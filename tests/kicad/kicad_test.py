#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""vandrel-solve's KiCad files read back: every pin's net in the schematic
must be the node of the SPICE netlist written for the same parts, pin by
pin; the parts in the order of the circuit diagram; the .net file's
components and nets those of the schematic; the parts list one row for
each distinct part."""
import csv
import io
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

here = Path(__file__).resolve().parent
sys.path.insert(0, str(here))
sys.path.insert(0, str(here.parent))
from checks import check, finish  # noqa: E402
from schematic import Sheet  # noqa: E402
from sexpr import child, children, parse  # noqa: E402

program = sys.argv[1]

THT = {"R": "Resistor_THT:R_Axial_DIN0207_L6.3mm_D2.5mm_P10.16mm_Horizontal",
       "C": "Capacitor_THT:C_Rect_L7.2mm_W4.5mm_P5.00mm_FKS2_FKP2_MKS2_MKP2",
       "U": "Package_DIP:DIP-8_W7.62mm"}
SMD = {"R": "Resistor_SMD:R_0805_2012Metric", "C": "Capacitor_SMD:C_0805_2012Metric",
       "U": "Package_SO:SOIC-8_3.9x4.9mm_P1.27mm"}

# (name, options, {schematic reference: SPICE element}, BOM rows as
# (designators, comment, quantity))
DESIGNS = [
    ("gain, R4 two in series", ["--mode", "sos", "--freq", "20", "--q", "2", "--parts", "E24", "--combine", "series"],
     {"R1": "R1", "R2": "RF", "R3": "R3", "R4": "R4A", "R9": "R4B", "R5": "RIN", "R6": "ROUT",
      "C1": "C1", "C2": "C2", "C3": "CIN", "C4": "CF"},
     [("R6", "200 Ω", 1), ("R9", "1.8 kΩ", 1), ("R3", "2 kΩ", 1), ("R1,R2", "15 kΩ", 2), ("R4", "30 kΩ", 1),
      ("R5", "47 kΩ", 1), ("C4", "0.01 µF", 1), ("C1,C2,C3", "1 µF", 3), ("U1", "TL072", 1)]),
    ("gain, R3 two in parallel", ["--mode", "sos", "--cfilter", "0.22", "--freq", "31", "--q", "1.2", "--parts", "E12",
                                  "--combine", "parallel"],
     {"R1": "R1", "R2": "RF", "R3": "R3A", "R8": "R3B", "R4": "R4", "R5": "RIN", "R6": "ROUT",
      "C1": "C1", "C2": "C2", "C3": "CIN", "C4": "CF"},
     [("R6", "200 Ω", 1), ("R8", "10 kΩ", 1), ("R1,R2", "15 kΩ", 2), ("R5", "47 kΩ", 1), ("R4", "56 kΩ", 1),
      ("R3", "330 kΩ", 1), ("C4", "0.01 µF", 1), ("C1,C2", "0.22 µF", 2), ("C3", "1 µF", 1), ("U1", "TL072", 1)]),
    ("follower, R3 and R4 in parallel", ["--mode", "sos", "--gain", "0", "--cfilter", "4.7", "--freq", "8", "--q",
                                         "0.9", "--parts", "E6", "--combine", "parallel"],
     {"R3": "R3A", "R8": "R3B", "R4": "R4A", "R9": "R4B", "R5": "RIN", "R6": "ROUT", "C1": "C1", "C2": "C2",
      "C3": "CIN"},
     [("R6", "200 Ω", 1), ("R3,R8", "4.7 kΩ", 2), ("R9", "10 kΩ", 1), ("R4", "33 kΩ", 1), ("R5", "47 kΩ", 1),
      ("C3", "1 µF", 1), ("C1,C2", "4.7 µF", 2), ("U1", "TL072", 1)]),
    ("peaking, every resistor in series", ["--mode", "peaking", "--freq-peak", "25", "--peakmag", "3", "--parts", "E12",
                                           "--combine", "series", "--r-tol", "0", "--footprints", "smd"],
     {"R1": "R1A", "R7": "R1B", "R2": "RF", "R3": "R3A", "R8": "R3B", "R4": "R4A", "R9": "R4B", "R5": "RIN",
      "R6": "ROUT", "C1": "C1", "C2": "C2", "C3": "CIN", "C4": "CF"},
     [("R7", "68 Ω", 1), ("R6", "200 Ω", 1), ("R8", "220 Ω", 1), ("R3", "2.7 kΩ", 1), ("R9", "4.7 kΩ", 1),
      ("R1,R2,R4", "15 kΩ", 3), ("R5", "47 kΩ", 1), ("C4", "0.01 µF", 1), ("C1,C2,C3", "1 µF", 3),
      ("U1", "TL072", 1)]),
    ("gain 3 dB, every resistor in parallel", ["--mode", "sos", "--gain", "3", "--freq", "23", "--q", "0.8", "--parts",
                                               "E6", "--combine", "parallel", "--r-tol", "0.1"],
     {"R1": "R1A", "R7": "R1B", "R2": "RF", "R3": "R3A", "R8": "R3B", "R4": "R4A", "R9": "R4B", "R5": "RIN",
      "R6": "ROUT", "C1": "C1", "C2": "C2", "C3": "CIN", "C4": "CF"},
     [("R6", "200 Ω", 1), ("R8", "4.7 kΩ", 1), ("R2", "15 kΩ", 1), ("R4,R9", "22 kΩ", 2), ("R3,R5,R7", "47 kΩ", 3),
      ("R1", "150 kΩ", 1), ("C4", "0.01 µF", 1), ("C1,C2,C3", "1 µF", 3), ("U1", "TL072", 1)]),
]

# The SPICE node each schematic net stands for.
SPICE_NODE = {"IN": "in", "OUT": "out", "GND": "0"}
UNITS = {"Ω": 1, "kΩ": 1e3, "MΩ": 1e6, "µF": 1e-6}


def spice_elements(text):
    """{name: (nodes, value)} of the netlist's resistors, capacitors and
    controlled sources."""
    out = {}
    for line in text.splitlines():
        f = line.split()
        if not f or f[0][0] in "*.V":
            continue
        if f[0][0] == "E":
            out[f[0]] = (f[1:5], None)
        else:
            out[f[0]] = (f[1:3], float(f[3]))
    return out


def value_of(text):
    number, unit = text.split(" ")
    return float(number) * UNITS[unit]


def check_sheet(name, sheet, mapping, spice, footprints):
    for p in sheet.problems:
        check(f"{name}: drawn plainly", False, p)
    pin_net, by_net = sheet.nets()
    parts = {s["ref"]: s for s in sheet.symbols if not s["ref"].startswith("#")}
    check(f"{name}: parts", set(parts) == set(mapping) | {"U1"}, sorted(parts))
    for ref, element in mapping.items():
        nodes, value = spice[element]
        nets = [SPICE_NODE.get(pin_net.get((ref, pin)), pin_net.get((ref, pin))) for pin in ("1", "2")]
        check(f"{name}: {ref} pin by pin as {element}", nets == nodes, f"{nets} against {nodes}")
        s = parts.get(ref)
        if s:
            check(f"{name}: {ref} value", abs(value_of(s["value"]) / value - 1) < 1e-9, f"{s['value']} against {value}")
            check(f"{name}: {ref} footprint", s["footprint"] == footprints[ref[0]], s["footprint"])
    buffer, section = spice["EBUF"][0], spice["EHP"][0]
    opamp = {pin: SPICE_NODE.get(pin_net.get(("U1", pin)), pin_net.get(("U1", pin))) for pin in "12345678"}
    # A controlled source's nodes: output +, output -, input +, input -.
    check(f"{name}: U1A as EBUF", [opamp["1"], "0", opamp["3"], opamp["2"]] == buffer, f"{opamp} against {buffer}")
    check(f"{name}: U1B as EHP", [opamp["7"], "0", opamp["5"], opamp["6"]] == section, f"{opamp} against {section}")
    check(f"{name}: U1 supply", (opamp["8"], opamp["4"]) == ("+15V", "-15V"), opamp)
    units = sorted(s["unit"] for s in sheet.symbols if s["ref"] == "U1")
    check(f"{name}: U1's three units", units == [1, 2, 3], units)
    check(f"{name}: U1 footprint", parts["U1"]["footprint"] == footprints["U"], parts["U1"]["footprint"])
    # In the order of the diagram, left to right, and no two parts in one place.
    x = {s["ref"] + str(s["unit"]): s["x"] for s in sheet.symbols}
    order = ["C31", "U11", "C11", "C21", "U12", "R61"]
    check(f"{name}: left to right", [x[k] for k in order] == sorted(x[k] for k in order), [x[k] for k in order])
    places = [(s["x"], s["y"]) for s in sheet.symbols if not s["ref"].startswith("#")]
    check(f"{name}: one place each", len(set(places)) == len(places), places)
    return pin_net, by_net


def check_netlist(name, text, sheet, by_net, schematic_name):
    tree = parse(text)
    check(f"{name}: netlist version", child(tree, "version")[1] == "E", child(tree, "version"))
    check(f"{name}: netlist source", child(child(tree, "design"), "source")[1] == schematic_name)
    comps = {child(c, "ref")[1]: (child(c, "value")[1], child(c, "footprint")[1], child(c, "tstamps")[1])
             for c in children(child(tree, "components"), "comp")}
    drawn = {}
    for s in sheet.symbols:
        if not s["ref"].startswith("#") and s["unit"] == 1:
            drawn[s["ref"]] = (s["value"], s["footprint"])
    check(f"{name}: netlist components", {r: v[:2] for r, v in comps.items()} == drawn, f"{comps} against {drawn}")
    # Pcbnew ties a footprint to its symbol by the symbol's time stamp.
    stamps = {s["ref"]: s["uuid"] for s in sheet.symbols if not s["ref"].startswith("#") and s["unit"] == 1}
    check(f"{name}: netlist time stamps", {r: v[2] for r, v in comps.items()} == stamps, f"{comps} against {stamps}")
    nets = {}
    for net in children(child(tree, "nets"), "net"):
        nets[child(net, "name")[1].lstrip("/")] = sorted((child(n, "ref")[1], child(n, "pin")[1])
                                                         for n in children(net, "node"))
    drawn_nets = {n: sorted(p) for n, p in by_net.items()}
    check(f"{name}: netlist nets", nets == drawn_nets, f"{nets} against {drawn_nets}")


def check_bom(name, text, rows, footprints):
    table = list(csv.reader(io.StringIO(text)))
    check(f"{name}: BOM header", table[0] == ["Designator", "Comment", "Footprint", "Quantity", "Tolerance",
                                              "Manufacturer", "MPN"], table[0])
    got = [(r[0], r[1], int(r[3])) for r in table[1:]]
    check(f"{name}: BOM rows", got == rows, got)
    for r in table[1:]:
        kind = r[0][0]
        check(f"{name}: BOM footprint of {r[0]}", r[2] == footprints[kind].split(":")[1], r[2])
        check(f"{name}: BOM maker and part number empty", r[5:] == ["", ""], r)


with tempfile.TemporaryDirectory() as folder:
    for name, options, mapping, rows in DESIGNS:
        files = {k: os.path.join(folder, f"f.{k}") for k in ("kicad_sch", "net", "csv", "cir")}
        run = subprocess.run([program, *options, "--kicad", files["kicad_sch"], "--kicad-netlist", files["net"],
                              "--bom", files["csv"], "--spice", files["cir"]], capture_output=True, text=True)
        check(f"{name}: exit 0", run.returncode == 0, run.stderr)
        if run.returncode:
            continue
        text = {k: Path(v).read_text(encoding="utf-8") for k, v in files.items()}
        footprints = SMD if "smd" in options else THT
        sheet = Sheet(parse(text["kicad_sch"]))
        uuids = re.findall(r"\(uuid ([0-9a-f-]+)\)", text["kicad_sch"])
        check(f"{name}: every UUID once", len(uuids) == len(set(uuids)) and len(uuids) > 50, len(uuids))
        check(f"{name}: UUIDs of version 4", all(re.fullmatch(r"[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-"
                                                              r"[0-9a-f]{12}", u) for u in uuids))
        check(f"{name}: schematic version", child(parse(text["kicad_sch"]), "version")[1] == "20211123")
        pin_net, by_net = check_sheet(name, sheet, mapping, spice_elements(text["cir"]), footprints)
        check_netlist(name, text["net"], sheet, by_net, "f.kicad_sch")
        check_bom(name, text["csv"], rows, footprints)

    # The same circuit gives the same files, whatever the run.
    again = os.path.join(folder, "again.kicad_sch")
    first = os.path.join(folder, "first.kicad_sch")
    for path in (first, again):
        subprocess.run([program, *DESIGNS[0][1], "--kicad", path], capture_output=True, check=True)
    check("same circuit, same schematic", Path(first).read_bytes() == Path(again).read_bytes())

    # The files need parts, and a footprint kind that exists.
    for args, word in ((["--kicad", first], "--parts"), (["--bom", first], "--parts"),
                       (["--kicad-netlist", first], "--parts"),
                       (["--parts", "E24", "--footprints", "pcb", "--bom", first], "tht or smd")):
        run = subprocess.run([program, *args], capture_output=True, text=True)
        check(f"refused: {args}", run.returncode == 2 and word in run.stderr, (run.returncode, run.stderr))

finish("kicad")
