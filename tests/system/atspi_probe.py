#!/usr/bin/python3
"""What a screen reader hears of a running program, over AT-SPI.

  atspi_probe.py count TITLE
      prints "nodes N named M" for the tree of the window titled TITLE.
  atspi_probe.py session
      checks the directory's tree and a keyboard session through it; keys
      are sent with xdotool. Exits 1 with a message on the first fault.

Every wait ends after its limit with a message: a fault fails, never hangs.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

APP_TITLE = "Телефонный справочник г. Велирск"
MAIN_TITLE = APP_TITLE + " v. 1.0"
DIALOG_TITLE = "Телефонный справочник г. Велирск | Поиск в базе данных"
COLUMNS = ["Телефон", "Фамилия", "Улица", "Дом", "Корпус", "Квартира", "Организация"]
NAVIGATOR = ["Первая запись", "Предыдущая запись", "Следующая запись", "Последняя запись",
             "Добавить запись", "Удалить запись", "Редактировать", "Применить изминения",
             "Отмена", "Обновить"]


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def pump(seconds):
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not context.iteration(False):
            time.sleep(0.01)


def wait_for(what, check, limit=10):
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        found = check()
        if found:
            return found
        pump(0.1)
    fail(what + f": not within {limit}s")


def children(node):
    try:
        return [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:
        return []


def walk(node):
    yield node
    for child in children(node):
        if child is not None:
            yield from walk(child)


def window_titled(title):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        for window in children(app):
            if window is not None and window.name == title:
                return window
    return None


def role(node):
    return node.getRoleName()


def find(root, role_name, name=None):
    for node in walk(root):
        if role(node) == role_name and (name is None or node.name == name):
            return node
    return None


def count(title):
    window = wait_for(f"a window titled {title!r}", lambda: window_titled(title))
    nodes = list(walk(window))
    named = [n for n in nodes if n.name]
    print(f"nodes {len(nodes)} named {len(named)}")


class Events:
    """The focus and window events of the program, as they arrive."""

    KINDS = ("object:state-changed:focused", "object:active-descendant-changed", "window:activate")

    def __init__(self):
        self.heard = []
        pyatspi.Registry.registerEventListener(self.record, *self.KINDS)

    def record(self, event):
        if event.type.startswith("object:state-changed:focused") and not event.detail1:
            return
        source = event.source
        if event.type.startswith("object:active-descendant-changed") and event.any_data is not None:
            source = event.any_data
        try:
            self.heard.append((event.type, role(source), source.name or ""))
        except Exception:
            pass

    def after_keys(self, keys, what, wanted_role, wanted_name, limit=10):
        """Sends the keys, then waits for a focus move to a node of that role and name."""
        self.heard.clear()
        subprocess.run(["xdotool", "key", "--delay", "150", *keys], check=True)

        def arrived():
            return any(r == wanted_role and (wanted_name is None or n == wanted_name)
                       for _, r, n in self.heard)
        deadline = time.monotonic() + limit
        while time.monotonic() < deadline and not arrived():
            pump(0.1)
        if not arrived():
            fail(f"{what}: no focus on {wanted_role} {wanted_name!r}; heard {self.heard}")
        print(f"ok: {what} -> {wanted_role} {wanted_name!r}")


def click_on(node):
    extents = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(extents.x + extents.width // 2),
                    str(extents.y + extents.height // 2), "click", "1"], check=True)


def check_tree(window):
    if role(window) != "frame":
        fail(f"the main window is a {role(window)}, not a frame")
    bar = find(window, "menu bar")
    if bar is None:
        fail("no menu bar")
    items = [child.name for child in children(bar)]
    if items != ["Файл", "Поиск", "Помощь"]:
        fail(f"menu bar items {items}")
    for child in children(bar):
        actions = [child.queryAction().getName(i).lower() for i in range(child.queryAction().nActions)]
        if role(child) != "menu item" or "press" not in actions:
            fail(f"bar item {child.name!r} is a {role(child)} with actions {actions}")
    buttons = [n.name for n in walk(window) if role(n) == "push button"]
    if buttons != NAVIGATOR:
        fail(f"navigator buttons {buttons}")
    print("ok: frame, menu bar items, navigator buttons")

    table = find(window, "table")
    if table is None:
        fail("the grid is not exposed as a table")
    cells = table.queryTable()
    titles = [cells.getColumnDescription(c) or (cells.getColumnHeader(c).name if cells.getColumnHeader(c) else "")
              for c in range(cells.nColumns)]
    if [t for t in titles if t] != COLUMNS:
        fail(f"table column titles {titles}")
    row = [cells.getAccessibleAt(0, c).name for c in range(cells.nColumns)]
    if not any(row):
        fail(f"the first row's cells are unnamed: {row}")
    print(f"ok: table with {cells.nRows} rows, first row {row}")
    status = find(window, "status bar")
    if status is None:
        fail("the status bar is not exposed")
    text = " ".join(n.name for n in walk(status) if n.name)
    if "Запись" not in text:
        fail(f"the status bar does not give the record: {text!r}")
    print(f"ok: status bar {text!r}")


def session():
    window = wait_for("the main window", lambda: window_titled(MAIN_TITLE), 20)
    events = Events()
    pump(0.5)
    check_tree(window)

    events.after_keys(["Down"], "Down in the grid", "table cell", None)
    events.after_keys(["F10"], "F10", "menu item", "Файл")
    events.after_keys(["Right"], "Right on the bar", "menu item", "Поиск")
    events.after_keys(["Down"], "Down into the menu", "menu item", "Найти")
    popup = find(window, "popup menu", "Поиск")
    if popup is None or [c.name for c in children(popup)] != ["Найти"]:
        fail("the open menu is not a popup menu under its bar item")
    events.after_keys(["Escape"], "Escape in the menu", "menu item", "Поиск")
    leave_menus(events)

    # The dialog opens on its search button; Tab goes on to Cancel, then
    # through the edits, each heard by its label.
    events.after_keys(["F10", "Right", "Down", "Return"], "the search dialog", "push button", "Найти")
    dialog = wait_for("the search dialog", lambda: window_titled(DIALOG_TITLE))
    if role(dialog) != "dialog":
        fail(f"the search dialog is a {role(dialog)}")
    events.after_keys(["Tab"], "Tab in the search dialog", "push button", "Отмена")
    events.after_keys(["Tab"], "Tab to the first edit", "text", "по № телефона:")
    events.after_keys(["Tab"], "Tab to the next edit", "text", "по фамилии:")
    subprocess.run(["xdotool", "key", "Escape"], check=True)
    wait_for("the search dialog to go", lambda: window_titled(DIALOG_TITLE) is None or not
             window_titled(DIALOG_TITLE).getState().contains(pyatspi.STATE_SHOWING))

    click_on(find(window, "push button", "Удалить запись"))
    check_alert("the delete question", 2)
    subprocess.run(["xdotool", "key", "Escape"], check=True)
    wait_for("the delete question to go", lambda: showing_alert() is None)

    subprocess.run(["xdotool", "key", "--delay", "150", "F10", "Left", "Down", "Return"], check=True)
    about = check_alert("the about box", 1)
    if about.name != APP_TITLE or "Велирск" not in about.description:
        fail(f"the about box is {about.name!r}: {about.description!r}")
    subprocess.run(["xdotool", "key", "Return"], check=True)


def showing_alert():
    for app in children(pyatspi.Registry.getDesktop(0)):
        for window in children(app):
            if window is not None and role(window) == "alert" and window.getState().contains(pyatspi.STATE_SHOWING):
                return window
    return None


def check_alert(what, button_count):
    """A message box is an alert whose text is its description and its first label, before its buttons."""
    box = wait_for(what, showing_alert)
    readable = [(role(n), n.name) for n in walk(box) if role(n) in ("label", "static", "push button")]
    buttons = [name for r, name in readable if r == "push button"]
    if not box.description or not readable or readable[0][0] == "push button" or readable[0][1] != box.description:
        fail(f"{what}: the text is not read first: description {box.description!r}, then {readable}")
    if len(buttons) != button_count or not all(buttons):
        fail(f"{what}: buttons {buttons}")
    print(f"ok: {what}: alert {box.name!r} says {box.description!r}, buttons {buttons}")
    return box


def leave_menus(events):
    """Escape on the bar gives the keys back: the focus leaves the menus."""
    events.heard.clear()
    subprocess.run(["xdotool", "key", "Escape"], check=True)
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        if any(r not in ("menu item", "menu bar", "popup menu") for _, r, _ in events.heard):
            print(f"ok: Escape on the bar -> {events.heard[-1]}")
            return
        pump(0.1)
    fail(f"Escape on the bar: the focus stayed in the menus; heard {events.heard}")


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "count":
        count(sys.argv[2])
    elif len(sys.argv) == 2 and sys.argv[1] == "session":
        session()
    else:
        fail("usage: atspi_probe.py count TITLE | session")
