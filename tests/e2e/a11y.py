# SPDX-License-Identifier: MIT
"""Reads the running Amorial through the accessibility bus, as a screen reader would.

  a11y.py names       every visible label, text field, combo box and menu item: role<TAB>name<TAB>text
  a11y.py dialog-text the texts of the visible message boxes
  a11y.py windows     every visible window: name<TAB>description
"""
import sys

import pyatspi

SHOWING = pyatspi.STATE_SHOWING


def amorial_processes():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == "amorial":
            yield app


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
    for app in amorial_processes():
        for node in walk(app):
            if node.getState().contains(SHOWING):
                yield node


def message_box_labels():
    for node in showing_nodes():
        if node.getRoleName() in ("alert", "dialog"):
            for inner in walk(node):
                if inner.getRoleName() == "label" and inner.name:
                    yield inner.name


def main():
    command = sys.argv[1]
    if command == "dialog-text":
        for text in message_box_labels():
            print(text)
        return
    if command == "windows":
        for node in showing_nodes():
            if node.getRoleName() == "frame":
                print(f"{node.name}\t{node.description}")
        return
    roles = {"label", "link", "text", "combo box", "push button", "frame", "dialog", "alert", "menu item"}
    for node in showing_nodes():
        role = node.getRoleName()
        if role not in roles:
            continue
        print(f"{role}\t{node.name}\t{text_of(node)}")


if __name__ == "__main__":
    main()
