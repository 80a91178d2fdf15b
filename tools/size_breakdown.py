#!/usr/bin/env python3
"""Prints where the bytes of a linked Windows executable come from.

Usage: size_breakdown.py EXE MAP SOURCE_ROOT [NM]

EXE is the linked (possibly stripped) executable, MAP the GNU ld map of the
same link and SOURCE_ROOT the repository, which tells the folder of an object
that an archive names by its file name only. After link-time optimisation
our code comes out of one object; NM (the toolchain's gcc-nm, which reads the
optimiser's objects) then tells which source defined each function, from the
function's own section (the link keeps one per function). The table has one row per origin
(our code by folder, zlib, the C++ runtime, the unwinder, start-up code,
import tables, relocations, each resource type, headers and padding) and one
column per kind of content; its rows add up to the file's size exactly.
"""

import collections
import os
import re
import struct
import sys

RESOURCE_TYPES = {1: 'cursors', 2: 'bitmaps', 3: 'icon images', 4: 'menus', 5: 'dialogs',
                  6: 'strings', 9: 'accelerators', 10: 'raw data', 12: 'cursor groups',
                  14: 'icon groups', 16: 'version information', 24: 'manifest'}

COLUMNS = ['code', 'data', 'unwind', 'other']


def section_kind(name):
    if name.startswith('.text'):
        return 'code'
    if name.startswith('.eh_fr'):
        return 'unwind'
    if name.startswith(('.rdata', '.data', '.CRT', '.tls', '.ctors', '.dtors')):
        return 'data'
    return 'other'


