"""Drives the running program through AT-SPI alone, as on any display server: marks the
second row of "Gefundene Wagen", replaces its car with the one the selector offers, saves,
confirms the message and ends the program.
Usage: at_spi_round_trip.py TITLE (with the program running)
"""
import sys
import time

from at_spi import nodes, top_level
from gi.repository import GLib

LISTS = {"tree", "tree table", "table"}


def control(top, name, roles):
    for node in nodes(top):
        if node.name == name and node.getRoleName() in roles:
            return node
    sys.exit(f"AT-SPI round trip: no control {name!r} in {top.name!r}")


# Debian 13's AT-SPI calls a push button "button", Debian 12's "push button". A dialog
# just shown may still replace its controls' accessible objects: the button is then
# looked up again.
def press(title, name):
    for _ in range(50):
        top = top_level(title, "AT-SPI round trip")
        try:
            control(top, name, {"push button", "button"}).queryAction().doAction(0)
            return
        except GLib.GError:
            time.sleep(0.1)
    sys.exit(f"AT-SPI round trip: {name!r} in {title!r} cannot be pressed")


def main():
    title = sys.argv[1]
    rows = control(top_level(title, "AT-SPI round trip"), "Gefundene Wagen", LISTS)
    if not rows.queryTable().addRowSelection(1):
        sys.exit("AT-SPI round trip: the second row cannot be marked")
    press(title, "Ersetzen")
    press(title, "Änderungen speichern")
    press("Gespeichert", "OK")
    press(title, "Programm beenden")


main()
