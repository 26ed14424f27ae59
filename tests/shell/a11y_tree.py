"""Reads one window of the running program over the accessibility bus and
compares what a reader hears with the expected reading; then presses a button
through its press action.

Usage: a11y_tree.py CAPTION EXPECTED [BUTTON] [ROLES]
The reading is "role name: description" of the window, then each descendant of
the listed roles (comma-separated, default: what dialogs show) as "role:name",
a link with <its address>, a drop-down list as "label=value", "*" after the
default button, joined by " | ". Exit 0 as expected, 1 otherwise, 77 when the
accessibility registry does not answer.
"""
import sys
import time

import pyatspi

DIALOG_ROLES = "image,label,link,push button,check box,combo box,panel"


def walk(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield child
            yield from walk(child)


def entry(node):
    role = node.getRoleName()
    text = f"{role}:{node.name}"
    if role == "link":
        text += f"<{node.description}>"
    if role == "combo box":
        labels = [r.getTarget(0).name for r in node.getRelationSet()
                  if r.getRelationType() == pyatspi.RELATION_LABELLED_BY]
        text = f"{role}:{'/'.join(labels)}={node.name}"
    if node.getState().contains(pyatspi.STATE_IS_DEFAULT):
        text += "*"
    return text


def find_window(caption, timeout):
    """The showing window named `caption`; None when none shows within `timeout`."""
    deadline = time.time() + timeout
    while True:
        try:
            for app in pyatspi.Registry.getDesktop(0):
                for window in app or []:
                    if window is not None and window.name == caption and \
                            window.getState().contains(pyatspi.STATE_SHOWING):
                        return window
        except Exception:  # an application going away
            pass
        if time.time() >= deadline:
            return None
        time.sleep(0.25)


def main():
    caption, expected = sys.argv[1], sys.argv[2]
    button = sys.argv[3] if len(sys.argv) > 3 else ""
    roles = (sys.argv[4] if len(sys.argv) > 4 else DIALOG_ROLES).split(",")
    try:
        pyatspi.Registry.getDesktop(0).childCount
    except Exception as error:
        print(f"SKIP: the accessibility registry does not answer ({error})")
        return 77
    window = find_window(caption, 20)
    if window is None:
        print(f"FAIL: no window {caption!r} on the accessibility bus")
        return 1
    # A window may show before its children are on the bus.
    deadline = time.time() + 10
    while True:
        window.clearCache()
        nodes = [n for n in walk(window) if n.getRoleName() in roles]
        reading = " | ".join([f"{window.getRoleName()} {window.name}: {window.description}"] +
                             [entry(n) for n in nodes])
        if reading == expected or time.time() > deadline:
            break
        time.sleep(0.25)
    print(reading)
    if reading != expected:
        print(f"FAIL: expected\n{expected}")
        return 1
    if button:
        target = [n for n in nodes if n.getRoleName() == "push button" and n.name == button][0]
        action = target.queryAction()
        names = [action.getName(i).lower() for i in range(action.nActions)]
        if "press" not in names:
            print(f"FAIL: {button!r} has no press action: {names}")
            return 1
        action.doAction(names.index("press"))
        # The press closes the window: wait until it has gone.
        deadline = time.time() + 10
        while find_window(caption, 0) is not None:
            if time.time() > deadline:
                print(f"FAIL: {caption!r} stays open after {button!r}")
                return 1
            time.sleep(0.25)
    return 0


if __name__ == "__main__":
    sys.exit(main())
