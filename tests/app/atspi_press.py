# SPDX-License-Identifier: GPL-3.0-or-later
# An AT-SPI client: finds the push button named argv[1] in Velmora's
# accessibility tree and presses it. Exit 0 pressed, 2 no such application,
# 3 no such button, 4 no press action.
import sys
import time

import pyatspi


def find(node, matches, depth=0):
    if node is None or depth > 8:
        return None
    if matches(node):
        return node
    for i in range(node.childCount):
        found = find(node.getChildAtIndex(i), matches, depth + 1)
        if found:
            return found
    return None


def main():
    name = sys.argv[1]
    desktop = pyatspi.Registry.getDesktop(0)
    app = None
    for _ in range(60):
        app = next((a for a in desktop if a is not None and a.name == "Velmora"), None)
        if app is not None:
            break
        time.sleep(0.25)
    if app is None:
        return 2
    button = find(app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == name)
    if button is None:
        names = []
        find(app, lambda n: names.append(n.name) and False)
        print("buttons seen:", names, file=sys.stderr)
        return 3
    action = button.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Press":
            action.doAction(i)
            return 0
    return 4


sys.exit(main())
