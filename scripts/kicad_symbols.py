#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes design/src/as_built/kicad_symbols.cpp: the KiCad library symbols
that the schematic export embeds (Device:R, Device:C,
Amplifier_Operational:TL072, power:+15V, power:-15V, power:GND), copied from
the installed kicad-symbols package, a derived symbol flattened into its
parent's units as KiCad does when it embeds one, and each pin's position.

Usage: scripts/kicad_symbols.py [LIBRARY_FOLDER] > design/src/as_built/kicad_symbols.cpp
       scripts/kicad_symbols.py --check [LIBRARY_FOLDER]   (exit 1 when the file differs)
LIBRARY_FOLDER defaults to /usr/share/kicad/symbols."""
import re
import sys
from pathlib import Path

# (C++ name, library, symbol)
WANTED = [
    ("resistor", "Device", "R"),
    ("capacitor", "Device", "C"),
    ("dual_opamp", "Amplifier_Operational", "TL072"),
    ("plus_15v", "power", "+15V"),
    ("minus_15v", "power", "-15V"),
    ("ground", "power", "GND"),
]


def tokens(text):
    return re.findall(r'\(|\)|"(?:[^"\\]|\\.)*"|[^\s()"]+', text)


def parse(text):
    """The s-expression as nested lists; strings keep their quotes."""
    stack = [[]]
    for t in tokens(text):
        if t == "(":
            stack.append([])
        elif t == ")":
            done = stack.pop()
            stack[-1].append(done)
        else:
            stack[-1].append(t)
    return stack[0][0]


def blocks(text, head):
    """The raw text of every top-level block (symbol "NAME" ...) of a library, by name."""
    found = {}
    depth = 0
    i = 0
    start = None
    in_string = False
    while i < len(text):
        c = text[i]
        if in_string:
            if c == "\\":
                i += 1
            elif c == '"':
                in_string = False
        elif c == '"':
            in_string = True
        elif c == "(":
            depth += 1
            if depth == 2:
                start = i
        elif c == ")":
            if depth == 2 and start is not None:
                block = text[start:i + 1]
                m = re.match(r'\(' + head + r' "((?:[^"\\]|\\.)*)"', block)
                if m:
                    found[m.group(1)] = block
            depth -= 1
        i += 1
    return found


def flattened(library, name):
    """A symbol's text with its parent's units when it extends one."""
    text = library[name]
    m = re.match(r'\(symbol "[^"]*" \(extends "([^"]*)"\)', text)
    if not m:
        return text
    parent = library[m.group(1)]
    own = parse(text)
    properties = [p for p in own if isinstance(p, list) and p[0] == "property"]
    # The parent's text with the child's properties in place of its own, and
    # its units under the child's name.
    head_end = parent.index("\n")
    head = parent[:head_end].replace(f'"{m.group(1)}"', f'"{name}"', 1)
    body = parent[head_end:]
    body = re.sub(r'\n    \(property .*?\n    \)', "", body, flags=re.S)
    own_props = re.findall(r'\n    \(property .*?\n    \)', text, flags=re.S)
    assert len(own_props) == len(properties)
    body = "".join(own_props) + body
    body = body.replace(f'(symbol "{m.group(1)}_', f'(symbol "{name}_')
    return head + body


def pins(tree, name):
    """(unit, number, x, y) of every pin: unit 0 stands for all units."""
    out = []
    for unit in tree:
        if not (isinstance(unit, list) and unit[0] == "symbol"):
            continue
        m = re.match(r'"' + re.escape(name) + r'_(\d+)_(\d+)"', unit[1])
        for item in unit[2:]:
            if isinstance(item, list) and item[0] == "pin":
                at = next(x for x in item if isinstance(x, list) and x[0] == "at")
                number = next(x for x in item if isinstance(x, list) and x[0] == "number")[1]
                out.append((int(m.group(1)), number, at[1], at[2]))
    return out


def generate(folder):
    libraries = {}
    lines = [
        "// SPDX-License-Identifier: CC-BY-SA-4.0 WITH KiCad-libraries-exception",
        "// KiCad's library symbols, with the KiCad libraries' exception: \"To the",
        "// extent that the creation of electronic designs that use 'Licensed",
        "// Material' can be considered to be 'Adapted Material', then the copyright",
        "// holder waives article 3 of the license with respect to these designs and",
        "// any generated files which use data provided as part of the 'Licensed",
        "// Material'.\" Copyright KiCad Community.",
        "//",
        "// Written by scripts/kicad_symbols.py from the kicad-symbols package; do not",
        "// edit.",
        '#include "kicad_symbols.h"',
        "",
        "namespace vandrel::as_built::kicad_library {",
        "",
    ]
    for cname, lib, name in WANTED:
        if lib not in libraries:
            libraries[lib] = blocks((Path(folder) / f"{lib}.kicad_sym").read_text(), "symbol")
        text = flattened(libraries[lib], name)
        text = text.replace(f'(symbol "{name}"', f'(symbol "{lib}:{name}"', 1)
        tree = parse(text)
        pin_list = pins(tree, name)
        lines.append(f"namespace {{")
        lines.append(f"constexpr Pin {cname}_pins[] = {{")
        for unit, number, x, y in pin_list:
            lines.append(f"    {{{number}, {unit}, {x}, {y}}},")
        lines.append("};")
        lines.append(f'constexpr const char {cname}_text[] = R"kicad(' + text + ')kicad";')
        lines.append("}  // namespace")
        lines.append(f'const Symbol {cname}{{"{lib}:{name}", {cname}_text, {cname}_pins}};')
        lines.append("")
    lines.append("}  // namespace vandrel::as_built::kicad_library")
    return "\n".join(lines) + "\n"


def main():
    args = sys.argv[1:]
    check = bool(args) and args[0] == "--check"
    if check:
        args = args[1:]
    folder = args[0] if args else "/usr/share/kicad/symbols"
    if check and not (Path(folder) / "Device.kicad_sym").exists():
        # Without the library: skipped, or failed where every tool must be there.
        import os
        if os.environ.get("VANDREL_REQUIRE_TOOLS") == "1":
            print(f"FAIL: no KiCad symbols in {folder}, and VANDREL_REQUIRE_TOOLS=1")
            return 1
        print(f"SKIP: no KiCad symbols in {folder}")
        return 77
    text = generate(folder)
    if not check:
        sys.stdout.write(text)
        return 0
    target = Path(__file__).resolve().parent.parent / "design/src/as_built/kicad_symbols.cpp"
    if target.read_text() != text:
        print(f"{target} differs from the symbols in {folder}: run scripts/kicad_symbols.py", file=sys.stderr)
        return 1
    print("kicad_symbols: 1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
