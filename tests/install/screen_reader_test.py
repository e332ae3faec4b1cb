#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""screen_reader_test.py TIDEWELL: the main window as a screen reader finds it through AT-SPI:
its 13 buttons by name, each pressed to do what a click does, and the clock strip's texts.
Run under dbus-run-session and xvfb-run; 77 (skipped) where AT-SPI is missing or fails."""
import datetime, os, subprocess, sys, tempfile, time
try:
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib
except (ImportError, ValueError):
    sys.exit(print("skipped: no AT-SPI bindings (gir1.2-atspi-2.0, python3-gi)") or 77)

work = tempfile.mkdtemp()
opened = os.path.join(work, "opened")  # what the stand-in desktop was asked to open
with open(os.path.join(work, "xdg-open"), "w") as script:
    script.write(f'#!/bin/sh\necho "$1" >> "{opened}"\n')
os.chmod(os.path.join(work, "xdg-open"), 0o755)
env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb", LC_ALL="C.UTF-8",
           XDG_CONFIG_HOME=os.path.join(work, "config"), PATH=work + ":" + os.environ["PATH"])
# Windows that show, as a reader hears of them (pop-ups are no children of the program).
# Listening first also starts the accessibility bus, which the program looks for as it starts.
shown = []
listener = Atspi.EventListener.new(lambda event: shown.append(event.source))
listener.register("object:state-changed:showing")
program = subprocess.Popen([sys.argv[1]], env=env)
failures = []

def check(ok, what):
    if not ok:
        failures.append(print("FAIL:", what))

def wait_for(condition, seconds=5.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):
            pass
        found = condition()
        if found:
            return found
        time.sleep(0.05)

def descendants(node):
    for child in (node.get_child_at_index(i) for i in range(node.get_child_count())):
        if child is not None:
            yield child
            yield from descendants(child)

def showing(node):
    return node is not None and node.get_state_set().contains(Atspi.StateType.SHOWING)

def press(node):
    actions = node.get_action_iface()
    names = [actions.get_action_name(i) for i in range(actions.get_n_actions())]
    check("Press" in names, f"{node.get_name()!r} offers Press (has {names})")
    "Press" in names and actions.do_action(names.index("Press"))

def window_shows(title):
    return lambda: any(s.get_role() == Atspi.Role.FRAME and s.get_name() == title for s in shown)

def desktop_opens(page):
    return lambda: os.path.exists(opened) and open(opened).read().split()[-1].endswith(page)

def application():
    apps = Atspi.get_desktop(0)
    return next((a for a in map(apps.get_child_at_index, range(apps.get_child_count()))
                 if a is not None and a.get_process_id() == program.pid), None)

try:
    app = wait_for(application, 20)
    if app is None:
        sys.exit(print("skipped: the program did not appear on the AT-SPI bus") or 77)
    window = wait_for(lambda: next((w for w in descendants(app) if w.get_name() == "Tidewell"), None))
    check(window.get_role() == Atspi.Role.FRAME, "the main window is a frame")
    named = {b.get_name(): b for b in descendants(window) if b.get_role() == Atspi.Role.PUSH_BUTTON}
    button = {}

    def find(name):  # a hint may name the shortcut after it: "Display online help (F1)"
        button[name] = next((b for full, b in named.items() if full.split(" (")[0] == name), None)
        check(button[name] is not None and "" not in named, f"no button {name!r}, or one unnamed")
        return button[name]

    # Each button's name (its hint) and what its press shows.
    BUTTONS = [
        ("Print Calendar for Month", window_shows("Print Options")),
        ("Switch between view as seen through Binoculars, a Telescope or a Diagonal",
         lambda: button[BUTTONS[1][0]].get_description() == "Now: Telescope"),
        ("Display Moon/Sun Rise/Set times and Twilight times for month",
         window_shows("Rise/Set Times for Month")),
        ("Display links to Lunar Internet Sites", window_shows("Lunar Web Sites")),
        ("Change the time within Tidewell",
         lambda: any(f.get_name() == "Hour" and showing(f) for f in descendants(window))),
        ("Display menu showing Report options", window_shows("Reports")),
        ("Display circumstances of Lunar Eclipse occurring this month", window_shows("Lunar Eclipse")),
        ("Open the help page at About Tidewell", desktop_opens("tidewell.htm#about")),
        ("Change configuration parameters", window_shows("Configuration")),
        ("Display online help", desktop_opens("tidewell.htm")),
        ("Display version information", window_shows("About Tidewell")),
        # Bare Xvfb has no window manager to minimise it: the program goes on.
        ("Minimize Tidewell", lambda: not wait_for(lambda: program.poll() is not None, 1)),
        ("Exit Tidewell", lambda: program.poll() is not None),
    ]
    texts = {t.get_description(): t.get_name() for t in descendants(window)
             if t.get_role() == Atspi.Role.LABEL}
    today = datetime.date.today().strftime("%B %Y")
    check(today in texts.get("Displayed time", ""), f"the clock strip shows {today}: {texts}")
    check(texts.get("Local sidereal time now", "").startswith("LST: "), "the strip's sidereal time")

    eclipse = find(BUTTONS[6][0])
    months = [datetime.date(2000, m, 1).strftime("%B") for m in range(1, 13)]
    for month in months if not showing(eclipse) else []:
        # No eclipse this month: the month list (the month caption's button) finds one.
        shown.clear()
        press(next(b for b in named.values() if b.get_name() in months))
        picker = wait_for(lambda: next((s for s in shown if s.get_name() == "Months"), None))
        press(next(e for e in descendants(picker) if e.get_name() == month))
        if wait_for(lambda: showing(eclipse), 1):
            break

    for name, pressed in BUTTONS:
        if find(name) is not None:
            shown.clear()
            press(button[name])
            check(wait_for(pressed), f"{name!r} pressed")
finally:
    program.terminate()

print(f"{len(failures)} failures" if failures else "the main window checked through AT-SPI")
sys.exit(1 if failures else 0)
