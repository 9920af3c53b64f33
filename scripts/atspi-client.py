#!/usr/bin/python3
# An accessibility client as a screen reader sees the program: finds it on
# the AT-SPI bus, walks its tree, checks the names and values of the fields,
# steps two fields and waits for their value announcements, opens the info
# window through its menu item. Run by scripts/check-atspi.sh; exits 1 on a
# failed check, 2 when the program never shows up.
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

APP_NAME = "Rollwerk"
MAIN_TITLE = "Rollwerk Tolvar V1.0"
INFO_TITLE = "Rollwerk Info"
CAPTIONS = [
    "Waffenkunde", "Magiekunde", "Faustkampf", "Zwei-Waffenkampf", "Schwertkunde", "Axtkampf",
    "Klingenwaffen", "Stangenwaffen", "Fernkampf", "Himmelsmagie", "Feuermagie", "Wassermagie",
    "Luftmagie", "Erdmagie", "Mondmagie", "Ballistik", "Blutrausch", "Konzentration", "Fallenkunst",
    "Vampirismus", "Meditation", "Wendigkeit", "Konstitution", "Parade", "R\u00fcstung", "Handel",
    "Reiten", "Entwaffnung",
]
# Items of a list are announced by their content, not by a name of their own.
ITEM_ROLES = {Atspi.Role.LIST_ITEM, Atspi.Role.TABLE_CELL, Atspi.Role.MENU_ITEM}

failures = []


def check(ok, what):
    print(("ok:   " if ok else "FAIL: ") + what, flush=True)
    if not ok:
        failures.append(what)


def spin(seconds):
    # Events reach the listeners only while the main context runs.
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def walk(node):
    yield node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child)


def find_app(timeout):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == APP_NAME and find_window(app, MAIN_TITLE):
                return app
        time.sleep(0.2)
    return None


def find_window(app, title):
    for i in range(app.get_child_count()):
        window = app.get_child_at_index(i)
        if window is not None and window.get_name() == title:
            return window
    return None


def labelled_by(node):
    names = []
    for relation in node.get_relation_set():
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            names += [relation.get_target(i).get_name() for i in range(relation.get_n_targets())]
    return names


def announced_name(node):
    # Orca takes an editable combo box's name from its label relation.
    if node.get_role() == Atspi.Role.COMBO_BOX:
        labels = labelled_by(node)
        return labels[0] if labels else ""
    return node.get_name()


def shown_text(node):
    if "Text" not in node.get_interfaces():
        return None
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def current_value(node):
    return Atspi.Value.get_current_value(node) if "Value" in node.get_interfaces() else None


def describe(node):
    states = node.get_state_set()
    flags = [s for s, f in (("focusable", Atspi.StateType.FOCUSABLE), ("showing", Atspi.StateType.SHOWING))
             if states.contains(f)]
    value = current_value(node)
    extra = f" value={value:g} text={shown_text(node)!r}" if value is not None else ""
    return f"{node.get_role_name()} {node.get_name()!r} [{','.join(flags)}]{extra}"


def focusable_widgets(window):
    found = []
    for node in walk(window):
        states = node.get_state_set()
        if (states.contains(Atspi.StateType.FOCUSABLE) and states.contains(Atspi.StateType.SHOWING)
                and node.get_role() not in ITEM_ROLES and node is not window):
            found.append(node)
    return found


