#!/usr/bin/env python3
"""Writes the data files of the stand-in payload: eight sample songs, the
karaoke backdrop, the default layout and the help file.

Everything is composed here, from fixed seeds, so every run gives the same
bytes. A file is rewritten only when its content changes, which keeps the
build from repacking and relinking for nothing.

Usage: make_payload_data.py OUT_DIR
"""

import math
import os
import struct
import sys
import tempfile
import zlib


# ---------------------------------------------------------------- helpers

class Lcg:
    """A tiny fixed random source. Python's random module is avoided on
    purpose: its derived functions have changed between versions."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state >> 8

    def below(self, n):
        return self.next() % n

    def pick(self, items):
        return items[self.below(len(items))]


def write_if_changed(path, data):
    try:
        with open(path, 'rb') as f:
            if f.read() == data:
                return False
    except FileNotFoundError:
        pass
    fd, tmp = tempfile.mkstemp(dir=os.path.dirname(path) or '.', prefix='.tmp-')
    try:
        with os.fdopen(fd, 'wb') as f:
            f.write(data)
        os.chmod(tmp, 0o644)
        os.replace(tmp, path)
    except BaseException:
        os.unlink(tmp)
        raise
    return True


# ---------------------------------------------------------------- MIDI

PPQ = 96                 # ticks per quarter note
EIGHTH = PPQ // 2


def varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


class Track:
    """Collects absolute-time events and serialises them as an MTrk chunk."""

    def __init__(self):
        self.events = []      # (tick, order, serial, bytes)
        self.serial = 0
        self.length = 0       # the end-of-track meta goes no earlier than this

    def add(self, tick, data, order=1):
        # order puts note-offs before note-ons at the same tick.
        self.events.append((tick, order, self.serial, bytes(data)))
        self.serial += 1

    def meta(self, tick, kind, payload):
        self.add(tick, bytes([0xFF, kind]) + varlen(len(payload)) + payload, order=0)

    def text(self, tick, kind, string):
        self.meta(tick, kind, string.encode('ascii'))

    def note(self, tick, length, channel, pitch, velocity):
        self.add(tick, (0x90 | channel, pitch, velocity), order=2)
        # A note-on of velocity 0 ends the note and keeps running status going.
        self.add(tick + length, (0x90 | channel, pitch, 0), order=0)

    def program(self, tick, channel, number):
        self.add(tick, (0xC0 | channel, number), order=0)

    def controller(self, tick, channel, number, value):
        self.add(tick, (0xB0 | channel, number, value), order=0)

    def chunk(self):
        body = bytearray()
        last_tick = 0
        running = None
        end = max([self.length] + [e[0] for e in self.events])
        for tick, _, _, data in sorted(self.events):
            body += varlen(tick - last_tick)
            last_tick = tick
            status = data[0]
            if status < 0xF0:
                if status == running:
                    data = data[1:]
                running = status
            else:
                running = None       # meta and sysex events cancel running status
            body += data
        body += varlen(end - last_tick) + b'\xFF\x2F\x00'
        return b'MTrk' + struct.pack('>I', len(body)) + bytes(body)


SCALES = {
    'major': [0, 2, 4, 5, 7, 9, 11],
    'minor': [0, 2, 3, 5, 7, 8, 10],
    'dorian': [0, 2, 3, 5, 7, 9, 10],
}

# Chord roots as scale degrees (0 = tonic), one per bar.
PROGRESSIONS = [
    [0, 3, 4, 0],
    [0, 5, 3, 4],
    [0, 3, 0, 4],
    [0, 4, 5, 3],
]


# Sharps (+) or flats (-) of the major key on each pitch class.
MAJOR_KEY_ACCIDENTALS = [0, -5, 2, -3, 4, -1, 6, 1, -4, 3, -2, 5]


def key_signature(root, scale):
    if scale == 'minor':
        return struct.pack('<bB', MAJOR_KEY_ACCIDENTALS[(root + 3) % 12], 1)
    # A dorian tune is written in the signature of its parent major key.
    parent = root - 2 if scale == 'dorian' else root
    return struct.pack('<bB', MAJOR_KEY_ACCIDENTALS[parent % 12], 0)


def degree_pitch(root, scale, degree):
    steps = SCALES[scale]
    octave, index = divmod(degree, len(steps))
    return root + 12 * octave + steps[index]


def phrase_rhythm(rng, notes, slots):
    """Splits a phrase of `slots` eighths among `notes` notes and a closing
    rest: the last note is held, the other spare eighths fall at random."""
    if not 0 < notes <= slots:
        raise ValueError('%d notes do not fit in %d eighths' % (notes, slots))
    lengths = [1] * notes
    spare = slots - notes
    rest = min(2, spare)
    spare -= rest
    last = min(spare, 3)
    lengths[-1] += last
    spare -= last
    while spare > 0:
        i = rng.below(notes)
        grow = 1 if lengths[i] >= 2 else rng.pick([1, 1, 2])
        grow = min(grow, spare)
        lengths[i] += grow
        spare -= grow
    return lengths


def melody_line(rng, count, start_degree, end_degree):
    degrees = []
    d = start_degree
    for i in range(count):
        if i == count - 1:
            d = end_degree
        elif i:
            d += rng.pick([-2, -1, -1, 0, 1, 1, 2, 3 if d < 4 else -3])
            d = max(-3, min(9, d))
        degrees.append(d)
    return degrees


def split_syllables(line):
    """'Morn-ing light' -> ['Morn', 'ing ', 'light']: a word's last syllable
    carries the space that follows it, as karaoke players expect."""
    words = line.split()
    out = []
    for w_index, word in enumerate(words):
        parts = word.split('-')
        for p_index, part in enumerate(parts):
            if p_index == len(parts) - 1 and w_index < len(words) - 1:
                part += ' '
            out.append(part)
    return out


def compose(song):
    rng = Lcg(song['seed'])
    beats = song['beats']
    bar = beats * PPQ
    slots = beats * 2 * 2             # eighths in a two-bar phrase
    root = song['root']
    scale = song['scale']
    lines = song.get('lyrics') or [None] * song['phrases']
    prog = PROGRESSIONS[song['seed'] % len(PROGRESSIONS)]

    conductor = Track()
    conductor.text(0, 0x03, song['title'])
    conductor.text(0, 0x02, 'Copyright (C) 2000 Lorimund')
    conductor.meta(0, 0x58, bytes([beats, 2, 24, 8]))
    conductor.meta(0, 0x59, key_signature(root, scale))
    conductor.meta(0, 0x51, (60000000 // song['tempo']).to_bytes(3, 'big'))

    melody = Track()
    melody.text(0, 0x03, 'Melody')
    melody.program(0, 0, song['lead'])
    melody.controller(0, 0, 7, 100)

    words = Track() if song.get('lyrics') else None
    if words:
        conductor.text(0, 0x01, '@KMIDI KARAOKE FILE')
        words.text(0, 0x03, 'Words')
        words.text(0, 0x01, '@LENGL')
        words.text(0, 0x01, '@T' + song['title'])
        words.text(0, 0x01, '@TLorimund sample songs')

    tick = 0
    for index, line in enumerate(lines):
        syllables = split_syllables(line) if line else None
        count = len(syllables) if syllables else 6 + rng.below(6)
        lengths = phrase_rhythm(rng, count, slots)
        start = rng.pick([0, 2, 4]) if index else 0
        end = 0 if index % 2 else rng.pick([1, 4])
        degrees = melody_line(rng, len(lengths), start, end)
        t = tick
        for n, (length, degree) in enumerate(zip(lengths, degrees)):
            pitch = degree_pitch(root, scale, degree)
            velocity = 88 if (t - tick) % bar == 0 else 72 + rng.below(10)
            melody.note(t, length * EIGHTH - 4, 0, pitch, velocity)
            if syllables:
                text = syllables[n]
                if n == 0:
                    text = ('\\' if index % 4 == 0 else '/') + text
                words.text(t, 0x01, text)
            t += length * EIGHTH
        tick += 2 * bar
    total = tick
    conductor.length = total

    accomp = Track()
    accomp.text(0, 0x03, 'Chords')
    accomp.program(0, 1, song['pad'])
    accomp.controller(0, 1, 7, 70)
    accomp.program(0, 2, 32)          # acoustic bass
    accomp.controller(0, 2, 7, 90)
    for b in range(total // bar):
        degree = prog[b % len(prog)]
        start = b * bar
        if song.get('arpeggio'):
            # Broken chord in eighths: up the triad and back.
            pattern = [0, 2, 4, 7, 4, 2, 0, 2][:beats * 2]
            for e, offset in enumerate(pattern):
                accomp.note(start + e * EIGHTH, EIGHTH - 6, 1,
                            degree_pitch(root - 12, scale, degree + offset), 52 + (8 if e == 0 else 0))
        else:
            for offset in (0, 2, 4):
                accomp.note(start, bar - 8, 1, degree_pitch(root, scale, degree + offset), 56)
        bass = degree_pitch(root - 24, scale, degree)
        if beats == 3:
            accomp.note(start, PPQ - 8, 2, bass, 84)
            accomp.note(start + PPQ, 2 * PPQ - 8, 2, bass + 7, 70)
        else:
            accomp.note(start, 2 * PPQ - 8, 2, bass, 84)
            accomp.note(start + 2 * PPQ, 2 * PPQ - 8, 2, bass + 7, 70)

    tracks = [conductor, melody]
    if words:
        tracks.append(words)
    tracks.append(accomp)

    if song.get('drums'):
        drums = Track()
        drums.text(0, 0x03, 'Drums')
        for b in range(total // bar):
            start = b * bar
            for e in range(beats * 2):
                t = start + e * EIGHTH
                drums.note(t, EIGHTH // 2, 9, 42, 60 if e % 2 else 76)   # closed hi-hat
                if e == 0 or (beats == 4 and e == 4):
                    drums.note(t, EIGHTH // 2, 9, 36, 100)              # bass drum
                if beats == 4 and e in (2, 6):
                    drums.note(t, EIGHTH // 2, 9, 38, 90)               # snare
        tracks.append(drums)

    header = b'MThd' + struct.pack('>IHHH', 6, 1, len(tracks), PPQ)
    return header + b''.join(t.chunk() for t in tracks)


SONGS = [
    ('sample1.kar', dict(title='Morning Light', seed=101, root=67, scale='major', beats=4,
                         tempo=104, lead=73, pad=48, drums=True, lyrics=[
        'Morn-ing light on qui-et hills',
        'bird-song o-ver wind-mill sails',
        'o-pen wide the win-dow pane',
        'sing a-long and sing a-gain',
        'Kettle sings up-on the stove',
        'sun-shine in the ap-ple grove',
        'ev-ery lit-tle thing is new',
        'sing a-long, the day is through'])),
    ('sample2.kar', dict(title='Paper Boats', seed=202, root=62, scale='major', beats=4,
                         tempo=96, lead=0, pad=46, drums=False, arpeggio=True, lyrics=[
        'Fold a boat from yes-ter-day',
        'set it sail-ing down the lane',
        'watch it drift past gar-den gates',
        'home a-gain be-fore the rain',
        'Pud-dles shine like lit-tle seas',
        'o-ver peb-bles, un-der trees',
        'ev-ery boat will find its way',
        'home a-gain at end of day'])),
    ('sample3.mid', dict(title='Hillside Waltz', seed=303, root=65, scale='major', beats=3,
                         tempo=132, lead=22, pad=24, arpeggio=True, phrases=12)),
    ('sample4.mid', dict(title='Rain on the Roof', seed=404, root=57, scale='minor', beats=4,
                         tempo=88, lead=11, pad=89, drums=True, phrases=10)),
    ('sample5.mid', dict(title='Little March', seed=505, root=60, scale='major', beats=4,
                         tempo=116, lead=56, pad=61, drums=True, phrases=10)),
    ('sample6.mid', dict(title='Evening Bells', seed=606, root=64, scale='dorian', beats=3,
                         tempo=100, lead=14, pad=46, arpeggio=True, phrases=10)),
    ('sample7.mid', dict(title='Harbour Dance', seed=707, root=62, scale='dorian', beats=4,
                         tempo=126, lead=21, pad=25, drums=True, arpeggio=True, phrases=12)),
    ('sample8.kar', dict(title='Walking Home', seed=808, root=60, scale='major', beats=4,
                         tempo=92, lead=4, pad=88, drums=True, lyrics=[
        'Street lamps hum a gen-tle tune',
        'foot-steps tap be-neath the moon',
        'ev-ery cor-ner seems to say',
        'walk-ing home is not far a-way',
        'Win-dows glow in yel-low light',
        'wave hel-lo and say good-night',
        'one more street and one more turn',
        'home is where the lan-terns burn'])),
]


# ---------------------------------------------------------------- backdrop

BMP_WIDTH = 640
BMP_HEIGHT = 428


def make_backdrop():
    """A dusk-coloured vertical gradient with soft diagonal waves and a
    faint dither; rows are stored bottom-up, padded to four bytes."""
    row_bytes = BMP_WIDTH * 3
    padding = (-row_bytes) % 4
    pixels = bytearray()
    rng = Lcg(0xBAC0D)
    # Per-column wave phase, computed once.
    col_sin = [math.sin(x * 2 * math.pi / 160.0) for x in range(BMP_WIDTH)]
    col_cos = [math.cos(x * 2 * math.pi / 160.0) for x in range(BMP_WIDTH)]
    for row in range(BMP_HEIGHT):
        y = BMP_HEIGHT - 1 - row                      # bottom-up
        f = y / (BMP_HEIGHT - 1)
        top = (24, 32, 84)                            # deep blue (RGB)
        bottom = (140, 92, 148)                       # soft violet
        base = [top[i] + (bottom[i] - top[i]) * f for i in range(3)]
        line = bytearray(row_bytes + padding)
        ripple_phase = y * 2 * math.pi / 53.0
        s_phase = math.sin(ripple_phase)
        c_phase = math.cos(ripple_phase)
        for x in range(BMP_WIDTH):
            # sin(a + b) expanded so the inner loop needs no trig call.
            wave = col_sin[x] * c_phase + col_cos[x] * s_phase
            glow = 10.0 * wave
            # A sparse one-step dither: enough grain that the picture does
            # not compress to almost nothing, like a real painted backdrop.
            noise = (rng.below(3) - 1) if rng.below(8) == 0 else 0
            r = base[0] + glow * 0.6 + noise
            g = base[1] + glow * 0.8 + noise
            b = base[2] + glow + noise
            o = x * 3
            line[o] = max(0, min(255, int(b)))
            line[o + 1] = max(0, min(255, int(g)))
            line[o + 2] = max(0, min(255, int(r)))
        pixels += line
    info = struct.pack('<IiiHHIIiiII', 40, BMP_WIDTH, BMP_HEIGHT, 1, 24, 0,
                       len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


# ---------------------------------------------------------------- layout

LAYOUT = """\
; Lorimund's Karaoke Player - default layout
; Positions are in pixels from the top-left corner of the main window.

