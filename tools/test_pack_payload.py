#!/usr/bin/env python3
"""Tests of the payload packer and of the stand-in payload data.

Run: python3 tools/test_pack_payload.py
"""

import calendar
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_payload_data  # noqa: E402
import pack_payload  # noqa: E402

PACKER = os.path.join(HERE, 'pack_payload.py')

# Stands in for zopfli: logs each call, then compresses like zopfli --zlib -c
# (real zopfli when present, so its header is checked too). HEADER, when set,
# replaces the stream's first two bytes to imitate a tool with other defaults.
FAKE_ZOPFLI = r'''#!/usr/bin/env python3
import os, shutil, subprocess, sys, zlib
with open(os.environ['FAKE_ZOPFLI_LOG'], 'a') as log:
    log.write(sys.argv[-1] + '\n')
real = shutil.which('zopfli')
if real:
    out = subprocess.run([real] + sys.argv[1:], stdout=subprocess.PIPE, check=True).stdout
else:
    out = zlib.compress(open(sys.argv[-1], 'rb').read(), 9)
header = os.environ.get('FAKE_ZOPFLI_HEADER')
if header:
    out = bytes.fromhex(header) + out[2:]
sys.stdout.buffer.write(out)
'''

ROW = re.compile(r'\{"(IDR_\d\d)", "([^"]+)", 0x([0-9A-F]{8})u, 0x([0-9A-F]{8})u, '
                 r'\{0x([0-9A-F]{8})u, 0x([0-9A-F]{8})u\}\},')


def adler(data):
    return zlib.adler32(data) & 0xFFFFFFFF


class PackerTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix='pack-test-')
        self.payload = os.path.join(self.tmp, 'payload')
        self.out = os.path.join(self.tmp, 'out')
        self.cache = os.path.join(self.tmp, 'cache')
        os.mkdir(self.payload)
        self.files = {}
        for i, name in enumerate(pack_payload.PAYLOAD_FILES):
            # One empty file: its stream must still be a complete one.
            data = b'' if i == 5 else (name.encode() + bytes(range(i * 7 % 256))) * (i + 1)
            self.files[name] = data
            with open(os.path.join(self.payload, name), 'wb') as f:
                f.write(data)
        self.license = os.path.join(self.tmp, 'license.txt')
        with open(self.license, 'wb') as f:
            f.write(b'Terms\nline two\r\n\nlast')
        self.zopfli = os.path.join(self.tmp, 'fake-zopfli')
        with open(self.zopfli, 'w') as f:
            f.write(FAKE_ZOPFLI)
        os.chmod(self.zopfli, 0o755)
        self.log = os.path.join(self.tmp, 'zopfli.log')
        open(self.log, 'w').close()

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def pack(self, header=None):
        env = dict(os.environ, FAKE_ZOPFLI_LOG=self.log)
        if header:
            env['FAKE_ZOPFLI_HEADER'] = header
        return subprocess.run([sys.executable, PACKER, '--payload-dir', self.payload,
                               '--license', self.license, '--out-dir', self.out,
                               '--cache-dir', self.cache, '--zopfli', self.zopfli],
                              env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              universal_newlines=True)

    def calls(self):
        with open(self.log) as f:
            return f.read().split()

    def read_out(self, name):
        with open(os.path.join(self.out, name), 'rb') as f:
            return f.read()

    def test_streams_manifest_and_licence(self):
        result = self.pack()
        self.assertEqual(result.returncode, 0, result.stderr)

        manifest = self.read_out('PayloadManifest.cpp').decode()
        rows = ROW.findall(manifest)
        self.assertEqual([r[1] for r in rows], pack_payload.PAYLOAD_FILES)
        self.assertIn('\n    {}\n};', manifest)

        # FILETIME of 2000-11-10 12:00:00 UTC from the Unix epoch's offset.
        ticks = calendar.timegm((2000, 11, 10, 12, 0, 0)) * 10**7 + 116444736000000000
        for i, (res, name, file_sum, res_sum, low, high) in enumerate(rows):
            self.assertEqual(res, 'IDR_%02d' % i)
            stream = self.read_out(res + '.z')
            self.assertEqual(stream[:2], b'\x78\xda', name)
            self.assertEqual(zlib.decompress(stream), self.files[name], name)
            self.assertEqual(int(file_sum, 16), adler(self.files[name]), name)
            self.assertEqual(int(res_sum, 16), adler(stream), name)
            self.assertEqual((int(low, 16), int(high, 16)), (ticks & 0xFFFFFFFF, ticks >> 32))
        self.assertEqual(rows[5][2], '00000001')     # the empty file

        licence = self.read_out('license.txt')
        self.assertEqual(licence, b'Terms\r\nline two\r\n\r\nlast')
        self.assertIn('LicenseChecksum = 0x%08Xu;' % adler(licence), manifest)

        script = self.read_out('payload.rc').decode().splitlines()
        self.assertIn('IDR_16 LORIMUND "IDR_16.z"', script)
        self.assertIn('120 LORIMUND "license.txt"', script)

    def test_second_run_uses_cache_and_leaves_outputs_alone(self):
        self.assertEqual(self.pack().returncode, 0)
        self.assertEqual(len(self.calls()), 17)
        outputs = sorted(os.listdir(self.out))
        old = {n: self.read_out(n) for n in outputs}

        shutil.rmtree(self.out)
        self.assertEqual(self.pack().returncode, 0)
        self.assertEqual(len(self.calls()), 17, 'cached streams were compressed again')
        self.assertEqual({n: self.read_out(n) for n in outputs}, old)

        stamps = {n: os.stat(os.path.join(self.out, n)).st_mtime_ns for n in outputs}
        with open(os.path.join(self.payload, 'melko.exe'), 'ab') as f:
            f.write(b'changed')
        self.assertEqual(self.pack().returncode, 0)
        self.assertEqual(self.calls()[17:], [os.path.join(self.payload, 'melko.exe')])
        changed = [n for n in outputs if os.stat(os.path.join(self.out, n)).st_mtime_ns != stamps[n]]
        self.assertEqual(changed, ['IDR_01.z', 'PayloadManifest.cpp'])

    def test_damaged_cache_entry_is_replaced(self):
        self.assertEqual(self.pack().returncode, 0)
        for entry in os.listdir(self.cache):
            with open(os.path.join(self.cache, entry), 'r+b') as f:
                f.seek(3)
                f.write(b'\xff\xff')
        result = self.pack()
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(len(self.calls()), 34)
        self.assertEqual(zlib.decompress(self.read_out('IDR_01.z')), self.files['melko.exe'])

    def test_missing_file_is_named(self):
        os.remove(os.path.join(self.payload, 'sample5.mid'))
        result = self.pack()
        self.assertEqual(result.returncode, 1)
        self.assertIn('sample5.mid', result.stderr)
        self.assertFalse(os.path.exists(os.path.join(self.out, 'PayloadManifest.cpp')))

    def test_other_zlib_header_fails(self):
        result = self.pack(header='789c')      # a valid stream, but not maximum compression
        self.assertEqual(result.returncode, 1)
        self.assertIn('78 9c', result.stderr)
        self.assertEqual(os.listdir(self.cache), [])


