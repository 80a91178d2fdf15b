#!/usr/bin/env python3
"""Tests of the build's size tools: the icon writer, the manifest compactor and
the size breakdown.

Run: python3 tools/test_build_tools.py
With LKP_RELEASE_DIR set to a built release folder, the breakdown is also
checked on that build's executable and linker map.
"""

import os
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.dom.minidom
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.path.insert(0, HERE)
import compact_manifest  # noqa: E402
import make_icons  # noqa: E402
import size_breakdown  # noqa: E402


def unfilter(data, size):
    """Undoes PNG filtering of RGBA scan lines: the rows of pixels."""
    stride = size * 4
    rows, previous, at = [], bytes(stride), 0
    for _ in range(size):
        kind, line = data[at], bytearray(data[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b = previous[i]
            c = previous[i - 4] if i >= 4 else 0
            line[i] = (line[i] + (0, a, b, (a + b) // 2, make_icons.paeth(a, b, c))[kind]) & 0xFF
        rows.append(bytes(line))
        previous = line
    return rows


class Icons(unittest.TestCase):
    def test_every_image_decodes_to_the_drawing(self):
        for layers, sizes in ((make_icons.window_icon(), [16, 24, 32]),
                              (make_icons.page_icon(), [32, 64])):
            icon = make_icons.ico(layers, sizes)
            reserved, kind, count = struct.unpack_from('<HHH', icon)
            self.assertEqual((0, 1, len(sizes)), (reserved, kind, count))
            for n, size in enumerate(sizes):
                width, height, _, _, planes, bits, length, offset = struct.unpack_from(
                    '<BBBBHHII', icon, 6 + 16 * n)
                self.assertEqual((size, size, 1, 32), (width, height, planes, bits))
                image = icon[offset:offset + length]
                self.assertEqual(b'\x89PNG\r\n\x1a\n', image[:8])
                self.assertEqual((size, size, 8, 6), struct.unpack_from('>IIBB', image, 16))
                # One IDAT after IHDR; every chunk's CRC holds.
                chunks, at = {}, 8
                while at < len(image):
                    length_, name = struct.unpack_from('>I4s', image, at)
                    body = image[at + 8:at + 8 + length_]
                    crc = struct.unpack_from('>I', image, at + 8 + length_)[0]
                    self.assertEqual(zlib.crc32(name + body) & 0xFFFFFFFF, crc, name)
                    chunks[name] = body
                    at += 12 + length_
                self.assertEqual({b'IHDR', b'IDAT', b'IEND'}, set(chunks))
                expected = [bytes(c for px in row for c in px)
                            for row in make_icons.render(layers, size)]
                self.assertEqual(expected, unfilter(zlib.decompress(chunks[b'IDAT']), size),
                                 '%d x %d' % (size, size))


class Manifest(unittest.TestCase):
    def elements(self, text):
        def walk(node):
            if node.nodeType == node.ELEMENT_NODE:
                attributes = sorted(node.attributes.items())
                text = ''.join(c.data for c in node.childNodes if c.nodeType == c.TEXT_NODE)
                yield node.tagName, attributes, text.strip()
                for child in node.childNodes:
                    yield from walk(child)
        return list(walk(xml.dom.minidom.parseString(text.encode('utf-8')).documentElement))

    def test_compacting_keeps_every_element_attribute_and_text(self):
        with open(os.path.join(ROOT, 'resources', 'installer.manifest'), encoding='utf-8') as f:
            source = f.read()
        compacted = compact_manifest.compact(source)
        self.assertEqual(self.elements(source), self.elements(compacted))
        self.assertNotIn('<!--', compacted)
        self.assertLess(len(compacted), len(source) * 3 // 4)

    def test_comments_with_dashes_and_tags_go_whole(self):
        text = '<a>\n  <!-- per-machine <b/> -->\n  <c x="1  2"\n     y="3"/>\n</a>\n'
        self.assertEqual('<a><c x="1  2" y="3"/></a>\n', compact_manifest.compact(text))


class Breakdown(unittest.TestCase):
    def test_rows_by_origin(self):
        folders = {'KString.cpp': 'base', 'Main.cpp': 'app'}
        cases = [
            ('liblkp_core.a(KString.cpp.obj)', 'our code: base/'),
            ('CMakeFiles/installer.dir/app/Main.cpp.obj', 'our code: app/'),
            ('CMakeFiles/installer.dir/payload-pack/PayloadManifest.cpp.obj',
             'our code: payload/ (generated manifest)'),
            ('liblkp_zlib.a(inflate.c.obj)', 'zlib (inflate, adler32)'),
            ('/usr/lib/gcc/x/12/libgcc_eh.a(unwind-dw2.o)', 'exception unwinder (libgcc_eh)'),
            ('/usr/lib/gcc/x/12/libstdc++.a(eh_alloc.o)', 'C++ runtime (libstdc++)'),
            ('/usr/x/lib/crt2.o', 'start-up code (MinGW CRT)'),
            ('/usr/x/lib/libmingw32.a(lib32_libmingw32_a-pesect.o)', 'start-up code (MinGW CRT)'),
            ('/usr/x/lib/libkernel32.a(libkernel32s00123.o)', 'import tables and thunks'),
            ('*fill*', None),
        ]
        for path, row in cases:
            self.assertEqual(row, size_breakdown.origin(path, folders), path)

    def test_optimised_functions_by_name(self):
        index = {'_Z7isBlankc': 'our code: base/'}
        sources = [('shell', 'namespace {\nvoid createShortcut(const KString& a) {\n}\n}\n'),
                   ('app', 'void other() { createShortcut(x); }\n')]
        cases = [
            ('.text$_Z7isBlankc', 'our code: base/'),
            ('.text$_Z7isBlankc.part.0.isra.0', 'our code: base/'),
            ('.text$_ZN12_GLOBAL__N_114createShortcutERK7KString', 'our code: shell/'),
            ('.text.startup._sub_I_65535_0.0', 'our code: constructors and destructors of globals'),
            ('.text$__tcf_3', 'our code: constructors and destructors of globals'),
            ('.rdata', 'our code: literals and tables merged at link time'),
            ('.eh_frame', 'our code: literals and tables merged at link time'),
            ('.text$_Z9somethingv', 'our code: not attributed'),
        ]
        for section, row in cases:
            self.assertEqual(row, size_breakdown.lto_row(section, index, sources), section)

    @unittest.skipUnless(os.environ.get('LKP_RELEASE_DIR'), 'no release build given')
    def test_the_release_adds_up_to_its_file(self):
        release = os.environ['LKP_RELEASE_DIR']
        exe = os.path.join(release, 'karaoke204setup.exe')
        rows, total = size_breakdown.breakdown(exe, os.path.join(release, 'karaoke204setup.map'),
                                               ROOT, os.environ.get('LKP_NM', 'i686-w64-mingw32-gcc-nm'))
        self.assertEqual(os.path.getsize(exe), total)
        self.assertEqual(total, sum(sum(c.values()) for c in rows.values()))
        size = {name: sum(c.values()) for name, c in rows.items()}
        for name in ('our code: app/', 'our code: base/', 'our code: payload/',
                     'zlib (inflate, adler32)', 'resources: payload streams',
                     'resources: dialogs', 'resources: icon images', 'resources: manifest'):
            self.assertGreater(size.get(name, 0), 0, name)
        ours = sum(v for name, v in size.items() if name.startswith('our code'))
        self.assertLess(size.get('our code: not attributed', 0), ours // 50)
        self.assertFalse([name for name in size if name.startswith('other')])


if __name__ == '__main__':
    unittest.main()
