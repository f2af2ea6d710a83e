"""Drives the running program through AT-SPI alone, as on any display server: marks the
second row of "Gefundene Wagen", replaces its car with the one the selector offers, saves,
confirms the message and ends the program.
Usage: at_spi_round_trip.py TITLE (with the program running)
"""
import sys
import time

import pyatspi

LISTS = {"tree", "tree table", "table"}


def nodes(node):
    yield node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        # The selector's list would give every catalogue car.
        if child is not None and child.getRoleName() != "list":
            yield from nodes(child)


def top_level(name):
    for _ in range(200):
        for application in pyatspi.Registry.getDesktop(0):
            if application is None or application.name != "Garagon":
                continue
            for index in range(application.childCount):
                top = application.getChildAtIndex(index)
                if top is not None and top.name == name:
                    return top
        time.sleep(0.1)
    sys.exit(f"AT-SPI round trip: no window {name!r}")


def control(top, name, roles):
    for node in nodes(top):
        if node.name == name and node.getRoleName() in roles:
            return node
    sys.exit(f"AT-SPI round trip: no control {name!r} in {top.name!r}")


# Debian 13's AT-SPI calls a push button "button", Debian 12's "push button".
def press(top, name):
    control(top, name, {"push button", "button"}).queryAction().doAction(0)


def main():
    window = top_level(sys.argv[1])
    if not control(window, "Gefundene Wagen", LISTS).queryTable().addRowSelection(1):
        sys.exit("AT-SPI round trip: the second row cannot be marked")
    press(window, "Ersetzen")
    press(window, "Änderungen speichern")
    press(top_level("Gespeichert"), "OK")
    press(window, "Programm beenden")


main()
