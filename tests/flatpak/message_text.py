#!/usr/bin/python3
"""Prints the text of the running program's message of the given title, as a screen
reader reads it through AT-SPI.
Usage: message_text.py TITLE (with tests/window on PYTHONPATH)"""
import sys

from at_spi import nodes, showing, top_level

message = top_level(sys.argv[1], "message")
print("\n".join(node.name for node in nodes(message)
                if node.getRoleName() == "label" and showing(node)))