def midi_tracks(data):
    """Parses a Standard MIDI File; returns the header fields and per track
    the list of (status, payload) events. Fails on any inconsistency."""
    assert data[:4] == b'MThd'
    length, fmt, ntracks, division = struct.unpack('>IHHH', data[4:14])
    assert length == 6
    pos = 14
    tracks = []
    while pos < len(data):
        assert data[pos:pos + 4] == b'MTrk', 'chunk at %d' % pos
        (size,) = struct.unpack('>I', data[pos + 4:pos + 8])
        end = pos + 8 + size
        assert end <= len(data), 'chunk runs past the file'
        p = pos + 8
        events = []
        running = None

        def varlen():
            nonlocal p
            value = 0
            while True:
                byte = data[p]
                p += 1
                value = (value << 7) | (byte & 0x7F)
                if byte < 0x80:
                    return value

        while p < end:
            varlen()
            status = data[p]
            if status >= 0x80:
                p += 1
            else:
                assert running is not None, 'running status without a status'
                status = running
            if status == 0xFF:
                kind = data[p]
                p += 1
                n = varlen()
                events.append((0xFF, kind, data[p:p + n]))
                p += n
                running = None
            elif status >= 0xF0:
                raise AssertionError('unexpected system event %x' % status)
            else:
                n = 1 if status & 0xF0 in (0xC0, 0xD0) else 2
                events.append((status, None, data[p:p + n]))
                p += n
                running = status
        assert p == end, 'events overrun the chunk'
        tracks.append(events)
        pos = end
    return fmt, ntracks, division, tracks


class PayloadDataTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.files = make_payload_data.payload_data()

    def test_names_match_the_manifest(self):
        binaries = {'npmelko.dll', 'melko.exe', 'tonal32.dll', 'tonal95.dll', 'tonal16.dll', 'remove.exe'}
        self.assertEqual(set(self.files) | binaries, set(pack_payload.PAYLOAD_FILES))

    def test_songs_are_standard_midi_files(self):
        songs = [n for n in self.files if n.startswith('sample')]
        self.assertEqual(len(songs), 8)
        for name in songs:
            fmt, ntracks, division, tracks = midi_tracks(self.files[name])
            self.assertEqual((fmt, ntracks), (1, len(tracks)), name)
            self.assertGreaterEqual(ntracks, 3, name)
            for events in tracks:
                self.assertEqual(events[-1], (0xFF, 0x2F, b''), name)
                self.assertNotIn((0xFF, 0x2F, b''), events[:-1], name)
            notes = sum(1 for t in tracks for e in t if e[0] & 0xF0 == 0x90 and e[2][1])
            self.assertGreater(notes, 30, name)
            texts = [e[2].decode('ascii') for t in tracks for e in t if e[:2] == (0xFF, 0x01)]
            if name.endswith('.kar'):
                self.assertTrue(any(t.startswith('@T') for t in texts), name)
                self.assertGreater(len([t for t in texts if not t.startswith('@')]), 40, name)
            else:
                self.assertFalse(any(t.startswith('@T') for t in texts), name)

    def test_backdrop_is_a_24_bit_bmp_a_little_over_800_kb(self):
        data = self.files['backdrop.bmp']
        magic, size, _, _, offset = struct.unpack('<2sIHHI', data[:14])
        header, width, height, planes, bits, compression, image = struct.unpack('<IiiHHII', data[14:38])
        self.assertEqual((magic, size, offset, header), (b'BM', len(data), 54, 40))
        self.assertEqual((planes, bits, compression), (1, 24, 0))
        self.assertGreater(height, 0)     # bottom-up
        self.assertEqual(image, ((width * 3 + 3) // 4 * 4) * height)
        self.assertEqual(offset + image, len(data))
        self.assertTrue(800 * 1024 < len(data) < 850 * 1024, len(data))

    def test_text_files_and_determinism(self):
        self.assertNotIn(b'\n', self.files['basic.lyt'].replace(b'\r\n', b''))
        with tempfile.TemporaryDirectory() as out:
            env = dict(os.environ, PYTHONHASHSEED='1')
            subprocess.run([sys.executable, os.path.join(HERE, 'make_payload_data.py'), out],
                           env=env, check=True)
            for name, data in self.files.items():
                with open(os.path.join(out, name), 'rb') as f:
                    self.assertEqual(f.read(), data, name)


if __name__ == '__main__':
    unittest.main()
