"""What the tests that read or drive the running program through AT-SPI share."""
import sys
import time

import pyatspi


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def nodes(node):
    yield node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        # A closed selector's list would give 32,767 entries, none of them on screen.
        if child is not None and (showing(child) or child.getRoleName() != "list"):
            yield from nodes(child)


def top_level(title, test):
    """The program's window or dialog of this title, waited for up to 20 s."""
    for _ in range(200):
        for application in pyatspi.Registry.getDesktop(0):
            if application is None or application.name != "Garagon":
                continue
            for index in range(application.childCount):
                top = application.getChildAtIndex(index)
                if top is not None and top.name == title:
                    return top
        time.sleep(0.1)
    sys.exit(f"{test}: no window {title!r}")
