# SPDX-License-Identifier: MIT
"""Reads the running Amorial through the accessibility bus, as a screen reader would.

  a11y.py names       every visible label, text field and combo box: role<TAB>name<TAB>text
  a11y.py dialog-text the text of the visible message box
"""
import sys

import pyatspi

SHOWING = pyatspi.STATE_SHOWING


def amorial():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == "amorial":
            return app
    return None


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return ""


def walk(node):
    yield node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


def showing_nodes():
    app = amorial()
    if app is None:
        return
    for node in walk(app):
        if node.getState().contains(SHOWING):
            yield node


def main():
    command = sys.argv[1]
    roles = {"label", "text", "combo box", "push button", "frame", "dialog", "alert"}
    for node in showing_nodes():
        role = node.getRoleName()
        if role not in roles:
            continue
        if command == "names":
            print(f"{role}\t{node.name}\t{text_of(node)}")
        elif command == "dialog-text" and role == "label" and node.name:
            print(node.name)


if __name__ == "__main__":
    main()
