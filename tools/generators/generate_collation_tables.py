#!/usr/bin/env python3
"""Generates the weight and upper-case tables of the db852po0 language driver.

  src/target/engine/collation_db852po0_data.cc   primary and secondary weight, UPPER()

The numbers below are the Borland db852po0 driver's tables as they survive in public sources
(the dBase language-driver headers kept with the Firebird database, `db852po0.h`): the
no-case sort-order table (primary and secondary weight per byte; no byte has a tertiary
weight or an expansion or compression flag) and the upper- and lower-case conversion
tables. The script checks them against Python's cp852 codec and writes our own tables.

Run from the repository root: python3 tools/generators/generate_collation_tables.py
The output is committed; rerun only when the data below change.
"""
import sys
import unicodedata

# The driver's data also list three expansions (0x91 -> "ae", 0x92 -> "AE", 0xE1 -> "ss"),
# left over from code page 437, where 0x91 and 0x92 are ae and AE ligatures (in 852 they are
# L with acute). No byte carries the expansion flag, so the driver never applies them; nor
# do we: 0xE1 (sharp s) simply sorts as an S.

# The driver counts primary weights from 12 and secondary weights from 2; a secondary of 0
# means "none" (every byte that is not a letter).
FIRST_PRIMARY = 12
FIRST_SECONDARY = 2
NO_SECONDARY = None

# Primary weight of each cp852 byte, counted from FIRST_PRIMARY, 16 bytes a row.
PRIMARY = [
    1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,                        # 0x00
    16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31,              # 0x10
    32, 103, 112, 109, 110, 96, 108, 114, 85, 86, 97, 94, 99, 95, 98, 104,       # 0x20
    33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 101, 100, 91, 93, 92, 102,          # 0x30
    107, 43, 45, 46, 50, 51, 53, 54, 55, 56, 57, 58, 59, 61, 62, 65,             # 0x40
    68, 69, 70, 72, 75, 76, 77, 78, 79, 80, 81, 87, 105, 88, 115, 117,           # 0x50
    113, 43, 45, 46, 50, 51, 53, 54, 55, 56, 57, 58, 59, 61, 62, 65,             # 0x60
    68, 69, 70, 72, 75, 76, 77, 78, 79, 80, 81, 89, 106, 90, 116, 118,           # 0x70
    48, 76, 51, 43, 43, 76, 47, 48, 60, 51, 67, 67, 56, 82, 43, 47,              # 0x80
    51, 59, 59, 67, 67, 59, 59, 73, 73, 67, 76, 75, 75, 60, 111, 49,             # 0x90
    43, 56, 66, 76, 44, 44, 84, 84, 52, 52, 119, 82, 49, 72, 120, 121,           # 0xA0
    122, 123, 124, 125, 126, 43, 43, 51, 72, 127, 128, 129, 130, 83, 83, 131,    # 0xB0
    132, 133, 134, 135, 136, 137, 43, 43, 138, 139, 140, 141, 142, 143, 144, 145,  # 0xC0
    50, 50, 50, 51, 50, 64, 56, 56, 51, 146, 147, 148, 149, 75, 76, 150,         # 0xD0
    66, 72, 67, 63, 63, 64, 74, 74, 70, 76, 70, 76, 80, 80, 75, 151,             # 0xE0
    152, 153, 154, 155, 156, 157, 158, 159, 160, 161, 162, 76, 71, 71, 163, 164,  # 0xF0
]

