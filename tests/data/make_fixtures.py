#!/usr/bin/env python3
"""Writes the fixture documents (.CDL) and the selection file (.CDS) of this
folder byte by byte from the file layout, without the program's own writer.

    python3 tests/data/make_fixtures.py [OUTPUT_FOLDER]

The folder defaults to the one this script lives in. Short strings carry zero
bytes after their text; every other "any value" byte is written as zero too,
so a load-and-save of each document gives the same bytes back.
"""

import os
import struct
import sys

MARKER = 0xBABE
DOCUMENT_VERSION = 0x1110
OTHER_VERSION = 0x1111  # what selection files carry; a document with it opens with a warning
SELECTION_END = 0xCEFA

TAG_TEXT, TAG_RTEXT, TAG_SERNO, TAG_LINE, TAG_RECT = 10, 11, 12, 13, 14
TAG_SELECTION, TAG_CIRCLE, TAG_ELLIPSE = 16, 17, 18
TAG_DIR = 19

WHITE = 0xFFFFFF
BLACK = 0


# ---- primitives --------------------------------------------------------------

def u8(v):
    return struct.pack('<B', v)


def u16(v):
    return struct.pack('<H', v)


def i32(v):
    return struct.pack('<i', v)


def colour(v):
    return struct.pack('<I', v)


def rgb(r, g, b):
    """Red in the low byte."""
    return r | (g << 8) | (b << 16)


def flag(v):
    return u8(1 if v else 0)


def ansi(s):
    """Windows-1252; bytes pass as they are (for the five codes it leaves
    unassigned)."""
    return s if isinstance(s, bytes) else s.encode('cp1252')


def short_string(s):
    """Length byte, then 40 bytes: the text and zero filler."""
    b = ansi(s)
    assert len(b) <= 40, s
    return u8(len(b)) + b + bytes(40 - len(b))


def text_block(paragraphs):
    """Word length including the terminating zero, the paragraphs joined by
    CR LF, the zero."""
    b = b'\r\n'.join(ansi(p) for p in paragraphs) + b'\0'
    assert len(b) <= 0xFFFF
    return u16(len(b)) + b


def file_header(version=DOCUMENT_VERSION):
    return u16(MARKER) + u8(12) + b'QUARRENDOLIN' + u8(0) + u16(version)


def file_trailer():
    return u16(MARKER) + u16(0xFFFF) + i32(0)


def record(tag, body):
    return u16(MARKER) + u16(tag) + i32(0) + body


# ---- frame records -----------------------------------------------------------

def text(x, y, width, height, paragraphs, pen=BLACK, font='Arial', size=10, bold=0, italic=0,
         underline=0, alignment=0, barcode=0, angle=0):
    return record(TAG_TEXT,
                  i32(x) + i32(y) + i32(width) + i32(height) + colour(pen) + short_string(font)
                  + i32(size) + flag(bold) + flag(italic) + flag(underline) + i32(alignment)
                  + flag(barcode) + i32(angle) + text_block(paragraphs))


def round_text(x, y, cx, cy, paragraphs, pen=BLACK, font='Arial', size=10, bold=0, italic=0,
               underline=0, alignment=0, barcode=0, angle=0):
    """(x, y) the start point, (cx, cy) the centre; X values before Y values."""
    return record(TAG_RTEXT,
                  i32(x) + i32(cx) + i32(y) + i32(cy) + colour(pen) + short_string(font)
                  + i32(size) + flag(bold) + flag(italic) + flag(underline) + i32(alignment)
                  + flag(barcode) + i32(angle) + text_block(paragraphs))


def serial(x, y, width, height, values=(), use_list=0, counter=1, number_format='########',
           pen=BLACK, font='Arial', size=10, bold=0, italic=0, underline=0, alignment=0, angle=0):
    """No bar-code flag in this record."""
    return record(TAG_SERNO,
                  i32(x) + i32(y) + i32(width) + i32(height) + colour(pen) + short_string(font)
                  + i32(size) + flag(bold) + flag(italic) + flag(underline) + i32(alignment)
                  + i32(angle) + flag(use_list) + i32(counter) + short_string(number_format)
                  + text_block(values))


def line(x, y, x2, y2, pen=BLACK, pen_size=0):
    return record(TAG_LINE, i32(x) + i32(x2) + i32(y) + i32(y2) + colour(pen) + i32(pen_size))


def rectangle(x, y, width, height, pen=BLACK, fill=BLACK, no_pen=0, no_fill=1, pen_size=0, angle=0):
    return record(TAG_RECT,
                  i32(x) + i32(y) + i32(width) + i32(height) + colour(pen) + colour(fill)
                  + flag(no_pen) + flag(no_fill) + i32(pen_size) + i32(angle))


