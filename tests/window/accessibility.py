"""Reads the running program's windows as a screen reader does, through AT-SPI.

Every control that shows has a name; the rows of "Gefundene Wagen" offer only what the
player sees, the car's name, and none of the texts of the columns hidden at width 0; the
question before unsaved replacements go reads its text and its three buttons.
Usage: accessibility.py main|dialog|question TITLE (with the program running)
"""
import re
import sys

from at_spi import nodes, showing, top_level

# Debian 13's AT-SPI calls a push button "button", Debian 12's "push button".
NAMED = {"push button", "button", "radio button", "combo box", "tree", "table", "text", "entry",
         "label", "dialog", "frame", "check box", "tree table", "list"}
QUESTION = "Die Änderungen an „Spielstand.sav“ sind noch nicht gespeichert. Jetzt speichern?"
HIDDEN_TEXT = re.compile(r"^(\d{3}|\d{5}|[0-9A-F-]+ - [0-9A-F-]+)$")


def check(top):
    problems = []
    for node in nodes(top):
        role = node.getRoleName()
        if role in NAMED and showing(node) and not node.name.strip():
            problems.append(f"a {role} without a name")
        if role == "table cell" and HIDDEN_TEXT.match(node.name):
            problems.append(f"a row offers the hidden text {node.name!r}")
    return problems


def main():
    kind, title = sys.argv[1], sys.argv[2]
    top = top_level(title, "accessibility")
    problems = check(top)
    if kind == "main":
        cells = [node.name for node in nodes(top) if node.getRoleName() == "table cell"]
        if "Kessler Möwe 1.6" not in cells:
            problems.append(f"the rows do not read as their cars: {cells[:8]}")
    if kind == "question":
        read = {node.name for node in nodes(top) if showing(node)}
        for wanted in (QUESTION, "Speichern", "Nicht speichern", "Abbrechen"):
            if wanted not in read:
                problems.append(f"it does not read {wanted!r}: {sorted(read)}")
    for problem in problems:
        print(f"accessibility: {title}: {problem}", file=sys.stderr)
    sys.exit(1 if problems else 0)


main()