_ = NO_SECONDARY
# Secondary weight of each cp852 byte, counted from FIRST_SECONDARY; _ = none.
SECONDARY = [
    _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _,  # 0x00
    _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _,  # 0x10
    _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _,  # 0x20
    _, _, _, _, _, _, _, _, _, _, _, _, _, _, _, _,  # 0x30
    _, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,  # 0x40
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, _, _, _, _, _,  # 0x50
    _, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  # 0x60
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, _, _, _, _, _,  # 0x70
    1, 6, 2, 4, 8, 4, 0, 0, 0, 6, 5, 4, 4, 1, 9, 1,  # 0x80
    3, 3, 2, 0, 2, 5, 4, 1, 0, 3, 7, 3, 2, 1, _, 0,  # 0x90
    2, 2, 0, 2, 0, 1, 1, 0, 1, 0, _, 0, 1, 2, _, _,  # 0xA0
    _, _, _, _, _, 3, 7, 5, 3, _, _, _, _, 1, 0, _,  # 0xB0
    _, _, _, _, _, _, 6, 5, _, _, _, _, _, _, _, _,  # 0xC0
    4, 5, 3, 7, 2, 1, 3, 5, 4, _, _, _, _, 5, 5, _,  # 0xD0
    1, 4, 1, 1, 0, 0, 1, 0, 3, 3, 2, 9, 2, 3, 4, _,  # 0xE0
    _, _, _, _, _, _, _, _, _, _, _, 8, 1, 0, _, _,  # 0xF0
]

# The case tables map every byte to itself except a-z / A-Z and these.
UPPER_EXCEPTIONS = {
    0x81: 0x9A, 0x82: 0x90, 0x83: 0xB6, 0x84: 0x8E, 0x85: 0xDE, 0x86: 0x8F, 0x87: 0x80,
    0x88: 0x9D, 0x89: 0xD3, 0x8B: 0x8A, 0x8C: 0xD7, 0x92: 0x91, 0x93: 0xE2, 0x94: 0x99,
    0x96: 0x95, 0x98: 0x97, 0x9C: 0x9B, 0x9F: 0xAC, 0xA0: 0xB5, 0xA1: 0xD6, 0xA2: 0xE0,
    0xA3: 0xE9, 0xA5: 0xA4, 0xA7: 0xA6, 0xA9: 0xA8, 0xAB: 0x8D, 0xAD: 0xB8, 0xBE: 0xBD,
    0xC7: 0xC6, 0xD0: 0xD1, 0xD4: 0xD2, 0xD8: 0xB7, 0xE4: 0xE3, 0xE5: 0xD5, 0xE7: 0xE6,
    0xEA: 0xE8, 0xEC: 0xED, 0xEE: 0xDD, 0xFB: 0xEB, 0xFD: 0xFC,
}
LOWER_EXCEPTIONS = {
    0x80: 0x87, 0x8A: 0x8B, 0x8D: 0xAB, 0x8E: 0x84, 0x8F: 0x86, 0x90: 0x82, 0x91: 0x92,
    0x95: 0x96, 0x97: 0x98, 0x99: 0x94, 0x9A: 0x81, 0x9B: 0x9C, 0x9D: 0x88, 0xA4: 0xA5,
    0xA6: 0xA7, 0xA8: 0xA9, 0xAC: 0x9F, 0xB5: 0xA0, 0xB6: 0x83, 0xB7: 0xD8, 0xB8: 0xAD,
    0xBD: 0xBE, 0xC6: 0xC7, 0xD1: 0xD0, 0xD2: 0xD4, 0xD3: 0x89, 0xD5: 0xE5, 0xD6: 0xA1,
    0xD7: 0x8C, 0xDD: 0xEE, 0xDE: 0x85, 0xE0: 0xA2, 0xE2: 0x93, 0xE3: 0xE4, 0xE6: 0xE7,
    0xE8: 0xEA, 0xE9: 0xA3, 0xEB: 0xFB, 0xED: 0xEC, 0xFC: 0xFD,
}


def case_table(exceptions, first, last, shift):
    table = list(range(256))
    for byte in range(ord(first), ord(last) + 1):
        table[byte] = byte + shift
    for byte, mapped in exceptions.items():
        table[byte] = mapped
    return table


