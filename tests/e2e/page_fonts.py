#!/usr/bin/env python3
"""Prints the font families the embedded browser used to draw the text of the first element
matching a CSS selector, most glyphs first, one a line. The browser is asked through its
remote-debugging port (the program started with QTWEBENGINE_REMOTE_DEBUGGING=HOST:PORT).

usage: page_fonts.py PORT SELECTOR [URL-SUFFIX]"""

import base64
import json
import os
import socket
import struct
import sys
import time
import urllib.request


class WebSocket:
    """Just enough of a websocket client for the debugging protocol: text frames."""

    def __init__(self, url):
        rest = url.split("://", 1)[1]
        host_port, path = rest.split("/", 1)
        host, port = host_port.rsplit(":", 1)
        self.sock = socket.create_connection((host, int(port)), timeout=20)
        key = base64.b64encode(os.urandom(16)).decode()
        request = (f"GET /{path} HTTP/1.1\r\nHost: {host_port}\r\nUpgrade: websocket\r\n"
                   f"Connection: Upgrade\r\nSec-WebSocket-Key: {key}\r\n"
                   "Sec-WebSocket-Version: 13\r\n\r\n")
        self.sock.sendall(request.encode())
        response = b""
        while b"\r\n\r\n" not in response:
            chunk = self.sock.recv(1)
            if not chunk:
                raise ConnectionError("the browser closed the connection")
            response += chunk
        if b" 101 " not in response.split(b"\r\n", 1)[0]:
            raise ConnectionError(response.decode(errors="replace"))

    def _exact(self, count):
        data = b""
        while len(data) < count:
            chunk = self.sock.recv(count - len(data))
            if not chunk:
                raise ConnectionError("the browser closed the connection")
            data += chunk
        return data

    def send(self, text):
        payload = text.encode()
        header = bytes([0x81])  # a final text frame
        if len(payload) < 126:
            header += bytes([0x80 | len(payload)])
        elif len(payload) < 1 << 16:
            header += bytes([0x80 | 126]) + struct.pack(">H", len(payload))
        else:
            header += bytes([0x80 | 127]) + struct.pack(">Q", len(payload))
        mask = os.urandom(4)  # a client masks what it sends
        self.sock.sendall(header + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(payload)))

    def receive(self):
        message = b""
        while True:
            first, second = self._exact(2)
            length = second & 0x7F
            if length == 126:
                length = struct.unpack(">H", self._exact(2))[0]
            elif length == 127:
                length = struct.unpack(">Q", self._exact(8))[0]
            data = self._exact(length)
            opcode = first & 0x0F
            if opcode == 0x8:
                raise ConnectionError("the browser closed the connection")
            if opcode in (0x0, 0x1, 0x2):
                message += data
                if first & 0x80:
                    return message.decode()


class Page:
    def __init__(self, url):
        self.ws = WebSocket(url)
        self.next_id = 0

    def call(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:  # events come in between the answers
            answer = json.loads(self.ws.receive())
            if answer.get("id") == self.next_id:
                if "error" in answer:
                    raise RuntimeError(f"{method}: {answer['error']}")
                return answer["result"]


def page_target(port, suffix):
    for _ in range(100):
        try:
            with urllib.request.urlopen(f"http://127.0.0.1:{port}/json", timeout=5) as reply:
                for target in json.load(reply):
                    if target.get("type") == "page" and target.get("url", "").endswith(suffix):
                        return target["webSocketDebuggerUrl"]
        except OSError:
            pass
        time.sleep(0.2)
    raise SystemExit(f"page_fonts: no page ending in {suffix!r} on port {port}")


def loaded_page(port, suffix):
    """The page whose address ends in suffix, once it has loaded."""
    page = Page(page_target(port, suffix))
    for _ in range(100):
        state = page.call("Runtime.evaluate", expression="document.readyState")
        if state["result"].get("value") == "complete":
            break
        time.sleep(0.2)
    return page


def main():
    port, selector = sys.argv[1], sys.argv[2]
    suffix = sys.argv[3] if len(sys.argv) > 3 else ""
    page = loaded_page(port, suffix)
    page.call("DOM.enable")
    page.call("CSS.enable")
    root = page.call("DOM.getDocument", depth=-1)["root"]["nodeId"]
    node = page.call("DOM.querySelector", nodeId=root, selector=selector)["nodeId"]
    if not node:
        raise SystemExit(f"page_fonts: nothing matches {selector!r}")
    fonts = page.call("CSS.getPlatformFontsForNode", nodeId=node)["fonts"]
    for font in sorted(fonts, key=lambda f: -f.get("glyphCount", 0)):
        print(font["familyName"])


if __name__ == "__main__":
    main()