[Layout]
Name=Basic
Version=2
Backdrop=backdrop.bmp

[MainWindow]
Width=480
Height=320
MinWidth=320
MinHeight=200
Background=16,24,64

[TitleBar]
Left=12
Top=8
Width=456
Height=22
Font=Arial
FontSize=12
FontBold=1
Color=240,236,220

[Lyrics]
Left=12
Top=40
Width=456
Height=180
Lines=4
Font=Arial
FontSize=20
Color=200,200,210
SungColor=255,214,92
Shadow=1
ShadowColor=8,8,24
Align=Center

[Progress]
Left=12
Top=232
Width=456
Height=8
TrackColor=60,64,110
FillColor=255,214,92

[Buttons]
Top=252
Height=28
Spacing=6
Font=Arial
FontSize=9
Order=Previous,Play,Pause,Stop,Next,Playlist
Face=48,56,104
Text=240,236,220

[StatusBar]
Left=12
Top=290
Width=456
Height=18
Font=Courier New
FontSize=9
Color=180,180,200
"""


# ---------------------------------------------------------------- help

HELP_TOPICS = [
    ('Contents',
     'Welcome to Lorimund\'s Karaoke Player.\n'
     'Choose a topic: Playing a song, The karaoke window, Playlists, Layouts, Keys.'),
    ('Playing a song',
     'Open a MIDI or karaoke file with File, Open, or drop it on the window.\n'
     'Play starts the song from the beginning; Pause holds it; Stop returns to the start.'),
    ('The karaoke window',
     'Karaoke files carry their words. The current line is shown in the lyric colour and\n'
     'each syllable changes colour as it is sung. Plain MIDI files show the song title.'),
    ('Playlists',
     'A playlist is a list of songs played one after another. Add songs with the Add\n'
     'button, drag them to change the order, and save the list to play it again later.\n'
     'The sample playlist holds the eight sample songs that come with the player.'),
    ('Layouts',
     'A layout file (.lyt) sets where the title, the words and the buttons go, and which\n'
     'fonts and colours they use. It is a plain text file with one section per part of the\n'
     'window; basic.lyt is the layout the player starts with.'),
    ('Keys',
     'Space: play or pause.  S: stop.  N: next song.  P: previous song.\n'
     'Up and Down: louder and softer.  F1: this help.'),
    ('Sound output',
     'The player sends the music to the MIDI device chosen under Options, Output.\n'
     'If you hear nothing, check that the device is not in use by another program and\n'
     'that its volume is not turned down. The player loads its output library from the\n'
     'program folder: tonal32.dll on current systems, tonal95.dll or tonal16.dll on\n'
     'older ones.'),
    ('File types',
     'During setup you chose which kinds of files the player opens: .mid, .midi, .kar\n'
     'and .rmi. Options, Setup changes these choices later; files of a kind that you\n'
     'untick go back to the program that opened them before.'),
    ('The browser plug-in',
     'With the plug-in, web pages can play MIDI and karaoke songs inside the browser\n'
     'window. The plug-in shares the output device with the player, so only one of them\n'
     'can play at a time.'),
    ('Removing the player',
     'Use Add/Remove Programs in the Control Panel, or the Uninstall entry in the\n'
     'program group. Your own songs and playlists are not deleted.'),
    ('About the sample songs',
     'The sample songs were composed for this player and may be played and shared for\n'
     'personal, non-commercial use.'),
]


def make_help():
    """A small help file of the player's own format: a header with a magic and
    the topic count, a table of (offset, length) per topic, then the topics
    as title NUL text NUL, and an Adler-32 of everything before it."""
    magic = b'LKPHELP\x1a'
    bodies = []
    for title, text in HELP_TOPICS:
        bodies.append(title.encode('ascii') + b'\0' + text.replace('\n', '\r\n').encode('ascii') + b'\0')
    header_size = len(magic) + 4 + 8 * len(bodies)
    table = bytearray()
    offset = header_size
    for body in bodies:
        table += struct.pack('<II', offset, len(body))
        offset += len(body)
    data = magic + struct.pack('<HH', 1, len(bodies)) + bytes(table) + b''.join(bodies)
    return data + struct.pack('<I', zlib.adler32(data))


# ---------------------------------------------------------------- main

def payload_data():
    files = {name: compose(song) for name, song in SONGS}
    files['backdrop.bmp'] = make_backdrop()
    files['basic.lyt'] = LAYOUT.replace('\n', '\r\n').encode('ascii')
    files['melko.hlp'] = make_help()
    return files


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    out_dir = argv[1]
    os.makedirs(out_dir, exist_ok=True)
    for name, data in sorted(payload_data().items()):
        write_if_changed(os.path.join(out_dir, name), data)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
