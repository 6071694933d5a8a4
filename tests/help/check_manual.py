#!/usr/bin/env python3
"""The manual as a user's browser opens it from disk: every link and picture resolves to a file
in help/ (or an anchor of the page), nothing is fetched or run, and every keyboard shortcut of
accelerator table 128 and every menu text of the resource script is explained.
    check_manual.py SOURCE_DIR"""
import html.parser
import os
import re
import sys


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links, self.ids, self.scripts = [], set(), 0

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "script":
            self.scripts += 1
        if "id" in attrs:
            self.ids.add(attrs["id"])
        for name in ("src", "href"):
            if attrs.get(name):
                self.links.append(attrs[name])


def menu_texts(rc):
    """The menu's texts as the user reads them: without the access key and the key hint."""
    texts = []
    for text in re.findall(r'(?:POPUP|MENUITEM)\s+"([^"]+)"', rc):
        text = text.split("\\t")[0]
        text = re.sub(r"\(&.\)$", "", text).replace("&", "").rstrip(".")
        texts.append(text)
    return texts


def shortcuts(rc):
    table = re.search(r"ACCELERATORS\s+BEGIN(.*?)END", rc, re.S).group(1)
    keys = []
    for key, modifiers in re.findall(r'^\s*("[A-Z]"|VK_\w+),\s*\w+,\s*VIRTKEY((?:,\s*\w+)*)', table, re.M):
        name = key.strip('"') if key.startswith('"') else key[3:]
        prefix = "".join(m + "+" for m, flag in (("Ctrl", "CONTROL"), ("Alt", "ALT"), ("Shift", "SHIFT"))
                         if flag in modifiers)
        keys.append(prefix + name)
    return keys


def main():
    source = sys.argv[1]
    help_dir = os.path.join(source, "help")
    index = os.path.join(help_dir, "index.html")
    if not os.path.isfile(index):
        sys.exit("FAIL: no manual at help/index.html")
    text = open(index, encoding="utf-8").read()
    page = Page()
    page.feed(text)
    failures = []
    if page.scripts:
        failures.append("the manual runs scripts")
    for link in page.links:
        if re.match(r"[a-z]+:", link) or link.startswith("//"):
            failures.append("link out of the package: " + link)
            continue
        path, _, anchor = link.partition("#")
        if path and not os.path.isfile(os.path.normpath(os.path.join(help_dir, path))):
            failures.append("missing file: " + link)
        if not path and anchor and anchor not in page.ids:
            failures.append("missing anchor: " + link)
    rc = open(os.path.join(source, "resources", "Driftlace.rc"), encoding="utf-8").read()
    for key in shortcuts(rc):
        if key not in text:
            failures.append("shortcut not explained: " + key)
    for menu in menu_texts(rc):
        if menu not in text:
            failures.append("menu text not explained: " + menu)
    if failures:
        sys.exit("FAIL:\n  " + "\n  ".join(failures))
    print("manual ok: %d links, every shortcut and menu text" % len(page.links))


if __name__ == "__main__":
    main()
