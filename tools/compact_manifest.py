#!/usr/bin/env python3
"""Writes the application manifest without its comments and indentation.

Usage: compact_manifest.py SOURCE OUT

The comments explain the manifest to us; Windows reads the same XML without
them, and each byte of the resource is carried by every download.
"""

import re
import sys


def compact(text):
    text = re.sub(r'<!--.*?-->', '', text, flags=re.S)
    # Whitespace between tags only: attribute values and text stay as written.
    text = re.sub(r'>\s+<', '><', text)
    # A tag broken over lines: one blank between its attributes.
    text = re.sub(r'\s*\n\s*', ' ', text.strip())
    return text + '\n'


def main():
    if len(sys.argv) != 3:
        sys.exit('usage: compact_manifest.py SOURCE OUT')
    with open(sys.argv[1], encoding='utf-8') as source:
        data = compact(source.read()).encode('utf-8')
    try:
        with open(sys.argv[2], 'rb') as existing:
            if existing.read() == data:
                return
    except FileNotFoundError:
        pass
    with open(sys.argv[2], 'wb') as out:
        out.write(data)


if __name__ == '__main__':
    main()
