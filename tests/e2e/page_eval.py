#!/usr/bin/env python3
"""Prints the value of a JavaScript expression evaluated in the embedded browser's page (the
program started with QTWEBENGINE_REMOTE_DEBUGGING=HOST:PORT), once the page has loaded.

usage: page_eval.py PORT EXPRESSION [URL-SUFFIX]"""

import sys
import time

from page_fonts import Page, page_target


def main():
    port, expression = sys.argv[1], sys.argv[2]
    suffix = sys.argv[3] if len(sys.argv) > 3 else ""
    page = Page(page_target(port, suffix))
    for _ in range(100):
        state = page.call("Runtime.evaluate", expression="document.readyState")
        if state["result"].get("value") == "complete":
            break
        time.sleep(0.2)
    result = page.call("Runtime.evaluate", expression=expression, returnByValue=True)
    if "exceptionDetails" in result:
        raise SystemExit(f"page_eval: {result['exceptionDetails'].get('text', 'an exception')}")
    print(result["result"].get("value"))


if __name__ == "__main__":
    main()