def wait_for_focus(node, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if node.get_state_set().contains(Atspi.StateType.FOCUSED):
            return True
        spin(0.05)
    return node.get_state_set().contains(Atspi.StateType.FOCUSED)


def x_input(*actions):
    # Pointer and keys through the X server's test extension, as xdotool makes them: the AT-SPI
    # registry's own synthetic events have now and then not reached the X server for a whole run
    # (the pointer stayed where Xvfb put it), which is no property of the program.
    subprocess.run(["xdotool", *actions], check=True, timeout=10)


def click_to_focus(window, node):
    """Clicks the field as a user would until it has the focus, at most 10 times.

    Without a window manager the window takes the X focus when the pointer
    enters it, so the pointer first leaves: Xvfb starts it in the middle of the
    screen, where the window opens. After each click the field's focused state
    is awaited for a second."""
    for attempt in range(1, 11):
        box = node.get_extents(Atspi.CoordType.SCREEN)
        x, y = box.x + 20, box.y + box.height // 2
        x_input("mousemove", "0", "0", "sleep", "0.1", "mousemove", str(x), str(y), "click", "1")
        if wait_for_focus(node, 1.0):
            if attempt > 1:
                print(f"note: the focus came with click {attempt}", flush=True)
            return True
        window_active = window.get_state_set().contains(Atspi.StateType.ACTIVE)
        print(f"note: click {attempt} at {x},{y} left the field without the focus (window active: {window_active})",
              flush=True)
    return False


def check_names(window, expected):
    nodes = focusable_widgets(window)
    for node in nodes:
        print("seen: " + describe(node) + (f" labelled-by={labelled_by(node)}" if labelled_by(node) else ""))
    names = [announced_name(node) for node in nodes]
    for name in names:
        check(name.strip() != "" and not name.endswith(":"), f"focusable widget named {name!r}, no colon")
    for name in expected:
        check(name in names, f"{name!r} announced")
    return nodes


def main():
    app = find_app(30)
    if app is None:
        print(f"FAIL: no application {APP_NAME!r} with window {MAIN_TITLE!r} on the AT-SPI bus", flush=True)
        return 2
    print(f"found application {app.get_name()!r} (toolkit {app.get_toolkit_name()})", flush=True)
    main_window = find_window(app, MAIN_TITLE)

    expected = ["Stufe des Charakters", "Charakterklasse", "resultierende Boni"] + CAPTIONS
    nodes = check_names(main_window, expected)
    byname = {}
    for node in nodes:
        byname.setdefault(announced_name(node), node)

    combo = next((node for node in nodes if node.get_role() == Atspi.Role.COMBO_BOX), None)
    check(combo is not None and labelled_by(combo) == ["Charakterklasse"],
          "the combo box is labelled 'Charakterklasse'")
    if combo:
        for relation in combo.get_relation_set():
            if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
                label = relation.get_target(0)
                check(not label.get_state_set().contains(Atspi.StateType.SHOWING),
                      f"its label ({label.get_role_name()}) is not shown")

    for name, text in (("Stufe des Charakters", "1"), ("Waffenkunde", "1"), ("Magiekunde", "0")):
        node = byname.get(name)
        if node:
            check(node.get_role() == Atspi.Role.SPIN_BUTTON, f"{name} is a spin button")
            check(shown_text(node) == text, f"{name} text {shown_text(node)!r} == {text!r}")
            check(current_value(node) == float(text), f"{name} value {current_value(node)} == {text}")

    # Up on the level, then on a skill: each field announces its new value.
    changes = []

    def on_value(event):
        changes.append(event.source.get_name())

    listener = Atspi.EventListener.new(on_value)
    listener.register("object:property-change:accessible-value")
    for name, text in (("Stufe des Charakters", "2"), ("Waffenkunde", "2")):
        node = byname.get(name)
        if not node:
            continue
        check(click_to_focus(main_window, node), f"{name} has the focus")
        x_input("key", "Up")
        # Until the new value is shown and announced, for at most five seconds.
        end = time.monotonic() + 5
        while time.monotonic() < end and not (shown_text(node) == text and name in changes):
            spin(0.05)
        check(shown_text(node) == text, f"{name} text after Up {shown_text(node)!r} == {text!r}")
        check(current_value(node) == float(text), f"{name} value after Up {current_value(node)} == {text}")
        check(name in changes, f"{name} announced its new value (events from {sorted(set(changes))})")
    listener.deregister("object:property-change:accessible-value")

    # The info window exists on the bus once shown: open it through its menu item.
    info_item = next((n for n in walk(main_window)
                      if n.get_role() == Atspi.Role.MENU_ITEM and n.get_name() == "Info"), None)
    check(info_item is not None, "menu item 'Info' found")
    if info_item:
        info_item.do_action(0)
        info = None
        for _ in range(50):
            spin(0.1)
            info = find_window(app, INFO_TITLE)
            if info:
                break
        check(info is not None, f"window {INFO_TITLE!r} on the bus")
        if info:
            check_names(info, ["Info"])

    print(f"{len(failures)} failed check(s)" if failures else "all checks passed", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
