# SPDX-License-Identifier: GPL-3.0-or-later
"""A small reader of KiCad's s-expression files: lists of atoms, strings
unquoted, and a way to find the lists with a given head."""
import re

TOKEN = re.compile(r'\s*(?:(\()|(\))|"((?:[^"\\]|\\.)*)"|([^\s()"]+))')


class Str(str):
    """A quoted string, told apart from a bare atom."""


def parse(text):
    stack = [[]]
    pos = 0
    while True:
        m = TOKEN.match(text, pos)
        if not m or m.end() == pos:
            break
        pos = m.end()
        if m.group(1):
            stack.append([])
        elif m.group(2):
            done = stack.pop()
            stack[-1].append(done)
        elif m.group(3) is not None:
            stack[-1].append(Str(re.sub(r'\\(.)', lambda e: "\n" if e.group(1) == "n" else e.group(1), m.group(3))))
        else:
            stack[-1].append(m.group(4))
    if text[pos:].strip() or len(stack) != 1 or len(stack[0]) != 1:
        raise ValueError(f"not one balanced s-expression (stopped at byte {pos})")
    return stack[0][0]


def children(node, head):
    """The lists directly inside `node` whose first atom is `head`."""
    return [c for c in node if isinstance(c, list) and c and c[0] == head]


def child(node, head):
    found = children(node, head)
    return found[0] if found else None