def circle(x, y, cx, cy, pen=BLACK, fill=BLACK, no_pen=0, no_fill=1, pen_size=0, width=None, height=None):
    """(x, y) the rim point, (cx, cy) the centre; width and height hold the
    vector from rim to centre unless given."""
    width = cx - x if width is None else width
    height = cy - y if height is None else height
    return record(TAG_CIRCLE,
                  i32(x) + i32(cx) + i32(y) + i32(cy) + i32(width) + i32(height) + colour(pen)
                  + colour(fill) + flag(no_pen) + flag(no_fill) + i32(pen_size))


def ellipse(x, y, width, height, pen=BLACK, fill=BLACK, no_pen=0, no_fill=1, pen_size=0, angle=0,
            x2=0, y2=0):
    return record(TAG_ELLIPSE,
                  i32(x) + i32(x2) + i32(y) + i32(y2) + i32(width) + i32(height) + colour(pen)
                  + colour(fill) + flag(no_pen) + flag(no_fill) + i32(pen_size) + i32(angle))


# ---- page sections -----------------------------------------------------------

DEFAULT_ORIGIN = {'front': (-599, -605), 'back': (-753, -590)}


def dir_entry(name, size=0, sub=None, time=0x5A8B6C21):
    """A file, or with sub (a list of entries) a directory."""
    n = ansi(name)
    out = i32(time) + i32(size) + i32(0x10 if sub is not None else 0) + u16(len(n) + 1) + n + b'\0'
    return out + (u8(1) + dir_list(sub) if sub is not None else u8(0))


def dir_list(entries):
    return i32(len(entries)) + b''.join(entries)


def listing(x, y, width, height, entries, directory, pen=BLACK, font='Arial', size=10, bold=0, italic=0,
            underline=0, barcode=0, angle=0, subdirs=1, files=1, date=0, sizes=0, columns=1, sort=0,
            ascending=1):
    d = ansi(directory)
    return record(TAG_DIR,
                  i32(x) + i32(y) + i32(width) + i32(height) + colour(pen) + short_string(font)
                  + i32(size) + flag(bold) + flag(italic) + flag(underline) + i32(0) + flag(barcode)
                  + i32(angle) + flag(subdirs) + flag(files) + flag(date) + flag(sizes) + i32(columns)
                  + dir_list(entries) + u8(sort) + u8(ascending) + u16(len(d) + 1) + d + b'\0')


def guide_lines(lines):
    """(position, horizontal) pairs: entry size 8, position, orientation,
    three zero filler bytes."""
    out = i32(len(lines))
    for position, horizontal in lines:
        out += i32(8) + i32(position) + flag(horizontal) + bytes(3)
    return out


def page(kind, frames=(), back_colour=WHITE, paper_colour=-1, lines=(), snap=(40, 40),
         guide_flag=1, snap_enabled=0, show_snap_points=1, origin=None):
    out = u16(MARKER) + u16(1) + i32(len(frames)) + colour(back_colour)
    if kind == 'cd':
        out += i32(paper_colour)
    out += guide_lines(lines)
    out += i32(snap[0]) + i32(snap[1]) + flag(guide_flag) + flag(snap_enabled) + flag(show_snap_points)
    if kind != 'cd':
        ox, oy = origin if origin is not None else DEFAULT_ORIGIN[kind]
        out += i32(ox) + i32(oy)
    for f in frames:
        out += f
    return out


def document(cd, front, back, version=DOCUMENT_VERSION):
    return file_header(version) + cd + front + back + file_trailer()


def selection_file(clip_id, frames):
    block = u16(MARKER) + u16(TAG_SELECTION) + i32(0) + i32(clip_id) + b''.join(frames) + u16(SELECTION_END)
    return file_header(OTHER_VERSION) + block + file_trailer()


# ---- the fixtures ------------------------------------------------------------

def empty():
    """Every page with the program's defaults: 127 bytes."""
    data = document(page('cd'), page('front'), page('back'))
    assert len(data) == 127
    return data


def page_settings():
    """No frames anywhere; every page setting away from its default, guide
    lines on every page, the front's display origin moved to its centre."""
    cd = page('cd', back_colour=rgb(255, 250, 240), paper_colour=2,
              lines=[(0, 1), (-185, 0), (185, 0), (-300, 1)],
              snap=(25, 50), guide_flag=0, snap_enabled=1, show_snap_points=0)
    front = page('front', back_colour=rgb(0x12, 0x34, 0x56),
                 lines=[(-599, 0), (605, 1)],
                 snap=(10, 10), guide_flag=1, snap_enabled=1, show_snap_points=1, origin=(0, 0))
    back = page('back', back_colour=BLACK,
                lines=[(-693, 0), (693, 0), (0, 1), (-590, 1), (-1, 0)],
                snap=(100, 1), guide_flag=0, snap_enabled=0, show_snap_points=0)
    return document(cd, front, back)


