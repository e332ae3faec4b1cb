#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The pop-up placement test in a private Wayland session (scripts/wayland-session), read
from the protocol: the last pop-up opened after each announcement must hang from the main
window's surface with its anchor in the announced place, and the report window's toplevel
must have the main window as its parent. Exits 77 (skipped) where the session cannot run.

    wayland_pop_ups.py POP_UP_PLACEMENT_TEST"""
import os, re, subprocess, sys, tempfile

session = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "wayland-session")
with tempfile.NamedTemporaryFile("r") as log:
    run = subprocess.run([session, "--keys", "--log", log.name, sys.argv[1]],
                         capture_output=True, text=True)
    protocol = log.read()
if run.returncode == 77 or 'platform plugin "wayland"' in protocol:
    print("skipped:", run.stderr.strip())
    sys.exit(77)
faults, windows, surfaces, anchors, main = [], [], {}, {}, (None, None)
for line in protocol.splitlines():
    if m := re.match(r"(pop-up|report window) (.+?)(?:: anchor in (.+))?$", line):
        windows.append([m[2], m[3] and [int(v) for v in m[3].split()], None])
    elif m := re.search(r"xdg_surface@(\d+)\.get_toplevel\(new id xdg_toplevel@(\d+)", line):
        surfaces[m[2]] = m[1]
    elif m := re.search(r'xdg_toplevel@(\d+)\.set_title\("Tidewell"\)', line):
        main = (surfaces.get(m[1]), m[1])
    elif m := re.search(r"xdg_positioner@(\d+)\.set_anchor_rect\((-?\d+), (-?\d+)", line):
        anchors[m[1]] = (int(m[2]), int(m[3]))
    elif windows and (m := re.search(r"xdg_surface@(\d+), xdg_positioner@(\d+)\)", line)):
        windows[-1][2] = (m[1] == main[0], anchors.get(m[2]))
    elif windows and not windows[-1][1] and ".set_parent(" in line:
        parent = re.search(r"set_parent\(xdg_toplevel@(\d+)", line)[1]
        windows[-1][2] = (parent == main[1], None)
for name, region, opened in windows:
    on_main, anchor = opened or (False, None)
    x, y = anchor or (0, 0)
    if not on_main:
        faults.append(f"{name}: not a pop-up or child window of the main window")
    elif region and not (0 <= x - region[0] < region[2] and 0 <= y - region[1] < region[3]):
        faults.append(f"{name}: anchor at ({x}, {y}), not in {region}")
if run.returncode != 0 or not windows:
    faults.append("the test program failed:\n" + run.stdout)
print("\n".join("FAIL: " + fault for fault in faults) or f"{len(windows)} windows opened in place")
sys.exit(1 if faults else 0)