UPPER = case_table(UPPER_EXCEPTIONS, 'a', 'z', -32)
LOWER = case_table(LOWER_EXCEPTIONS, 'A', 'Z', 32)


def char(byte):
    return bytes([byte]).decode('cp852')


def base_letter(byte):
    """The Latin base letter of a cp852 letter, from its Unicode name (Ł -> L)."""
    words = unicodedata.name(char(byte), '').split()
    if len(words) >= 4 and words[:3] in (['LATIN', 'CAPITAL', 'LETTER'],
                                         ['LATIN', 'SMALL', 'LETTER']):
        return words[3] if len(words[3]) == 1 else None
    return None


def check(condition, message):
    if not condition:
        sys.exit('collation data: ' + message)


def check_data():
    check(len(PRIMARY) == 256 and len(SECONDARY) == 256, 'tables need 256 entries')
    check(sorted(set(PRIMARY)) == list(range(165)), 'primary weights must be 0..164')
    pairs = {(PRIMARY[b], SECONDARY[b]) for b in range(256)}
    check(len(pairs) == 256, 'two bytes share a primary and a secondary weight')
    for weight in set(PRIMARY):
        kinds = {SECONDARY[b] is None for b in range(256) if PRIMARY[b] == weight}
        check(len(kinds) == 1, 'primary %d mixes bytes with and without secondary' % weight)
    for byte in range(256):
        if UPPER[byte] != byte:
            check(LOWER[UPPER[byte]] == byte, 'case tables disagree at 0x%02X' % byte)
            check(PRIMARY[UPPER[byte]] == PRIMARY[byte], 'case pair 0x%02X differs' % byte)
        check_against_unicode(byte)


def check_against_unicode(byte):
    c = char(byte)
    upper = c.upper()
    if upper != c and len(upper) == 1 and upper.encode('cp852', 'ignore'):
        check(UPPER[byte] == upper.encode('cp852')[0], 'UPPER of 0x%02X' % byte)
    elif byte >= 0x80:
        check(UPPER[byte] == byte, 'UPPER changes 0x%02X, which has no upper case' % byte)
    base = base_letter(byte)
    if base is not None:
        low = PRIMARY[ord(base)]
        high = PRIMARY[ord(base) + 1] if base != 'Z' else PRIMARY[ord('(')]
        check(low <= PRIMARY[byte] < high, 'letter 0x%02X outside its base letter' % byte)


def letter_order():
    """The primary order of the letters, upper case, as one line of text."""
    groups = {}
    for byte in sorted(range(256), key=lambda b: SECONDARY[b] or 0):
        if SECONDARY[byte] is not None and char(byte).isupper():
            groups.setdefault(PRIMARY[byte], []).append(char(byte))
    return ' '.join('/'.join(groups[w]) for w in sorted(groups))


def rows(values):
    return '\n'.join('    ' + ', '.join('0x%02X' % v for v in values[start:start + 16]) + ','
                     for start in range(0, 256, 16))


def write_data():
    primary = [FIRST_PRIMARY + w for w in PRIMARY]
    secondary = [0 if w is None else FIRST_SECONDARY + w for w in SECONDARY]
    body = '''// Generated by tools/generators/generate_collation_tables.py; do not edit.
// Data: the Borland db852po0 language driver's sort-order and case tables, as preserved in
// public sources.
#include "target/engine/collation_db852po0_data.h"

namespace konwerter::engine {

const std::array<std::uint8_t, 256> kDb852po0Primary = {
%s
};

const std::array<std::uint8_t, 256> kDb852po0Secondary = {
%s
};

const std::array<std::uint8_t, 256> kDb852po0Upper = {
%s
};

}  // namespace konwerter::engine
''' % (rows(primary), rows(secondary), rows(UPPER))
    with open('src/target/engine/collation_db852po0_data.cc', 'w') as out:
        out.write(body)


if __name__ == '__main__':
    check_data()
    write_data()
    print(letter_order())
