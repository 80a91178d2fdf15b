#!/usr/bin/env python3
"""Packs the payload files into the installer's resources.

Compresses each of the 17 payload files into one zlib stream (header 78 DA),
writes the streams, the licence text with CRLF line ends, the resource script
that names them, and the C++ manifest with the checksums and the file time.

Streams are cached by content in --cache-dir, so an unchanged file is never
recompressed (zopfli takes seconds on the backdrop). Outputs are rewritten only
when their bytes change, so an unchanged payload does not relink the installer.

Prints one line per file saying whether it was compressed or taken from the
cache, then a summary line.
"""

import argparse
import datetime
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import zlib

# Extraction order and target names; the resource name is IDR_ + the index.
PAYLOAD_FILES = [
    'npmelko.dll',
    'melko.exe',
    'tonal32.dll',
    'tonal95.dll',
    'tonal16.dll',
    'basic.lyt',
    'melko.hlp',
    'remove.exe',
    'backdrop.bmp',
    'sample1.kar',
    'sample2.kar',
    'sample3.mid',
    'sample4.mid',
    'sample5.mid',
    'sample6.mid',
    'sample7.mid',
    'sample8.kar',
]

LICENSE_RESOURCE_ID = 120
RESOURCE_TYPE = 'LORIMUND'
ZLIB_HEADER = b'\x78\xda'            # 32 KB window, maximum compression

# Every payload file gets this last-write time.
FILE_TIME = datetime.datetime(2000, 11, 10, 12, 0, 0, tzinfo=datetime.timezone.utc)


class PackError(Exception):
    pass


def resource_name(index):
    return 'IDR_%02d' % index


def filetime(moment):
    """100-ns intervals since 1601-01-01 UTC, as (low, high) 32-bit halves."""
    delta = moment - datetime.datetime(1601, 1, 1, tzinfo=datetime.timezone.utc)
    ticks = (delta.days * 86400 + delta.seconds) * 10**7 + delta.microseconds * 10
    return ticks & 0xFFFFFFFF, ticks >> 32


def adler32(data):
    return zlib.adler32(data, 1) & 0xFFFFFFFF


def to_crlf(data):
    # Normalise first, so CRLF already in the file is not doubled.
    return data.replace(b'\r\n', b'\n').replace(b'\n', b'\r\n')


def write_atomically(path, data):
    directory = os.path.dirname(path) or '.'
    fd, tmp = tempfile.mkstemp(dir=directory, prefix='.tmp-')
    try:
        with os.fdopen(fd, 'wb') as f:
            f.write(data)
        os.chmod(tmp, 0o644)
        os.replace(tmp, path)
    except BaseException:
        try:
            os.unlink(tmp)
        except FileNotFoundError:
            pass
        raise


def write_if_changed(path, data):
    try:
        with open(path, 'rb') as f:
            if f.read() == data:
                return False
    except FileNotFoundError:
        pass
    write_atomically(path, data)
    return True


# ---------------------------------------------------------------- compressors

