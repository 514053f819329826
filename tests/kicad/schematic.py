# SPDX-License-Identifier: GPL-3.0-or-later
"""A KiCad 6 schematic read back as KiCad connects it: each symbol's pins
placed from its embedded library symbol, joined through wires (at their
ends), junctions, labels (anywhere on a wire), global labels and power
symbols. Also tells of a wire end or pin on the middle of a wire, which
only a junction or a split wire would join plainly."""
from sexpr import child, children

# KiCad's symbol transforms: the library's Y up becomes the sheet's Y down,
# then the rotation (counterclockwise on the sheet), then mirroring.
BASE = (1, 0, 0, -1)
TURN = (0, 1, -1, 0)


def compose(old, temp):
    x1, y1, x2, y2 = old
    t1, u1, t2, u2 = temp
    return (x1 * t1 + x2 * u1, y1 * t1 + y2 * u1, x1 * t2 + x2 * u2, y1 * t2 + y2 * u2)


def transform(angle, mirror):
    m = BASE
    for _ in range((int(round(float(angle))) // 90) % 4):
        m = compose(m, TURN)
    if mirror == "x":
        m = compose(m, (1, 0, 0, -1))
    elif mirror == "y":
        m = compose(m, (-1, 0, 0, 1))
    return m


def key(x, y):
    return (round(float(x) * 100), round(float(y) * 100))


class Sheet:
    def __init__(self, tree):
        self.problems = []
        self.library = {}
        for sym in children(child(tree, "lib_symbols"), "symbol"):
            name = sym[1]
            base = name.split(":")[1]
            pins = []
            for unit in children(sym, "symbol"):
                u = int(unit[1][len(base) + 1:].split("_")[0])
                for pin in children(unit, "pin"):
                    at = child(pin, "at")
                    pins.append((u, child(pin, "number")[1], float(at[1]), float(at[2]), pin[1]))
            self.library[name] = {"pins": pins, "power": child(sym, "power") is not None}
        references = {}
        for path in children(child(tree, "symbol_instances"), "path"):
            references[path[1].lstrip("/")] = (child(path, "reference")[1], child(path, "value")[1],
                                               child(path, "footprint")[1])
        self.symbols = []
        for s in children(tree, "symbol"):
            at = child(s, "at")
            mirror = child(s, "mirror")
            props = {p[1]: p[2] for p in children(s, "property")}
            uuid = child(s, "uuid")[1]
            ref, value, footprint = references.get(uuid, (props.get("Reference"), props.get("Value"),
                                                          props.get("Footprint")))
            if props.get("Reference") != ref or props.get("Value") != value or props.get("Footprint") != footprint:
                self.problems.append(f"{ref}: fields {props} differ from its instance {ref, value, footprint}")
            self.symbols.append({"lib_id": child(s, "lib_id")[1], "x": float(at[1]), "y": float(at[2]),
                                 "angle": at[3] if len(at) > 3 else 0, "mirror": mirror[1] if mirror else None,
                                 "unit": int(child(s, "unit")[1]), "ref": ref, "value": value,
                                 "footprint": footprint, "uuid": uuid})
        self.wires = []
        for w in children(tree, "wire"):
            (_, a), (_, b) = [(p[0], key(p[1], p[2])) for p in children(child(w, "pts"), "xy")]
            self.wires.append((a, b))
        self.junctions = [key(child(j, "at")[1], child(j, "at")[2]) for j in children(tree, "junction")]
        self.labels = [(l[1], key(child(l, "at")[1], child(l, "at")[2])) for l in children(tree, "label")]
        self.globals = [(l[1], key(child(l, "at")[1], child(l, "at")[2])) for l in children(tree, "global_label")]

    def pins_of(self, s):
        m = transform(s["angle"], s["mirror"])
        for unit, number, x, y, kind in self.library[s["lib_id"]]["pins"]:
            if unit in (0, s["unit"]):
                px = s["x"] + m[0] * x + m[1] * y
                py = s["y"] + m[2] * x + m[3] * y
                yield number, key(px, py), kind

    def nets(self):
        """{(reference, pin): net name} for every pin of every part, and
        {net name: [(reference, pin)]}; a net with no label is named by
        its pins."""
        parent = {}

        def find(p):
            parent.setdefault(p, p)
            while parent[p] != p:
                parent[p] = parent[parent[p]]
                p = parent[p]
            return p

        def join(a, b):
            parent[find(a)] = find(b)

        def on_middle(p, a, b):
            (x, y), (ax, ay), (bx, by) = p, a, b
            if p in (a, b):
                return False
            if ax == bx == x:
                return min(ay, by) < y < max(ay, by)
            if ay == by == y:
                return min(ax, bx) < x < max(ax, bx)
            return False

        for a, b in self.wires:
            join(a, b)
        names = {}
        for text, p in self.labels + self.globals:
            for a, b in self.wires:
                if p in (a, b) or on_middle(p, a, b):
                    join(p, a)
            names.setdefault(text, []).append(p)
        pins = []
        for s in self.symbols:
            for number, p, kind in self.pins_of(s):
                find(p)
                if self.library[s["lib_id"]]["power"]:
                    names.setdefault(s["value"], []).append(p)
                else:
                    pins.append((s["ref"], number, p))
        ends = [p for w in self.wires for p in w] + [p for _, _, p in pins]
        for p in ends:
            for a, b in self.wires:
                if on_middle(p, a, b):
                    self.problems.append(f"a wire end or pin at {p} on the middle of the wire {a}-{b}")
        for j in self.junctions:
            if sum(1 for p in ends if p == j) + sum(1 for _, p in self.labels if p == j) < 3:
                self.problems.append(f"a junction at {j} where fewer than three ends meet")
        for points in names.values():
            for p in points[1:]:
                join(points[0], p)
        root_name = {}
        for text, points in names.items():
            r = find(points[0])
            if r in root_name and root_name[r] != text:
                self.problems.append(f"nets {root_name[r]} and {text} are joined")
            root_name[r] = text
        pin_net = {}
        for ref, number, p in pins:
            r = find(p)
            pin_net[(ref, number)] = root_name.get(r, f"unnamed at {r}")
        by_net = {}
        for pin, net in pin_net.items():
            by_net.setdefault(net, []).append(pin)
        return pin_net, by_net
