#!/usr/bin/env python3
"""quillgrid-cli's CSV, read and written by Python's csv module: a file with quoted line
breaks and a semicolon separator imports cell by cell (each field the cell's source, or with
--plain-text as text the page shows), and the export of the table, a merged cell in it, reads
back equal to the table's texts; the tab-separated text a copy of cells makes reads back as
the cells' texts."""
import csv
import io
import json
import os
import subprocess
import sys
import tempfile

cli = sys.argv[1]
rows = [["Name", "Note; with semicolon", "Price"],
        ["Tea", "two\r\nlines", "1,5"],
        ["Cake <b>", 'say "hi" & go', ""],
        ["Grüße €", "\ttab", "  spaced  "]]


def run(*args):
    return subprocess.run([cli, *args], check=True, capture_output=True).stdout


with tempfile.TemporaryDirectory() as work:
    source = os.path.join(work, "in.csv")
    with open(source, "w", encoding="utf-8", newline="") as f:
        csv.writer(f, delimiter=";", lineterminator="\r\n").writerows(rows)
    escaped = [[c.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;") for c in r] for r in rows]
    for option, want_texts in (([], rows), (["--plain-text"], escaped)):
        doc = os.path.join(work, "t.qgd")
        run("import", source, doc, *option)
        table = json.loads(run("dump", doc))
        texts = {(c["col"], c["row"]): c["text"] for c in table["cells"]}
        assert (table["colCount"], table["rowCount"]) == (3, 4), table
        for r, row in enumerate(want_texts):
            for c, text in enumerate(row):
                assert texts[(c, r)] == text, (option, (c, r), texts[(c, r)], text)

    script = os.path.join(work, "s.txt")
    with open(script, "w") as f:
        f.write("merge 1 2 1 1\n")
    run("apply", doc, script)
    out = os.path.join(work, "out.csv")
    run("export", doc, out, "--format", "csv")
    with open(out, "rb") as f:
        data = f.read()
    assert data.startswith(b"\xef\xbb\xbf") and data.endswith(b"\r\n"), data[:20]
    back = list(csv.reader(io.StringIO(data.decode("utf-8-sig"), newline="")))
    want = [list(r) for r in escaped]  # the document of the last import, --plain-text
    want[3][1] = want[3][2] = want[2][2] = ""  # covered by the merged cell at (1, 2)
    assert back == want, (back, want, table)

    # Copy's plain-text form: tab-separated, read by csv with a tab delimiter, the cells' texts.
    copy_doc = os.path.join(work, "copy.qgd")
    run("new", copy_doc, "--cols", "3", "--rows", "2")
    cells = [["a\tb", 'say "hi"', "two\r\nlines"], ["x, y", "", "<b>z</b>"]]
    script = os.path.join(work, "copy.txt")
    with open(script, "w", encoding="utf-8") as f:
        for r, row in enumerate(cells):
            for c, text in enumerate(row):
                if text:
                    f.write(f"text {c} {r} " + text.replace("\\", "\\\\").replace("\r\n", "\\n") + "\n")
    run("apply", copy_doc, script)
    copied = os.path.join(work, "copied.txt")
    run("copy-range", copy_doc, "0", "0", "2", "1", copied, "--form", "text")
    with open(copied, encoding="utf-8", newline="") as f:
        back = list(csv.reader(f, delimiter="\t"))
    assert back == cells, (back, cells)
print("ok")