class ZopfliCompressor:
    def __init__(self, program, iterations):
        self.program = program
        self.args = ['--zlib', '--i%d' % iterations]
        with open(program, 'rb') as f:
            # A different zopfli build may give different bytes: key the cache on it.
            binary = hashlib.sha256(f.read()).hexdigest()[:16]
        self.identity = 'zopfli %s %s' % (' '.join(self.args), binary)

    def compress(self, path):
        result = subprocess.run([self.program] + self.args + ['-c', path],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        if result.returncode != 0:
            raise PackError('%s failed on %s: %s' % (self.program, path,
                                                     result.stderr.decode(errors='replace').strip()))
        return result.stdout


class ZlibCompressor:
    def __init__(self):
        self.identity = 'python-zlib 9 %s' % zlib.ZLIB_RUNTIME_VERSION

    def compress(self, path):
        with open(path, 'rb') as f:
            return zlib.compress(f.read(), 9)


def choose_compressor(args):
    if args.compressor == 'zlib':
        return ZlibCompressor()
    program = args.zopfli or shutil.which('zopfli')
    if program:
        return ZopfliCompressor(os.path.abspath(program), args.iterations)
    if args.compressor == 'zopfli':
        raise PackError('zopfli not found')
    sys.stderr.write('pack_payload: warning: zopfli not found, using zlib level 9 '
                     '(the streams will be larger)\n')
    return ZlibCompressor()


def check_stream(stream, data, what):
    if stream[:2] != ZLIB_HEADER:
        raise PackError('%s: the stream starts with %s, not 78 DA' % (what, stream[:2].hex(' ')))
    try:
        inflated = zlib.decompress(stream)
    except zlib.error as e:
        raise PackError('%s: the stream does not inflate: %s' % (what, e))
    if inflated != data:
        raise PackError('%s: the stream does not inflate to the file' % what)


def compressed_stream(path, data, compressor, cache_dir):
    """Returns (stream, came_from_cache)."""
    key = hashlib.sha256(data + b'\0' + compressor.identity.encode()).hexdigest()
    cache_path = os.path.join(cache_dir, key + '.z')
    try:
        with open(cache_path, 'rb') as f:
            stream = f.read()
        check_stream(stream, data, cache_path)
        return stream, True
    except FileNotFoundError:
        pass
    except PackError as e:
        # A damaged entry is not fatal: compress again and replace it.
        sys.stderr.write('pack_payload: warning: ignoring cache entry: %s\n' % e)
    stream = compressor.compress(path)
    check_stream(stream, data, '%s (compressed by %s)' % (path, compressor.identity))
    write_atomically(cache_path, stream)
    return stream, False


# ---------------------------------------------------------------- outputs

def resource_script(license_name):
    lines = ['// Generated by pack_payload.py: the payload streams and the licence text.',
             '// The file names are relative to this script\'s folder.']
    for index in range(len(PAYLOAD_FILES)):
        name = resource_name(index)
        lines.append('%s %s "%s.z"' % (name, RESOURCE_TYPE, name))
    lines.append('%d %s "%s"' % (LICENSE_RESOURCE_ID, RESOURCE_TYPE, license_name))
    return ('\n'.join(lines) + '\n').encode('ascii')


def manifest_source(rows, license_checksum):
    low, high = filetime(FILE_TIME)
    out = ['// Generated by pack_payload.py from the payload folder; do not edit.',
           '#include "payload/PayloadEntry.h"',
           '',
           '// fileTime of every row: %s UTC.' % FILE_TIME.strftime('%Y-%m-%d %H:%M:%S'),
           'const PayloadEntry PayloadManifest[] = {']
    for name, file_name, file_sum, resource_sum in rows:
        out.append('    {"%s", "%s", 0x%08Xu, 0x%08Xu, {0x%08Xu, 0x%08Xu}},'
                   % (name, file_name, file_sum, resource_sum, low, high))
    out += ['    {}',
            '};',
            '',
            'const DWORD LicenseChecksum = 0x%08Xu;' % license_checksum,
            '']
    return '\n'.join(out).encode('ascii')


def pack(args):
    missing = [name for name in PAYLOAD_FILES
               if not os.path.isfile(os.path.join(args.payload_dir, name))]
    if missing:
        raise PackError('missing payload file%s in %s: %s'
                        % ('s' if len(missing) > 1 else '', args.payload_dir, ', '.join(missing)))
    if not os.path.isfile(args.license):
        raise PackError('missing licence file: %s' % args.license)

    os.makedirs(args.out_dir, exist_ok=True)
    os.makedirs(args.cache_dir, exist_ok=True)
    compressor = choose_compressor(args)

    rows = []
    compressed = 0
    total = 0
    for index, file_name in enumerate(PAYLOAD_FILES):
        path = os.path.join(args.payload_dir, file_name)
        with open(path, 'rb') as f:
            data = f.read()
        stream, cached = compressed_stream(path, data, compressor, args.cache_dir)
        if not cached:
            compressed += 1
        total += len(stream)
        name = resource_name(index)
        write_if_changed(os.path.join(args.out_dir, name + '.z'), stream)
        rows.append((name, file_name, adler32(data), adler32(stream)))
        print('%s %-12s %7d -> %7d %s' % (name, file_name, len(data), len(stream),
                                          'cached' if cached else 'compressed'))

    with open(args.license, 'rb') as f:
        license_text = to_crlf(f.read())
    write_if_changed(os.path.join(args.out_dir, 'license.txt'), license_text)
    write_if_changed(os.path.join(args.out_dir, 'payload.rc'), resource_script('license.txt'))
    write_if_changed(os.path.join(args.out_dir, 'PayloadManifest.cpp'),
                     manifest_source(rows, adler32(license_text)))
    print('pack_payload: %d streams, %d bytes, %d compressed, %d from cache (%s)'
          % (len(rows), total, compressed, len(rows) - compressed, compressor.identity))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--payload-dir', required=True, help='folder holding the 17 payload files')
    parser.add_argument('--license', required=True, help='licence text (stored with CRLF line ends)')
    parser.add_argument('--out-dir', required=True, help='folder for the streams, payload.rc and PayloadManifest.cpp')
    parser.add_argument('--cache-dir', required=True, help='cache of compressed streams, keyed by content')
    parser.add_argument('--compressor', choices=['auto', 'zopfli', 'zlib'], default='auto',
                        help='auto: zopfli when found, else zlib level 9 with a warning')
    parser.add_argument('--zopfli', help='zopfli program to use instead of the one on PATH')
    parser.add_argument('--iterations', type=int, default=15, help='zopfli iterations (default 15)')
    args = parser.parse_args(argv)
    try:
        pack(args)
    except (PackError, OSError) as e:
        sys.stderr.write('pack_payload: error: %s\n' % e)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
