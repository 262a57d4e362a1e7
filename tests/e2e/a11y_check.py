#!/usr/bin/env python3
"""What a screen reader finds in the running editor, read through the AT-SPI registry.

usage: a11y_check.py CLI DOC

The editor shows DOC (a document with merged cells); keys go to it with xdotool, as a user's
would. Checked: the main window holds one table whose row and column counts are the
document's; every visible cell is named by its text and has its spans; every position a merged
cell covers answers with that cell; Tab moves the focus from cell to cell (six Tabs, six
different cells; then 20 Tabs forward and 20 back through the merged cells, each landing on
the next visible cell in reading order); Insert Row changes the counts; and no control of the
tool bars or of the dialogs that takes the focus is without a name (they are listed).
"""

import json
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []


def fail(message):
    failures.append(message)
    print("a11y: FAILED: " + message, file=sys.stderr)


def note(message):
    print("a11y: " + message, file=sys.stderr)


def keys(*names, pause=0.15):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)
    time.sleep(pause)


# ---- The document, as quillgrid-cli reads it -------------------------------------------------

def read_document(cli, doc):
    data = json.loads(subprocess.run([cli, "dump", doc], check=True, capture_output=True, text=True).stdout)
    cells = {(c["col"], c["row"]): c for c in data["cells"]}
    return data["colCount"], data["rowCount"], cells


def reading_order(cols, rows, cells):
    return [(c, r) for r in range(rows) for c in range(cols) if cells[(c, r)]["visible"]]


def owner(cells, col, row):
    """The visible cell that covers a position."""
    for ac in range(col, -1, -1):
        for ar in range(row, -1, -1):
            cell = cells[(ac, ar)]
            if cell["visible"] and ac + cell["extraCols"] >= col and ar + cell["extraRows"] >= row:
                return ac, ar
    return None


# ---- The accessibility tree -----------------------------------------------------------------

def find_app(timeout=30):
    deadline = time.time() + timeout
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is None:
                continue
            for window in app:
                if window is not None and (window.name or "").startswith("HTML Quillgrid - "):
                    return app, window
        time.sleep(0.5)
    return None, None


def descendants(root, limit=20000):
    """Every object below root, breadth first; a table's cells are left to the table."""
    out, queue = [], [root]
    while queue and len(out) < limit:
        node = queue.pop(0)
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is None:
                continue
            out.append(child)
            if child.getRole() != pyatspi.ROLE_TABLE:
                queue.append(child)
    return out


def find_table(window):
    tables = [a for a in descendants(window) if a.getRole() == pyatspi.ROLE_TABLE]
    return tables[0] if len(tables) == 1 else None


def labelled_name(acc):
    """The name a screen reader says: its own, else that of the label the relation names."""
    name = (acc.name or "").strip()
    if name:
        return name
    for relation in acc.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                target = relation.getTarget(i)
                if target is not None and (target.name or "").strip():
                    return target.name.strip()
    return ""


def unnamed_focusable(root, where):
    """The controls below root that take the focus and have no name, described."""
    missing = []
    for acc in descendants(root):
        states = acc.getState()
        if not states.contains(pyatspi.STATE_FOCUSABLE) or not states.contains(pyatspi.STATE_SHOWING):
            continue
        if acc.getRole() in (pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU):
            continue
        # The list of an open combo box, and the items of lists, are named by their values.
        if acc.getRole() in (pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_ITEM):
            continue
        if not labelled_name(acc):
            missing.append("%s: %s (%s)" % (where, acc.getRoleName(), acc.description or "no description"))
    return missing


# ---- Focus events ---------------------------------------------------------------------------

