"""Reads the save-changes question of a running numera over the accessibility
bus and answers it with the "No" button's press action.

Usage: a11y_tree.py QUESTION [TIMEOUT_SECONDS]
Exit 0 when the dialog reads as expected and "No" was pressed, 1 when it
reads otherwise, 77 when the bus cannot be reached.
"""
import sys
import time

try:
    import pyatspi
except ImportError as error:  # the skip says why
    print(f"SKIP: pyatspi is missing ({error})")
    sys.exit(77)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def find_dialog(caption, timeout):
    deadline = time.time() + timeout
    reached = False
    while time.time() < deadline:
        try:
            desktop = pyatspi.Registry.getDesktop(0)
            reached = True
            for app in desktop:
                if app is None:
                    continue
                for window in app:
                    if window is not None and window.name == caption and \
                            window.getRoleName() in ("dialog", "alert"):
                        return window
        except Exception:  # the registry may not be up yet
            pass
        time.sleep(0.25)
    if not reached:
        print("SKIP: the accessibility registry does not answer")
        sys.exit(77)
    return None


def main():
    question = sys.argv[1]
    timeout = float(sys.argv[2]) if len(sys.argv) > 2 else 20.0
    dialog = find_dialog("Calculator asks", timeout)
    if dialog is None:
        print("FAIL: no dialog \"Calculator asks\" on the accessibility bus")
        return 1

    nodes = list(walk(dialog))[1:]
    for node in nodes:
        print(f"  {node.getRoleName()}: {node.name!r} {node.description!r}")
    by_role = lambda role: [n for n in nodes if n.getRoleName() == role]
    failures = []

    def expect(what, actual, wanted):
        if actual != wanted:
            failures.append(f"{what}: {actual!r}, expected {wanted!r}")

    expect("role", dialog.getRoleName(), "dialog")
    expect("description", dialog.description, question)
    expect("images", [n.name for n in by_role("image")], ["Question"])
    expect("labels", [n.name for n in by_role("label")], [question])
    buttons = by_role("push button")
    expect("buttons", [n.name for n in buttons], ["Yes", "No", "Cancel"])
    if failures:
        print("FAIL:\n  " + "\n  ".join(failures))
        return 1

    defaults = [b.name for b in buttons if b.getState().contains(pyatspi.STATE_IS_DEFAULT)]
    expect("default button", defaults, ["Yes"])
    deadline = time.time() + 5
    while not buttons[0].getState().contains(pyatspi.STATE_FOCUSED) and time.time() < deadline:
        time.sleep(0.1)
    expect("focused", buttons[0].getState().contains(pyatspi.STATE_FOCUSED), True)

    action = buttons[1].queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    expect("actions of No", names[:1], ["press"])
    if failures:
        print("FAIL:\n  " + "\n  ".join(failures))
        return 1
    action.doAction(names.index("press"))
    print("OK: pressed No")
    return 0


if __name__ == "__main__":
    sys.exit(main())