class Pe:
    """Section headers and resource entries of a PE image."""

    def __init__(self, path):
        with open(path, 'rb') as f:
            self.data = f.read()
        d = self.data
        pe = struct.unpack_from('<I', d, 0x3C)[0]
        if d[pe:pe + 4] != b'PE\0\0':
            raise ValueError('%s is not a PE image' % path)
        count, optional_size = struct.unpack_from('<H12xH', d, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from('<H', d, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva = struct.unpack_from('<I', d, directories + 2 * 8)[0]
        self.sections = []
        table = optional + optional_size
        for i in range(count):
            name, vsize, rva, raw_size, raw_offset = struct.unpack_from('<8sIIII', d, table + 40 * i)
            self.sections.append((name.rstrip(b'\0').decode(), rva, vsize, raw_offset, raw_size))
        self.headers = min(s[3] for s in self.sections if s[4]) if self.sections else len(d)

    def offset_of(self, rva):
        for _, start, vsize, raw_offset, raw_size in self.sections:
            if start <= rva < start + max(vsize, raw_size):
                return raw_offset + rva - start
        raise ValueError('RVA %#x is in no section' % rva)

    def resources(self):
        """Yields (type, name, size) for every resource."""
        if not self.resource_rva:
            return
        base = self.offset_of(self.resource_rva)
        d = self.data

        def entries(offset):
            named, ids = struct.unpack_from('<12xHH', d, base + offset)
            for i in range(named + ids):
                key, target = struct.unpack_from('<II', d, base + offset + 16 + 8 * i)
                if key & 0x80000000:
                    at = base + (key & 0x7FFFFFFF)
                    length = struct.unpack_from('<H', d, at)[0]
                    key = d[at + 2:at + 2 + 2 * length].decode('utf-16-le')
                yield key, target

        for kind, names in entries(0):
            for name, languages in entries(names & 0x7FFFFFFF):
                for _, leaf in entries(languages & 0x7FFFFFFF):
                    size = struct.unpack_from('<I', d, base + leaf + 4)[0]
                    yield kind, name, size


def parse_map(path):
    """Yields (output section, input section, size, file) for every input piece."""
    output = None
    pending = None
    line_re = re.compile(r'^ (\S+)?\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$')
    with open(path, errors='replace') as f:
        started = False
        for line in f:
            line = line.rstrip('\n')
            if not started:
                started = line.startswith('Linker script and memory map')
                continue
            if line and not line.startswith(' '):
                output = line.split()[0]
                continue
            if output is None:
                continue
            m = line_re.match(line)
            if m:
                name = m.group(1) or pending
                pending = None
                if name is None or name.startswith('0x'):
                    continue
                yield output, name, int(m.group(3), 16), m.group(4).strip()
                continue
            # A long input section name stands alone; its numbers follow.
            parts = line.split()
            pending = parts[0] if len(parts) == 1 and not parts[0].startswith('*') else None


def source_folders(root):
    """Maps a source file's name to its folder."""
    folders = {}
    for folder in ('app', 'base', 'payload', 'shell', 'plugins', 'migrate'):
        for dirpath, _, files in os.walk(os.path.join(root, folder)):
            for name in files:
                folders.setdefault(name, folder)
    return folders


def origin(path, folders):
    """The row an input file belongs to."""
    if path in ('*fill*', 'dll stuff') or path.startswith(('LONG ', 'BYTE ', 'SHORT ', 'QUAD ')):
        return None
    m = re.match(r'^(.*?)(?:\((.*)\))?$', path)
    archive, member = m.group(1), m.group(2)
    base = os.path.basename(archive)
    if member is None:
        member_name = base
    else:
        member_name = member
    if member_name.endswith('.res'):
        return 'resources'
    if 'PayloadManifest' in member_name:
        return 'our code: payload/ (generated manifest)'
    # Our own objects: CMake names them after the source (Main.cpp.obj).
    source = re.sub(r'\.(obj|o)$', '', member_name)
    for prefix in ('app/', 'base/', 'payload/', 'shell/', 'plugins/', 'migrate/'):
        if prefix in archive and member is None:
            return 'our code: ' + prefix
    if source in folders:
        return 'our code: %s/' % folders[source]
    if base in ('libz.a', 'libzinflate.a') or '/zlib' in archive or 'lkp_zlib' in base:
        return 'zlib (inflate, adler32)'
    if base.startswith('libstdc++') or base.startswith('libsupc++'):
        return 'C++ runtime (libstdc++)'
    if base == 'libgcc_eh.a':
        return 'exception unwinder (libgcc_eh)'
    if base == 'libgcc.a':
        return 'compiler helpers (libgcc)'
    if base in ('crt2.o', 'crtbegin.o', 'crtend.o', 'crt1.o', 'dllcrt2.o') or \
            base in ('libmingw32.a', 'libmingwex.a', 'libmoldname.a'):
        return 'start-up code (MinGW CRT)'
    if base.endswith('.a') and base.startswith('lib'):
        # An import library (kernel32, msvcrt, ...): thunks and tables.
        return 'import tables and thunks'
    return 'other: ' + member_name


def map_inputs(map_path):
    """The object files and archives that the map says were loaded."""
    with open(map_path, errors='replace') as f:
        return [line[5:].strip() for line in f if line.startswith('LOAD ')]


def defined_symbols(nm, inputs, map_dir, folders):
    """Maps each global symbol our objects define to the row of its source."""
    import subprocess
    index = {}
    for path in inputs:
        full = path if os.path.isabs(path) else os.path.join(map_dir, path)
        if 'ltrans' in path or not os.path.exists(full):
            continue
        if not (path.endswith('.obj') or os.path.basename(path).startswith('liblkp')):
            continue
        out = subprocess.run([nm, '--defined-only', full], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, universal_newlines=True).stdout
        member = path
        for line in out.splitlines():
            if line.endswith(':') and ' ' not in line:
                member = line[:-1]
                continue
            parts = line.split()
            if len(parts) != 3:
                continue
            row = origin(path if member == path else '%s(%s)' % (path, member), folders)
            if row and row.startswith('our code'):
                # i686 symbols carry one more leading underscore than sections,
                # and stdcall ones their argument size (_WinMain@16).
                symbol = re.sub(r'@\d+$', '', parts[2])
                for name in (symbol, symbol[1:] if symbol.startswith('_') else None):
                    if name:
                        index.setdefault(name, row)
    return index


CLONE_SUFFIX = re.compile(r'\.(part|isra|constprop|lto_priv|cold|localalias)(\.\d+)?$')


def lto_row(section, index, sources):
    """The row of one function or datum of an optimised object, by its name."""
    kind, _, name = section.partition('$')
    if kind.startswith('.text.startup'):
        return 'our code: constructors and destructors of globals'
    if not name or name.startswith('LDFCM'):
        return 'our code: literals and tables merged at link time'
    if name == 'zzz':
        return None
    while CLONE_SUFFIX.search(name):
        name = CLONE_SUFFIX.sub('', name)
    if name in index:
        return index[name]
    if name.startswith(('__tcf_', '_sub_I_', '_sub_D_')) or kind.startswith('.text.startup'):
        return 'our code: constructors and destructors of globals'
    # A function or datum of an anonymous namespace, or a static one: find
    # the line that defines it (a type, then the name, at the line's start).
    m = re.match(r'_ZN12_GLOBAL__N_1L?(\d+)', name) or re.match(r'_ZL(\d+)', name)
    if m:
        length = int(m.group(1))
        start = m.end()
        identifier = name[start:start + length]
        found = {folder for folder, text in sources if
                 re.search(r'^[\w:<>,*& ]*\b%s\s*[(\[=;{]' % re.escape(identifier), text, re.M)}
        if len(found) == 1:
            return 'our code: %s/' % found.pop()
    return 'our code: not attributed'


def read_sources(root):
    sources = []
    for folder in ('app', 'base', 'payload', 'shell', 'plugins', 'migrate'):
        for dirpath, _, files in os.walk(os.path.join(root, folder)):
            for name in files:
                if name.endswith('.cpp'):
                    with open(os.path.join(dirpath, name), errors='replace') as f:
                        sources.append((folder, f.read()))
    return sources


def breakdown(exe_path, map_path, root, nm=None, streams_type='LORIMUND'):
    pe = Pe(exe_path)
    folders = source_folders(root)
    rows = collections.OrderedDict()

    def add(row, column, size):
        rows.setdefault(row, collections.Counter())[column] += size

    # PE section names are cut to eight characters (.eh_frame is .eh_fram).
    raw_sizes = {s[0]: s[4] for s in pe.sections}
    counted = collections.Counter()
    index = sources = None
    for output, name, size, path in parse_map(map_path):
        output = output[:8]
        if output not in raw_sizes or output in ('.rsrc', '.reloc', '.bss'):
            continue
        if path.endswith('.ltrans.o'):
            if index is None:
                if not nm:
                    sys.exit('the map shows link-time optimisation: give the gcc-nm to use')
                index = defined_symbols(nm, map_inputs(map_path),
                                        os.path.dirname(os.path.abspath(map_path)), folders)
                sources = read_sources(root)
            row = lto_row(name, index, sources)
        else:
            row = origin(path, folders)
        if row is None:
            continue
        kind = 'other' if output == '.idata' else section_kind(output)
        add(row, kind, size)
        counted[output] += size

    # Resources by type, from the image itself; the directory is the rest.
    resource_sum = 0
    for kind, name, size in pe.resources():
        if kind == streams_type:
            row = 'resources: payload streams' if isinstance(name, str) else 'resources: licence text'
        else:
            row = 'resources: ' + RESOURCE_TYPES.get(kind, str(kind))
        add(row, 'data', size)
        resource_sum += size
    if '.rsrc' in raw_sizes:
        add('resources: directory and alignment', 'other', raw_sizes['.rsrc'] - resource_sum)
    if '.reloc' in raw_sizes:
        add('base relocations', 'other', raw_sizes['.reloc'])

    # Headers, and the gaps that file alignment leaves after each section.
    attributed = sum(sum(counts.values()) for counts in rows.values())
    add('PE headers and section padding', 'other', len(pe.data) - attributed)
    return rows, len(pe.data)


def print_table(rows, total, out=sys.stdout):
    def order(item):
        name = item[0]
        if name.startswith('our code'):
            return (0, name)
        if name.startswith('resources'):
            return (2, name)
        return (1, -sum(item[1].values()))
    out.write('| part | code | data | unwind | other | total |\n')
    out.write('|---|---:|---:|---:|---:|---:|\n')
    sums = collections.Counter()
    ours = collections.Counter()
    for name, counts in sorted(rows.items(), key=order):
        sums.update(counts)
        if name.startswith('our code'):
            ours.update(counts)
        cells = ['%d' % counts[c] if counts[c] else '' for c in COLUMNS]
        out.write('| %s | %s | %d |\n' % (name, ' | '.join(cells), sum(counts.values())))
    out.write('| **our code, all folders** | %s | **%d** |\n' % (
        ' | '.join('%d' % ours[c] for c in COLUMNS), sum(ours.values())))
    streams = sum(rows.get('resources: payload streams', {}).values())
    out.write('| **file** | %s | **%d** |\n' % (' | '.join('%d' % sums[c] for c in COLUMNS), total))
    out.write('| **overhead over the payload streams** | | | | | **%d** |\n' % (total - streams))


def main():
    args = sys.argv[1:]
    if len(args) not in (3, 4):
        sys.exit('usage: size_breakdown.py EXE MAP SOURCE_ROOT [NM]')
    rows, total = breakdown(*args)
    print_table(rows, total)


if __name__ == '__main__':
    main()
