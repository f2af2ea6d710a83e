#!/usr/bin/python3
"""The project's Flatpak manifest as it is built here, printed as JSON: its runtime and
SDK swapped for the ones made from Debian (NAME and BRANCH), and its git source for the
checkout's current commit. Everything else stays as the manifest says.
Usage: flatpak-manifest.py MANIFEST NAME BRANCH CHECKOUT"""
import json
import subprocess
import sys

import yaml

manifest_path, runtime, branch, checkout = sys.argv[1:]
with open(manifest_path, encoding="utf-8") as source:
    manifest = yaml.safe_load(source)
manifest.update({"runtime": runtime, "runtime-version": branch, "sdk": runtime})
commit = subprocess.run(["git", "-C", checkout, "rev-parse", "HEAD"], check=True,
                        capture_output=True, text=True).stdout.strip()
(module,) = [m for m in manifest["modules"] if m["name"] == "garagon"]
(git,) = [s for s in module["sources"] if s["type"] == "git"]
git.clear()
git.update({"type": "git", "path": checkout, "commit": commit})
json.dump(manifest, sys.stdout, indent=2)
