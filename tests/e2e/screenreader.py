#!/usr/bin/python3
"""Uses the running program as a screen reader does, through the desktop's
accessibility bus: reads the tree, presses every menu entry and every arrow,
and after each press reads the page area's name and text and compares them
with what the page sources say (a file per page, its title on the first line
and its text after, given as arguments NAME=FILE). Each press must announce
the new page with name and description change events. Ends with Exit."""
import sys
import time

import pyatspi
from gi.repository import GLib

expected = {}
for argument in sys.argv[1:]:
    name, path = argument.split("=", 1)
    with open(path, encoding="utf-8") as file:
        title, text = file.read().rstrip("\n").split("\n", 1)
    expected[name] = (title, text)

announced = []
failures = []


def fail(message):
    failures.append(message)
    print("screenreader: FAIL:", message, file=sys.stderr)


def find_application():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for app in desktop:
            if app is not None and app.name.lower() == "quelvara":
                return app
        time.sleep(0.1)
    return None


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def buttons(app):
    return {node.name: node for node in descendants(app) if node.getRole() == pyatspi.ROLE_PUSH_BUTTON}


def page_area(app):
    for node in descendants(app):
        if node.getRole() == pyatspi.ROLE_IMAGE:
            return node
    return None


def on_event(event):
    if event.type.startswith("object:property-change:accessible-name") or event.type.startswith(
        "object:property-change:accessible-description"
    ):
        announced.append(event.type)


def press(app, name):
    button = buttons(app).get(name)
    if button is None:
        fail(f"no button named {name!r}; the buttons are {sorted(buttons(app))}")
        return
    button.queryAction().doAction(0)


def check_page(app, page, arrows):
    area = page_area(app)
    if area is None:
        fail("no page area in the tree")
        return
    title, text = expected[page]
    if area.name != title:
        fail(f"the page area is named {area.name!r}, expected {title!r}")
    if area.description != text:
        fail(f"the page area reads {area.description!r}, expected {text!r}")
    names = sorted(child.name for child in area if child is not None)
    if names != sorted(arrows):
        fail(f"on {page} the arrows in the tree are {names}, expected {sorted(arrows)}")
    if not any("accessible-name" in kind for kind in announced) or not any(
        "accessible-description" in kind for kind in announced
    ):
        fail(f"showing {page} was not announced (events seen: {announced})")
    announced.clear()


def main():
    app = find_application()
    if app is None:
        sys.exit("screenreader: the program is not on the accessibility bus")
    captions = set(buttons(app))
    menu = {"About ...", "Vlastnosti kvapalín", "Quelvara", "Tlak v kvapaline", "Archimedov zákon",
            "Aplikácia Quelvara...", "Exit"}
    if captions != menu:
        fail(f"the buttons are {sorted(captions)}, expected the seven entries {sorted(menu)}")
    for node in descendants(app):
        if node.getRole() == pyatspi.ROLE_IMAGE and node.name not in ("", "Prázdna strana"):
            fail(f"an unexpected picture {node.name!r} is in the tree")

    pyatspi.Registry.registerEventListener(on_event, "object:property-change")
    walk = [
        ("Vlastnosti kvapalín", "Vlas", []),
        ("Quelvara", "Hd", []),
        ("Tlak v kvapaline", "Tk1", ["Ďalej"]),
        ("Ďalej", "Tk2", ["Ďalej", "Späť"]),
        ("Ďalej", "Tk3", ["Späť"]),
        ("Späť", "Tk2", ["Ďalej", "Späť"]),
        ("Späť", "Tk1", ["Ďalej"]),
        ("Archimedov zákon", "Az1", ["Ďalej"]),
        ("Ďalej", "Az2", ["Ďalej", "Späť"]),
        ("Ďalej", "Az3", ["Späť"]),
        ("Späť", "Az2", ["Ďalej", "Späť"]),
        ("Späť", "Az1", ["Ďalej"]),
        ("Aplikácia Quelvara...", "Apl", []),
        ("About ...", "ab", []),
    ]
    steps = []
    for button, page, arrows in walk:
        steps.append(lambda button=button: press(app, button))
        steps.append(lambda page=page, arrows=arrows: check_page(app, page, arrows))
    steps.append(lambda: press(app, "Exit"))
    steps.append(lambda: pyatspi.Registry.stop())

    def next_step():
        steps.pop(0)()
        return bool(steps)

    GLib.timeout_add(400, next_step)
    pyatspi.Registry.start()
    if failures:
        sys.exit(1)
    print(f"screenreader: {len(walk)} presses; every page read as its source says")


if __name__ == "__main__":
    main()
