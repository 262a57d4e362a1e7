#!/usr/bin/env python3
"""Prints the value of a JavaScript expression evaluated in the embedded browser's page (the
program started with QTWEBENGINE_REMOTE_DEBUGGING=HOST:PORT), once the page has loaded.

usage: page_eval.py PORT EXPRESSION [URL-SUFFIX]"""

import sys

from page_fonts import loaded_page


def main():
    port, expression = sys.argv[1], sys.argv[2]
    suffix = sys.argv[3] if len(sys.argv) > 3 else ""
    page = loaded_page(port, suffix)
    result = page.call("Runtime.evaluate", expression=expression, returnByValue=True)
    if "exceptionDetails" in result:
        raise SystemExit(f"page_eval: {result['exceptionDetails'].get('text', 'an exception')}")
    print(result["result"].get("value"))


if __name__ == "__main__":
    main()
