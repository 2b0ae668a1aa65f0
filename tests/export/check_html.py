#!/usr/bin/env python3
"""Checks that web pages are well-formed HTML: every element closes, in order.

--page FILE...      whole pages: <!DOCTYPE html>, then <html> with every element closed
--fragment FILE...  mark-up without a head: every element closed

The white font tags (<font>) and the link that opens the side column (<a> directly in
<div id="subnav">) are left open on purpose; they may stay open until their parent closes.
Exits 1 and names the first fault of each bad file.
"""
import sys
from html.parser import HTMLParser

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "track", "wbr"}


class Checker(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack = []  # (tag, may stay open)
        self.fault = None
        self.doctype = False
        self.top_level = []

    def fail(self, text):
        if self.fault is None:
            line, col = self.getpos()
            self.fault = f"line {line}: {text}"

    def handle_decl(self, decl):
        self.doctype = decl.lower() == "doctype html"

    def handle_starttag(self, tag, attrs):
        if not self.stack:
            self.top_level.append(tag)
        if tag in VOID:
            return
        open_ok = tag == "font" or (tag == "a" and self.stack and self.stack[-1][0] == "div"
                                    and self.stack[-1][2].get("id") == "subnav")
        self.stack.append((tag, open_ok, dict(attrs)))

    def handle_startendtag(self, tag, attrs):
        if tag not in VOID:
            self.fail(f"<{tag} /> is not a void element")

    def handle_endtag(self, tag):
        if tag in VOID:
            self.fail(f"</{tag}> closes a void element")
            return
        while self.stack and self.stack[-1][0] != tag and self.stack[-1][1]:
            self.stack.pop()
        if not self.stack or self.stack[-1][0] != tag:
            open_tag = self.stack[-1][0] if self.stack else "nothing"
            self.fail(f"</{tag}> closes <{open_tag}>")
            return
        self.stack.pop()

    def finish(self):
        self.close()
        left = [t for t, open_ok, _ in self.stack if not open_ok]
        if left:
            self.fail("not closed: " + ", ".join(f"<{t}>" for t in left))


def check(path, page):
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    checker = Checker()
    if any(line and not line.endswith("\r") for line in text.split("\n")[:-1]) or not text.endswith("\r\n"):
        return "lines do not all end with CR LF"
    checker.feed(text)
    checker.finish()
    if checker.fault:
        return checker.fault
    if page and (not checker.doctype or checker.top_level != ["html"]):
        return "not one <!DOCTYPE html> document with one <html> element"
    return None


def main(argv):
    page = True
    bad = 0
    for arg in argv:
        if arg in ("--page", "--fragment"):
            page = arg == "--page"
            continue
        fault = check(arg, page)
        if fault:
            print(f"{arg}: {fault}", file=sys.stderr)
            bad += 1
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