class FocusLog:
    """The objects that got the focus, in order, while keys were pressed."""

    def __init__(self):
        self.cells = []
        self.names = []
        pyatspi.Registry.registerEventListener(self.on_focus, "object:state-changed:focused")

    def on_focus(self, event):
        if not event.detail1 or event.source is None:
            return
        try:
            role = event.source.getRole()
            self.names.append(event.source.name)
            if role == pyatspi.ROLE_TABLE_CELL:
                # Where the cell is, from its table: its index there and the table's answers.
                index = event.source.getIndexInParent()
                table = event.source.parent.queryTable()
                position = (table.getColumnAtIndex(index), table.getRowAtIndex(index))
                self.cells.append((position, event.source.name))
        except Exception as error:  # an object gone while being asked
            note("focus event not readable: %r" % error)

    def press(self, *names, settle=0.4):
        """Presses keys one at a time while the events are gathered."""
        pending = list(names)

        def next_key():
            if pending:
                keys(pending.pop(0), pause=0.05)
                return True
            GLib.timeout_add(int(settle * 1000), lambda: (pyatspi.Registry.stop(), False)[1])
            return False

        GLib.timeout_add(250, next_key)
        pyatspi.Registry.start()


def main():
    cli, doc = sys.argv[1], sys.argv[2]
    cols, rows, cells = read_document(cli, doc)
    app, window = find_app()
    if window is None:
        fail("the program's window is not in the accessibility tree")
        return 1
    note("window %r of %r" % (window.name, app.name))

    table_acc = find_table(window)
    if table_acc is None:
        fail("the main window holds no single object with role table: %s" %
             [a.getRoleName() for a in descendants(window)][:40])
        return 1
    table = table_acc.queryTable()
    note("table %r: %d rows x %d columns, %d children" % (table_acc.name, table.nRows, table.nColumns,
                                                           table_acc.childCount))
    if (table.nRows, table.nColumns) != (rows, cols):
        fail("the table says %d x %d, the document %d x %d" % (table.nRows, table.nColumns, rows, cols))

    # Every visible cell by its text; every covered position answers with its merged cell.
    for (c, r) in reading_order(cols, rows, cells):
        acc = table.getAccessibleAt(r, c)
        expected = cells[(c, r)]["text"].replace("\r\n", "\n")
        if acc is None or acc.name != expected:
            fail("cell (%d, %d) is named %r, its text is %r" % (c, r, acc.name if acc else None, expected))
        if acc is not None and acc.getRole() != pyatspi.ROLE_TABLE_CELL:
            fail("cell (%d, %d) has role %s" % (c, r, acc.getRoleName()))
    merged = [(c, r) for (c, r), cell in cells.items() if cell["visible"] and (cell["extraCols"] or cell["extraRows"])]
    for (c, r) in merged:
        cell = cells[(c, r)]
        span = (cell["extraCols"] + 1, cell["extraRows"] + 1)
        for cc in range(c, c + span[0]):
            for rr in range(r, r + span[1]):
                acc = table.getAccessibleAt(rr, cc)
                extents = (table.getColumnExtentAt(rr, cc), table.getRowExtentAt(rr, cc))
                if acc is None or acc.name != cells[(c, r)]["text"] or extents != span:
                    fail("position (%d, %d) gives %r with extents %s, not the %d x %d cell at (%d, %d)" %
                         (cc, rr, acc.name if acc else None, extents, span[0], span[1], c, r))
        note("merged cell (%d, %d): %d x %d through every position it covers" % (c, r, span[0], span[1]))
    # How the bridge reports a merged cell through the index calls (the cell's own child index).
    for (c, r) in merged:
        index = table.getIndexAt(r, c)
        note("index of (%d, %d) is %d; row/column at that index: %d/%d; extents at index: %s" %
             (c, r, index, table.getRowAtIndex(index), table.getColumnAtIndex(index),
              table.getRowColumnExtentsAtIndex(index)))

    order = reading_order(cols, rows, cells)
    log = FocusLog()

    # Six Tabs from the first cell: six focus events, six different cells.
    log.press(*["Tab"] * 6)
    tabbed = [position for position, _ in log.cells]
    note("six Tabs focused %s" % tabbed)
    if tabbed:
        # What a screen reader has to say of the cell that has the focus now.
        acc = table.getAccessibleAt(tabbed[-1][1], tabbed[-1][0])
        index = acc.getIndexInParent()
        note("the current cell: role %s, name %r, description %r, row %d, column %d, extents %s" %
             (acc.getRoleName(), acc.name, acc.description, table.getRowAtIndex(index),
              table.getColumnAtIndex(index), table.getRowColumnExtentsAtIndex(index)))
    if len(tabbed) != 6 or len(set(tabbed)) != 6:
        fail("six Tabs gave %d focus events on %d different cells: %s" % (len(tabbed), len(set(tabbed)), log.cells))
    if tabbed and tabbed != order[1:7]:
        fail("six Tabs went %s, not %s" % (tabbed, order[1:7]))
    for position, name in log.cells:
        if name != cells[position]["text"]:
            fail("the focused cell %s is named %r, not %r" % (position, name, cells[position]["text"]))

    # 20 Tabs forward and 20 back: after every key, the next visible cell has the focus.
    start = order.index(tabbed[-1]) if tabbed else 0
    log.cells.clear()
    log.press(*["Tab"] * 20)
    forward = [p for p, _ in log.cells]
    expected_forward = [order[(start + i) % len(order)] for i in range(1, 21)]
    if forward != expected_forward:
        fail("20 Tabs focused %s, not %s" % (forward, expected_forward))
    log.cells.clear()
    log.press(*["shift+Tab"] * 20)
    back = [p for p, _ in log.cells]
    end = (start + 20) % len(order)
    expected_back = [order[(end - i) % len(order)] for i in range(1, 21)]
    if back != expected_back:
        fail("20 Shift+Tabs focused %s, not %s" % (back, expected_back))
    note("20 Tabs each way: a current cell after every key (%d and %d focus events)" % (len(forward), len(back)))

    # What the editor over the current cell says of itself.
    editor = [a for a in descendants(table_acc.parent) if a.getState().contains(pyatspi.STATE_FOCUSED)]
    for acc in editor:
        note("focused: %s %r (%r)" % (acc.getRoleName(), acc.name, acc.description))

    # The tool bars, reached by F6, and every dialog: no control that takes the focus is nameless.
    missing = unnamed_focusable(window, "main window")
    # Each dialog by its keys; the menus by F10 and the arrows (Left from File goes round to
    # Help, then Table; Up from the first entry of Edit goes round to its last, Insert Link).
    table_menu = ["F10", "Left", "Left"]
    dialogs = [(["ctrl+t"], "Table Properties"), (["ctrl+shift+c"], "Cell Properties"),
               (["ctrl+f"], "Find"), (["ctrl+F1"], "About"), (["ctrl+h"], "Preview"),
               (["ctrl+n"], "Create From Template"),
               (table_menu + ["Down"] * 6 + ["Return"], "Column Width"),
               (table_menu + ["Down"] * 7 + ["Return"], "Sort"),
               (["F10", "Right", "Up", "Return"], "Insert Link")]
    for sequence, title in dialogs:
        keys(*sequence, pause=1.5)
        shown = None
        for _ in range(40):
            for w in app:
                if w is not None and w.name and w.name.startswith(title) and w.getState().contains(pyatspi.STATE_ACTIVE):
                    shown = w
            if shown is not None:
                break
            time.sleep(0.25)
        if shown is None:
            fail("%s did not open with %s" % (title, " ".join(sequence)))
            keys("Escape", "Escape", "Escape", pause=0.8)
            continue
        missing += unnamed_focusable(shown, title)
        keys("Escape", pause=0.8)
    # Insert Row by the Table menu: F10, then to Table > Row > Insert After.
    # F10 opens File; Left goes round to Help, then Table with its first entry chosen.
    keys("F10", pause=0.5)
    keys("Left", "Left", "Down", "Down", "Down", "Right", "Down", "Return", pause=0.8)
    if (table.nRows, table.nColumns) != (rows + 1, cols):
        fail("after Insert Row the table says %d x %d, not %d x %d" % (table.nRows, table.nColumns, rows + 1, cols))
    else:
        note("after Insert Row: %d rows x %d columns" % (table.nRows, table.nColumns))

    for item in missing:
        note("unnamed: " + item)
    if missing:
        fail("%d controls that take the focus have no name" % len(missing))
    else:
        note("every control of the tool bars and dialogs that takes the focus has a name")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
