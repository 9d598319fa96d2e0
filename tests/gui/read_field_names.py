#!/usr/bin/python3
# read_field_names.py - reads the fields of a running program's newest window through the accessibility
# layer (AT-SPI), as a screen reader announces them, and prints one line per field: its role, its
# name and the name of the label it is labelled by, separated by a TAB.
#
#   read_field_names.py PID
import sys

import pyatspi

FIELD_ROLES = [pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_SPIN_BUTTON,
               pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE]


def labelled_by(node):
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY and relation.getNTargets() > 0:
            return relation.getTarget(0).name
    return ""


def main():
    pid = int(sys.argv[1])
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [app for app in desktop if app is not None and app.get_process_id() == pid]
    if not apps:
        print("no accessible application of process %d" % pid, file=sys.stderr)
        return 1
    # a walk by hand: the bus's collection query asks every object for its states, which some of
    # the toolkit's objects do not have; a field's own children (cells, list items) are not walked
    def walk(node):
        for child in node:
            if child is None:
                continue
            if child.getRole() in FIELD_ROLES:
                print("%s\t%s\t%s" % (child.getRoleName(), child.name, labelled_by(child)))
            else:
                walk(child)

    # the newest window only: a window closed before may still be listed, and asking the bus about
    # what is left of it makes the toolkit's bridge complain
    app = apps[0]
    if app.childCount > 0:
        walk(app.getChildAtIndex(app.childCount - 1))
    return 0


if __name__ == "__main__":
    sys.exit(main())
