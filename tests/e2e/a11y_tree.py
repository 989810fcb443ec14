"""Prints what a screen reader finds of a running program over AT-SPI: one line per object,
"ROLE 'NAME'", indented two spaces per level. Usage: a11y_tree.py APP_NAME
Exit status 1 when no application of that name is on the accessibility bus."""
import sys

import pyatspi


def walk(accessible, depth, lines):
    lines.append(f"{'  ' * depth}{accessible.getRoleName()} '{accessible.name}'")
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            walk(child, depth + 1, lines)


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == sys.argv[1]:
            lines = []
            walk(app, 0, lines)
            print("\n".join(lines))
            return 0
    return 1


sys.exit(main())