def texts():
    cd = page('cd', frames=[
        text(-400, -250, 800, 200, ['Sommer 2026', 'Live in Köln'], pen=rgb(0, 0, 128),
             size=14, bold=1, alignment=1),
        text(-350, 50, 700, 250, ['Erste Zeile mit etwas mehr Text', '', 'Dritte'],
             font='Liberation Serif', size=9, italic=1, underline=1, alignment=3, angle=30),
        round_text(0, 500, 0, 0, ['rundherum um das Loch'], size=12, alignment=1),
        round_text(0, -450, 0, 0, ['oben', 'weiter'], pen=rgb(200, 0, 0), bold=1, angle=180),
    ], lines=[(0, 1), (0, 0)])
    front = page('front', frames=[
        text(-500, -200, 1000, 250, ['TOUR 7'], font='C39HrP60DmTt', size=24, barcode=1),
        text(-560, 500, 600, 80, ['!CD-42!', 'ZWEI'], font='C39HrP60DmTt', size=20, barcode=1, angle=90),
        round_text(0, 500, 0, 300, ['ABC'], font='C39HrP60DmTt', size=16, barcode=1, alignment=2),
    ])
    back = page('back', frames=[
        text(-753, 500, 1000, 60, ['Seitenrücken'], size=8, alignment=2, angle=90),
        text(0, -400, 600, 300, ['rechts', 'bündig'], alignment=2, angle=-15),
    ])
    return document(cd, front, back)


def serials():
    cd = page('cd', frames=[
        serial(-200, 300, 400, 100, counter=17, number_format='CD-####', size=12, alignment=1),
        serial(-150, -400, 300, 80, values=['übrig aus der Liste']),
    ])
    front = page('front', frames=[
        serial(-400, -300, 500, 120, values=['Alpha', 'Beta', '', 'Gamma Delta'], use_list=1, counter=2,
               angle=45, bold=1),
        serial(100, 200, 300, 100, values=[], use_list=1, counter=0, italic=1),
    ])
    back = page('back', frames=[
        serial(-700, -500, 200, 60, counter=-5, number_format='~~~#', angle=270, underline=1),
        serial(-100, 100, 500, 100, counter=2147483647, number_format='##########', pen=rgb(0, 128, 0),
               alignment=2),
        serial(200, -200, 300, 100, values=['eins', 'zwei'], use_list=1, counter=-1, number_format=''),
    ])
    return document(cd, front, back)


def shapes():
    cd = page('cd', frames=[
        line(-565, 0, 565, 0, pen=rgb(255, 0, 0), pen_size=5),
        line(100, 100, 100, 100),
        rectangle(-300, -200, 600, 400, pen=rgb(0, 0, 255), fill=rgb(255, 255, 0), no_fill=0,
                  pen_size=10, angle=15),
        circle(250, 0, 0, 0, pen=rgb(0, 128, 0), pen_size=3),
        ellipse(-400, -100, 800, 200, pen=rgb(128, 0, 128), fill=rgb(200, 200, 255), no_fill=0),
    ])
    front = page('front', frames=[
        rectangle(-500, 400, 300, 200, fill=rgb(10, 20, 30), no_pen=1, no_fill=0, angle=90),
        rectangle(100, -100, 200, 200, pen=rgb(1, 2, 3), angle=-45),
        circle(-100, -300, -200, -400, fill=rgb(255, 128, 0), no_pen=1, no_fill=0),
        ellipse(-300, 0, 400, 150, pen=rgb(0, 0, 0), pen_size=0, angle=200),
    ])
    back = page('back', frames=[
        line(-753, -590, 753, 590, pen=rgb(64, 64, 64), pen_size=1),
        line(-693, 590, -693, -590, pen=rgb(0, 0, 255)),
        ellipse(-50, -50, 0, 100, no_pen=0, no_fill=1, pen_size=2),
    ])
    return document(cd, front, back)


def listings():
    """Sorted by name, by size descending and not at all; nested, flat and empty."""
    album = [dir_entry('Disc 1', sub=[dir_entry('Track 01.flac', 4200000), dir_entry('Track 02.flac', 1025)]),
             dir_entry('Größe.txt', 0), dir_entry('cover.jpg', 1024)]
    cd = page('cd', frames=[
        listing(-400, -300, 800, 600, album, 'Z:\\Album\\', sizes=1, columns=2, sort=1, bold=1),
    ])
    front = page('front', frames=[
        listing(-600, -500, 1200, 1000, [dir_entry('b', 3000), dir_entry('a', 1), dir_entry('empty', sub=[])],
                '/media/cd/', subdirs=0, files=0, date=1, sizes=1, columns=3, sort=2, ascending=0, angle=90),
    ])
    back = page('back', frames=[listing(0, 0, 400, 400, [], '', columns=10)])
    return document(cd, front, back)


