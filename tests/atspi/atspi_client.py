#!/usr/bin/python3
"""An AT-SPI client, as a screen reader is one: it finds the running application on the
accessibility bus, opens the Matrix page and the Preset window through their accessible
actions, and reaches and operates matrix cells and preset buttons by their names.

Run by run-atspi.sh inside a private D-Bus session on an X display. Exit status 0: all
found and operated; 77: no accessibility bus (the caller reports a skip); 1: a fault."""
import sys
import time
import warnings

warnings.simplefilter("ignore", DeprecationWarning)

try:
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
except (ImportError, ValueError) as e:
    print("SKIP: no AT-SPI client library (gir1.2-atspi-2.0):", e)
    sys.exit(77)

APP = "dsp-control"
faults = []


def fault(text):
    print("FAULT:", text)
    faults.append(text)


def wait_for(what, fn, seconds=20.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            value = fn()
        except gi.repository.GLib.Error:
            value = None
        if value:
            return value
        time.sleep(0.2)
    return None


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == APP:
            return app
    return None


def walk(node, visit, depth=0):
    """Down the tree as a screen reader goes; visit returns True to stop."""
    if node is None or depth > 40:
        return False
    if visit(node):
        return True
    try:
        count = node.get_child_count()
    except gi.repository.GLib.Error:
        return False
    for i in range(count):
        if walk(node.get_child_at_index(i), visit, depth + 1):
            return True
    return False


def names(root, wanted=None):
    """Name -> accessible of every node below root (or only the wanted names)."""
    found = {}

    def visit(node):
        try:
            name = node.get_name()
        except gi.repository.GLib.Error:
            return False
        if name and (wanted is None or name in wanted) and name not in found:
            found[name] = node
        return wanted is not None and len(found) == len(wanted)

    walk(root, visit)
    return found


def find(root, name):
    return names(root, {name}).get(name)


def actions(node):
    try:
        return [node.get_action_name(i) for i in range(node.get_n_actions())]
    except (gi.repository.GLib.Error, NotImplementedError, AttributeError):
        return []


def act(node, action):
    """Performs the named action (Press, Toggle) as a screen reader's user does."""
    names = actions(node)
    if action not in names:
        print("%r has no action %s, only %s" % (node.get_name(), action, names))
        return False
    return node.do_action(names.index(action))


def key(keysym):
    time.sleep(0.3)  # the focus moves first
    return Atspi.generate_keyboard_event(keysym, None, Atspi.KeySynthType.SYM)


def question(app, text):
    """The application's message box whose text ends with text."""
    for i in range(app.get_child_count()):
        window = app.get_child_at_index(i)
        if window is not None and window.get_role() in (Atspi.Role.DIALOG, Atspi.Role.ALERT):
            found = names(window)
            if any(name.endswith(text) for name in found):
                return window
    return None


def checked(node):
    return node.get_state_set().contains(Atspi.StateType.CHECKED)


def main():
    app = wait_for("application", application, 60)
    if app is None:
        print("SKIP: %s did not appear on the accessibility bus" % APP)
        return 77
    print("found %s with %d windows" % (APP, app.get_child_count()))

    # The Matrix page, through its module button.
    # A checkable button's Toggle action checks it without a click, so a screen reader's user
    # focuses the module button and presses Space, as the keyboard section says.
    button = wait_for("Matrix button", lambda: find(app, "Matrix"))
    if button is None or not act(button, "SetFocus"):
        fault("no module button Matrix to focus")
        return 1
    key(0x20)  # Space
    inputs = ["IN %d" % i for i in range(1, 13)] + ["Dante-RX %d" % i for i in range(1, 5)]
    outputs = ["OUT %d" % i for i in range(1, 13)] + ["Dante-TX %d" % i for i in range(1, 5)]
    wanted = {"Matrix: %s -> %s" % (i, o) for i in inputs for o in outputs}
    start = time.monotonic()
    cells = wait_for("matrix cells", lambda: (lambda f: f if len(f) == len(wanted) else None)(names(app, wanted)))
    cells = cells or names(app, wanted)
    print("matrix cells found by name: %d of %d (%.1f s)" % (len(cells), len(wanted), time.monotonic() - start))
    if len(cells) != len(wanted):
        fault("matrix cells missing: %s" % sorted(wanted - set(cells))[:5])
    cell = cells.get("Matrix: IN 2 -> OUT 5")
    if cell is not None:
        before = checked(cell)
        description = cell.get_description()
        print("Matrix: IN 2 -> OUT 5: role %s, %s, description %r, actions %s" % (
            cell.get_role_name(), "checked" if before else "not checked", description,
            actions(cell)))
        if not description.startswith("on, ") and description != "off":
            fault("cell description %r" % description)
        # The Toggle action, then Space and Enter on the focused cell, as a user of a screen
        # reader switches it: each switches the cell and its description follows.
        ways = [("Toggle", lambda: act(cell, "Toggle")),
                ("Space", lambda: act(cell, "SetFocus") and key(0x20)),
                ("Return", lambda: key(0xff0d))]
        for way, do in ways:
            if not do():
                fault("%s on the cell failed" % way)
            after = wait_for("switched", lambda: checked(cell) != before or None, 5)
            now = cell.get_description()
            print("after %s: %s, description %r" % (way, "checked" if checked(cell) else "not checked", now))
            if not after or now == description:
                fault("%s did not switch the cell" % way)
            before, description = checked(cell), now
    # The Preset window, through its menu entry.
    entry = find(app, "Preset(P)")  # the menu entry's text, with its shortcut letter
    if entry is None or not (act(entry, "Press") or act(entry, "Toggle")):
        fault("no Preset menu entry to press")
        return 1
    wanted = {"Preset: %d %s" % (s, c) for s in range(1, 33) for c in ("Name", "Save", "Load", "Import", "Export", "Delete")}
    presets = wait_for("preset rows", lambda: (lambda f: f if len(f) == len(wanted) else None)(names(app, wanted)))
    presets = presets or names(app, wanted)
    print("preset controls found by name: %d of %d" % (len(presets), len(wanted)))
    if len(presets) != len(wanted):
        fault("preset controls missing: %s" % sorted(wanted - set(presets))[:5])
    export = presets.get("Preset: 3 Export")
    if export is not None:
        print("Preset: 3 Export: role %s, enabled %s" % (export.get_role_name(),
              export.get_state_set().contains(Atspi.StateType.ENABLED)))
    save = presets.get("Preset: 3 Save")
    if save is not None and act(save, "Press"):
        box = wait_for("question", lambda: question(app, "preset 3?"), 10)
        print("Save on slot 3 asks:", repr(box.get_name()) if box is not None else None)
        if box is None:
            fault("Save on slot 3 asked nothing")
        else:
            cancel = find(box, "Cancel")
            if cancel is None or not act(cancel, "Press"):
                fault("the question has no Cancel to press")
    else:
        fault("Preset: 3 Save not pressed")
    name = presets.get("Preset: 3 Name")
    if name is not None:
        name.set_text_contents("Hall")
        typed = name.get_text(0, -1)
        print("Preset: 3 Name: role %s, typed %r" % (name.get_role_name(), typed))
        if typed != "Hall":
            fault("the name field took %r" % typed)
    print("%d faults" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
