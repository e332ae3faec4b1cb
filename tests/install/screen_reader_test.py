#!/usr/bin/env python3
"""The main window as a screen reader finds it through AT-SPI: its 13 buttons by name, each
with a press action that does what a click does, and the clock strip's texts. Runs the real
program over a fresh settings folder, under dbus-run-session and an X server (xvfb-run);
exits 77 (skipped) where AT-SPI is missing or does not start.

    screen_reader_test.py TIDEWELL
"""
import datetime
import os
import subprocess
import sys
import tempfile
import time

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib
except (ImportError, ValueError):
    print("skipped: no AT-SPI bindings (gir1.2-atspi-2.0, python3-gi)")
    sys.exit(77)

# Each button's name (its hint) and what its press shows: a window of that name, the desktop
# asked to open the help page, the button's description, the program still (or no longer) running.
BUTTONS = [
    ("Print Calendar for Month", "window", "Print Options"),
    ("Switch between view as seen through Binoculars, a Telescope or a Diagonal",
     "description", "Now: Telescope"),
    ("Display Moon/Sun Rise/Set times and Twilight times for month", "window",
     "Rise/Set Times for Month"),
    ("Display links to Lunar Internet Sites", "window", "Lunar Web Sites"),
    ("Change the time within Tidewell", "field", "Hour"),
    ("Display menu showing Report options", "window", "Reports"),
    ("Display circumstances of Lunar Eclipse occurring this month", "window", "Lunar Eclipse"),
    ("Open the help page at About Tidewell", "desktop", "tidewell.htm#about"),
    ("Change configuration parameters", "window", "Configuration"),
    ("Display online help", "desktop", "tidewell.htm"),
    ("Display version information", "window", "About Tidewell"),
    ("Minimize Tidewell", "runs", ""),  # bare Xvfb has no window manager to minimise it
    ("Exit Tidewell", "ends", ""),
]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)


def wait_for(condition, seconds=5.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):
            pass
        found = condition()
        if found:
            return found
        time.sleep(0.05)
    return None


def descendants(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child
            yield from descendants(child)


def has_state(node, state):
    return node.get_state_set().contains(state)


def press(node):
    actions = node.get_action_iface()
    names = [actions.get_action_name(i) for i in range(actions.get_n_actions())]
    check("Press" in names, f"{node.get_name()!r} offers Press (has {names})")
    if "Press" in names:
        actions.do_action(names.index("Press"))


work = tempfile.mkdtemp()
opened = os.path.join(work, "opened")
bin_dir = os.path.join(work, "bin")
os.mkdir(bin_dir)
with open(os.path.join(bin_dir, "xdg-open"), "w") as script:  # the desktop, recorded
    script.write(f'#!/bin/sh\necho "$1" >> "{opened}"\n')
os.chmod(os.path.join(bin_dir, "xdg-open"), 0o755)
env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
           XDG_CONFIG_HOME=os.path.join(work, "config"), PATH=bin_dir + ":" + os.environ["PATH"],
           LANG="C.UTF-8", LC_ALL="C.UTF-8")
# Windows that show, as the reader hears of them (pop-ups are no children of the program).
# Listening first also starts the accessibility bus, which the program looks for as it starts.
shown = []
listener = Atspi.EventListener.new(lambda event: shown.append(event.source))
listener.register("object:state-changed:showing")
program = subprocess.Popen([sys.argv[1]], env=env)


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == program.pid:
            return app
    return None


def main_window(app):
    return next((w for w in descendants(app) if w.get_role() == Atspi.Role.FRAME
                 and w.get_name() == "Tidewell"), None)


try:
    app = wait_for(application, 20)
    window = app and wait_for(lambda: main_window(app))
    if window is None:
        print("skipped: the program did not appear on the AT-SPI bus")
        sys.exit(77)

    named = {b.get_name(): b for b in descendants(window) if b.get_role() == Atspi.Role.PUSH_BUTTON}
    # A hint may name the button's shortcut after it: "Display online help (F1)".
    buttons = {name: b for name, _, _ in BUTTONS for full, b in named.items()
               if full == name or full.startswith(name + " (")}
    missing = [name for name, _, _ in BUTTONS if name not in buttons]
    check(not missing and "" not in named, f"buttons {missing} missing or one unnamed")

    texts = {t.get_description(): t.get_name() for t in descendants(window)
             if t.get_role() == Atspi.Role.LABEL}
    today = datetime.date.today().strftime("%B %Y")
    check(today in texts.get("Displayed time", ""), f"the clock strip shows {today}: {texts}")
    check(texts.get("Local sidereal time now", "").startswith("LST: "), "the strip's sidereal time")

    def window_shown(title):
        return any(s.get_role() == Atspi.Role.FRAME and s.get_name() == title for s in shown)

    def close_windows():
        # Escape would do; a press elsewhere closes a pop-up and leaves the main window as it is.
        for frame in descendants(app):
            if frame.get_role() == Atspi.Role.FRAME and frame.get_name() != "Tidewell":
                exit_button = next((b for b in descendants(frame)
                                    if b.get_role() == Atspi.Role.PUSH_BUTTON
                                    and b.get_name().startswith(("Close", "Store"))), None)
                if exit_button is not None and has_state(frame, Atspi.StateType.SHOWING):
                    press(exit_button)

    eclipse = buttons.get(BUTTONS[6][0])
    if eclipse is not None and not has_state(eclipse, Atspi.StateType.SHOWING):
        # The month shown has no eclipse: the month list (the month caption's button) finds one.
        for month in range(1, 13):
            caption = next(b for b in descendants(window) if b.get_role() == Atspi.Role.PUSH_BUTTON
                           and b.get_name() in [datetime.date(2000, m, 1).strftime("%B") for m in range(1, 13)])
            shown.clear()
            press(caption)
            months = wait_for(lambda: next((s for s in shown if s.get_name() == "Months"), None))
            entry = months and next(e for e in descendants(months)
                                    if e.get_name() == datetime.date(2000, month, 1).strftime("%B"))
            if entry is not None:
                press(entry)
            if wait_for(lambda: has_state(eclipse, Atspi.StateType.SHOWING), 1):
                break

    for name, shows, detail in BUTTONS:
        button = buttons.get(name)
        if button is None:
            continue
        shown.clear()
        description = button.get_description()
        press(button)
        if shows == "window":
            check(wait_for(lambda: window_shown(detail)), f"{name!r} shows the window {detail!r}")
        elif shows == "description":
            check(wait_for(lambda: button.get_description() == detail),
                  f"{name!r} changes its description from {description!r} to {detail!r}")
        elif shows == "field":
            field = next((f for f in descendants(window) if f.get_name() == detail), None)
            check(field is not None and wait_for(lambda: has_state(field, Atspi.StateType.SHOWING)),
                  f"{name!r} shows the field {detail!r}")
        elif shows == "desktop":
            def asked():
                return os.path.exists(opened) and open(opened).read().strip().splitlines()
            check(wait_for(lambda: (asked() or [""])[-1].endswith(detail)),
                  f"{name!r} asks the desktop to open {detail!r}")
        elif shows == "runs":
            check(not wait_for(lambda: program.poll() is not None, 1), f"{name!r} keeps running")
        elif shows == "ends":
            check(wait_for(lambda: program.poll() is not None), f"{name!r} ends the program")
            break
        close_windows()
finally:
    if program.poll() is None:
        program.terminate()
        program.wait(10)

print(f"{len(failures)} failures" if failures else "the main window checked through AT-SPI")
sys.exit(1 if failures else 0)
