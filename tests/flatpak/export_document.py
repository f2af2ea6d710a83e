#!/usr/bin/python3
"""Hands a file to an app through the document portal on the session bus, as the file
chooser portal does when a player picks it, and prints the document's id. Waits for the
portal to come up.
Usage: export_document.py FILE APP_ID"""
import os
import sys
import time

import dbus

path, app_id = sys.argv[1:]
bus = dbus.SessionBus()
name = "org.freedesktop.portal.Documents"
for _ in range(100):
    if bus.name_has_owner(name):
        break
    time.sleep(0.2)
else:
    sys.exit("the document portal did not come up")
documents = dbus.Interface(bus.get_object(name, "/org/freedesktop/portal/documents"), name)
descriptor = os.open(path, os.O_PATH)
REUSE_EXISTING = 1
ids, _ = documents.AddFull([dbus.types.UnixFd(descriptor)], REUSE_EXISTING, app_id,
                           ["read", "write"])
print(ids[0])
