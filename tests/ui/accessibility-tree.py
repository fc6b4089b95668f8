"""Reads the running window through AT-SPI and checks what a screen reader would announce."""
import sys
import time

import pyatspi

# Roles a user works or reads as a control; labels, panels and frames name nothing on their own.
CONTROL_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_SCROLL_BAR,
    pyatspi.ROLE_SLIDER, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_IMAGE, pyatspi.ROLE_LIST,
}
# Controls the issue names, by the name and role a reader must give them.
EXPECTED = {
    ("Wind", "scroll bar"), ("Pendulum length", "scroll bar"), ("Volume", "scroll bar"),
    ("Chimes in Use", "text"), ("Chimes to strike", "image"),
    ("Favorite Settings", "combo box"), ("Instrument", "combo box"), ("Channel", "combo box"),
    ("Base Note", "combo box"), ("Scale", "combo box"), ("Transpose", "combo box"),
    ("Number of Chimes", "text"), ("Pause", "push button"),
}
failures = []


def until(what, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    return None


def main_window(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.get_process_id() != pid:
            continue
        for window in app:
            if window is not None and window.name.startswith("Tinsori ("):
                return window
    return None


def walk(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def values_of(node, role):
    """The texts that are the control's value rather than its name."""
    values = set()
    if role == pyatspi.ROLE_COMBO_BOX:
        for item in walk(node):
            if item.getRole() in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_MENU_ITEM):
                values.add(item.name)
            if item.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY):
                values |= values_of(item, item.getRole())
    elif role in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY):
        try:
            text = node.queryText()
            values.add(text.getText(0, text.characterCount))
        except NotImplementedError:
            pass
    if role in (pyatspi.ROLE_SCROLL_BAR, pyatspi.ROLE_SLIDER, pyatspi.ROLE_SPIN_BUTTON):
        values.add(str(int(node.queryValue().currentValue)))
    values.discard("")
    return values


def check_names(window):
    seen = set()
    for node in walk(window):
        role = node.getRole()
        if role not in CONTROL_ROLES or not showing(node):
            continue
        # A combo box's own list and entry are read through the combo box.
        if node.parent is not None and node.parent.getRole() == pyatspi.ROLE_COMBO_BOX:
            continue
        name = node.name.strip()
        print(f"{node.getRoleName():12} {name!r}")
        seen.add((name, node.getRoleName()))
        if not name:
            failures.append(f"unnamed {node.getRoleName()}")
        elif name in values_of(node, role):
            failures.append(f"{node.getRoleName()} named by its value {name!r}")
    for name, role in sorted(EXPECTED - seen):
        failures.append(f"no {role} named {name!r}")
    picture = [n for n in walk(window) if n.name == "Chimes to strike"]
    if picture and not picture[0].getState().contains(pyatspi.STATE_FOCUSABLE):
        failures.append("the chime picture cannot take the keyboard focus")


def check_pause_name(window):
    buttons = [n for n in walk(window) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON
               and n.name == "Pause"]
    if not buttons:
        failures.append("no Pause button")
        return
    button = buttons[0]
    button.queryAction().doAction(0)
    if not until(lambda: button.name == "Continue", 5):
        failures.append(f"paused, the button is named {button.name!r}")
        return
    # Three blink phases of 350 ms, twice over: the text is empty in one of them.
    names = set()
    for _ in range(21):
        names.add(button.name)
        time.sleep(0.1)
    print(f"paused, the button's names over 2.1 s: {sorted(names)}")
    if names != {"Continue"}:
        failures.append(f"the paused button's name blinks: {sorted(names)}")
    button.queryAction().doAction(0)
    if not until(lambda: button.name == "Pause", 5):
        failures.append(f"after Continue the button is named {button.name!r}")


def main():
    pid = int(sys.argv[1])
    window = until(lambda: main_window(pid), 60)
    if window is None:
        print("FAIL: the window did not appear on the accessibility bus")
        return 1
    # The lists are filled during the start-up; wait for the channel list to hold its entries.
    until(lambda: any(n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "Pause"
                      for n in walk(window)), 20)
    check_names(window)
    check_pause_name(window)
    for failure in failures:
        print(f"FAIL: {failure}")
    if not failures:
        print("accessibility session passed")
    return 1 if failures else 0


sys.exit(main())