FORTY = 'Schriftname mit genau vierzig Zeichen ab'
assert len(FORTY) == 40
HIGH = 'äöüß€ „Zitat“ – … ‰ ÄÖÜ'


def odd_records():
    """Empty texts and lists, 40-character short strings, Windows-1252 above
    0x7F, coordinates at the int32 ends, unusual angles and colours with the
    high byte set; the front page holds no frames and no guide lines."""
    cd = page('cd', frames=[
        text(-100, -100, 200, 100, []),
        text(-500, 200, 1000, 200, [HIGH, 'Größe ½ ± °\tTab', ''], font=FORTY, pen=0x02FF8040),
        text(-500, -500, 300, 100, [b'\x81\x8d\x8f\x90\x9d', b'\xa0\xff']),
        round_text(0, 300, 0, 0, []),
        round_text(-400, 0, 0, 0, ['Über € und „Zeichen“'], font='Schrift Größe', angle=180),
        serial(-300, -300, 400, 100, number_format='#' * 40, font=FORTY, counter=123456789),
        serial(0, 0, 300, 100, values=['äöü', 'ß€', '‰'], use_list=1, counter=1,
               number_format='Nr. €~~~~##', font='Größe'),
    ], paper_colour=5, lines=[(-2147483648, 1), (2147483647, 0)])
    front = page('front', back_colour=0x80000005)
    back = page('back', frames=[
        line(-2147483648, -2147483648, 2147483647, 2147483647),
        rectangle(-30000, -20000, 10, 11, angle=359),
        rectangle(-753, -590, 1506, 1180, angle=-30, pen=0xFF0000FF, pen_size=0),
        ellipse(-10, -20, 30, 40, angle=720, x2=50, y2=-50),
        circle(-5, -5, -5, -5, width=0, height=0),
        text(-2000, -3000, 100, 100, ['weit draußen'], angle=-360),
    ])
    return document(cd, front, back)


def other_version():
    """Laid out as today but carrying another version number."""
    cd = page('cd', frames=[
        text(-300, -100, 600, 150, ['Andere Version'], size=16, alignment=1),
        rectangle(-350, -150, 700, 250, pen=rgb(255, 0, 0), pen_size=4),
    ])
    back = page('back', frames=[line(-753, 0, 753, 0)], lines=[(0, 1)])
    return document(cd, page('front'), back, version=OTHER_VERSION)


# One frame of every kind, in this order, on the front page of all-kinds.CDL
# and in the selection file.
def every_kind():
    return [
        text(-500, -500, 800, 200, ['Titel', 'Untertitel'], size=18, bold=1, alignment=1),
        round_text(0, 400, 0, 0, ['ringsum'], size=11, alignment=1),
        serial(-500, 300, 400, 100, counter=42, number_format='CD-####'),
        serial(100, 300, 400, 100, values=['A-1', 'A-2', 'A-3'], use_list=1, counter=0),
        text(-500, -250, 1000, 200, ['Tour 7'], font='C39HrP60DmTt', size=24, barcode=1),
        line(-599, 0, 599, 0, pen=rgb(0, 0, 255), pen_size=2),
        rectangle(-200, -100, 400, 200, pen=rgb(255, 0, 0), fill=rgb(255, 255, 0), no_fill=0, angle=10),
        circle(150, 150, 100, 100, pen=rgb(0, 128, 0)),
        ellipse(-300, 100, 300, 150, fill=rgb(0, 255, 255), no_pen=1, no_fill=0, angle=-20),
    ]


def all_kinds():
    """A document as someone might make it: something on every page, guide
    lines, a zero-frame page, and every kind on the front."""
    cd = page('cd', frames=[
        round_text(0, 520, 0, 0, ['Best of'], size=20, alignment=1),
        circle(185, 0, 0, 0, pen=rgb(128, 128, 128), pen_size=2),
    ], paper_colour=0, lines=[(0, 0), (0, 1)], snap_enabled=1)
    front = page('front', frames=every_kind(), lines=[(-500, 0), (-500, 1), (500, 0)])
    back = page('back', back_colour=rgb(240, 240, 240), lines=[(-693, 0), (693, 0)])
    return document(cd, front, back)


SELECTION_CLIP_ID = 4711


def selection():
    return selection_file(SELECTION_CLIP_ID, every_kind())


FIXTURES = {
    'empty.CDL': empty,
    'page-settings.CDL': page_settings,
    'texts.CDL': texts,
    'serials.CDL': serials,
    'shapes.CDL': shapes,
    'odd-records.CDL': odd_records,
    'other-version.CDL': other_version,
    'all-kinds.CDL': all_kinds,
    'listing.CDL': listings,
    'selection.CDS': selection,
}


def main(argv):
    out = argv[1] if len(argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    for name, build in FIXTURES.items():
        with open(os.path.join(out, name), 'wb') as f:
            f.write(build())
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
