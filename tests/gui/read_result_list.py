#!/usr/bin/python3
# read_result_list.py - reads the result list of a running program through the accessibility layer
# (AT-SPI), as a screen reader does, and prints it: the headings on the first line, then one line
# per row, cells separated by a TAB. A cell that holds an icon and a text reads as its text.
#
#   read_result_list.py PID
import sys

import pyatspi


def find_table(app):
    # one request for the whole tree: walking it node by node costs a bus round trip per widget
    collection = app.queryCollection()
    rule = collection.createMatchRule(pyatspi.StateSet(), collection.MATCH_ANY, "", collection.MATCH_NONE,
                                      [pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE], collection.MATCH_ANY,
                                      "", collection.MATCH_NONE, False)
    matches = collection.getMatches(rule, collection.SORT_ORDER_CANONICAL, 1, True)
    return matches[0] if matches else None


def cell_text(cell):
    if cell is None:
        return ""
    if cell.name or cell.childCount == 0:
        return cell.name
    return "".join(cell.getChildAtIndex(i).name for i in range(cell.childCount))


def main():
    pid = int(sys.argv[1])
    desktop = pyatspi.Registry.getDesktop(0)
    apps = [app for app in desktop if app is not None and app.get_process_id() == pid]
    table = find_table(apps[0]) if apps else None
    if table is None:
        print("no table in the accessible tree of process %d" % pid, file=sys.stderr)
        return 1
    grid = table.queryTable()
    headers = [grid.getColumnHeader(c) for c in range(grid.nColumns)]
    print("\t".join(h.name if h is not None else "" for h in headers))
    for r in range(grid.nRows):
        print("\t".join(cell_text(grid.getAccessibleAt(r, c)) for c in range(grid.nColumns)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
