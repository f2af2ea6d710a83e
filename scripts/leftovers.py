#!/usr/bin/python3
"""Notes the processes that run now, or lists each process that started since and still
runs and fails if there is one. Kernel threads, this check and the shells that run it do
not count. Usage: leftovers.py record FILE | leftovers.py check FILE"""
import os
import sys


def processes():
    """Each user-space process by its id: its parent and its command line."""
    found = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as stat:
                parent = int(stat.read().rsplit(")", 1)[1].split()[1])
            with open(f"/proc/{entry}/cmdline", "rb") as cmdline:
                command = cmdline.read().replace(b"\0", b" ").decode(errors="replace").strip()
        except (OSError, IndexError, ValueError):
            continue  # ended meanwhile
        if command:
            found[int(entry)] = (parent, command)
    return found


def ancestors(running):
    chain, pid = set(), os.getpid()
    while pid in running and pid not in chain:
        chain.add(pid)
        pid = running[pid][0]
    return chain


mode, file = sys.argv[1], sys.argv[2]
running = processes()
if mode == "record":
    with open(file, "w") as record:
        record.write("\n".join(str(pid) for pid in running))
    sys.exit(0)
with open(file) as record:
    before = {int(line) for line in record if line.strip()}
left = sorted(set(running) - before - ancestors(running))
for pid in left:
    print(f"left running: {pid} {running[pid][1]}", file=sys.stderr)
sys.exit(1 if left else 0)
