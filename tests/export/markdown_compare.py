#!/usr/bin/env python3
"""Compares a table as a Markdown reader shows it with the document, cell by cell.

usage: markdown_compare.py DUMP.json RENDERED.html
DUMP.json is `quillgrid-cli dump` of the document, RENDERED.html what pandoc made of its
Markdown export. Each slot must show the cell's text (its HTML read as a browser reads it;
merged cells leave their text in the top-left slot, the rest empty), bold and italic where the
cell is, the cell's links, and its column's alignment. Prints each difference; exit 1 if any.
"""
import html.parser
import json
import re
import sys

SPACE = re.compile(r"[ \t\n\r\f]+")
BLOCKS = {"p", "div", "ul", "ol", "li", "dl", "dt", "dd", "blockquote", "pre", "table", "tr", "h1", "h2", "h3",
          "h4", "h5", "h6", "hr", "center", "section", "article", "header", "footer", "nav", "aside", "main",
          "address", "figure", "figcaption", "fieldset", "details", "summary", "dialog", "dir", "menu", "form",
          "caption"}


def norm(lines):
    out = [SPACE.sub(" ", line).strip(" ") for line in lines]
    while out and not out[-1]:
        out.pop()
    return "\n".join(out)


class Text(html.parser.HTMLParser):
    """The visible text of a piece of HTML, line breaks as newlines, and the links in it."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.lines, self.links, self.tags = [""], [], set()

    def handle_starttag(self, tag, attrs):
        self.tags.add(tag)
        if tag == "br":
            self.lines.append("")
        elif tag in BLOCKS:
            self.end_block()
        elif tag == "a" and dict(attrs).get("href"):
            # As a browser follows it: tabs and line ends inside the address removed.
            self.links.append(re.sub(r"[\t\r\n]", "", dict(attrs)["href"]).strip())

    def handle_endtag(self, tag):
        if tag in BLOCKS:
            self.end_block()

    def end_block(self):
        """Blocks start and end lines, once however many meet."""
        if self.lines[-1].strip(" \t\n\r\f"):
            self.lines.append("")

    def handle_data(self, data):
        self.lines[-1] += data


def read_html(source):
    parser = Text()
    parser.feed(source.replace("\r\n", "<br>"))
    parser.close()
    return norm(parser.lines), parser.links, parser.tags


class Table(html.parser.HTMLParser):
    """The cells of the first table: their inner HTML and alignment, row by row."""

    def __init__(self):
        super().__init__(convert_charrefs=False)
        self.rows, self.cell, self.align = [], None, None

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self.rows.append([])
        elif tag in ("td", "th"):
            style = dict(attrs).get("style") or ""
            found = re.search(r"text-align:\s*(\w+)", style)
            self.cell, self.align = "", found.group(1) if found else "center?"
        elif self.cell is not None:
            self.cell += self.get_starttag_text()

    def handle_endtag(self, tag):
        if tag in ("td", "th") and self.cell is not None:
            self.rows[-1].append((self.cell, self.align))
            self.cell = None
        elif self.cell is not None:
            self.cell += f"</{tag}>"

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data

    def handle_entityref(self, name):
        self.handle_data(f"&{name};")

    def handle_charref(self, name):
        self.handle_data(f"&#{name};")


def main(dump_path, rendered_path):
    doc = json.load(open(dump_path, encoding="utf-8"))
    cells = {(c["col"], c["row"]): c for c in doc["cells"]}
    table = Table()
    table.feed(open(rendered_path, encoding="utf-8").read())
    problems = []
    if len(table.rows) != doc["rowCount"]:
        problems.append(f"{len(table.rows)} rows, the document has {doc['rowCount']}")
    names = {0: "left", 1: "center", 2: "right"}
    for r, row in enumerate(table.rows):
        if len(row) != doc["colCount"]:
            problems.append(f"row {r + 1}: {len(row)} cells, the document has {doc['colCount']}")
            continue
        for c, (shown, align) in enumerate(row):
            cell = cells[(c, r)]
            got_text, got_links, got_tags = read_html(shown)
            want_text, want_links, _ = read_html(cell["text"]) if cell["visible"] else ("", [], set())
            where = f"cell ({c + 1}, {r + 1})"
            if got_text != want_text:
                problems.append(f"{where}: shows {got_text!r}, the document has {want_text!r}")
            if got_links != want_links:
                problems.append(f"{where}: links {got_links}, the document has {want_links}")
            if cell["visible"] and want_text:
                for field, tag in (("bold", "strong"), ("italic", "em")):
                    if cell[field] and tag not in got_tags:
                        problems.append(f"{where}: not {field}")
            if cell["visible"] and cell["extraCols"] == 0 and align != names.get(cell["hAlign"]):
                problems.append(f"{where}: aligned {align}, the cell {names.get(cell['hAlign'])} (reported if so)")
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
