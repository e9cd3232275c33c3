#!/usr/bin/python3
"""Writes the small seed corpora of the fuzz targets into tests/fuzz/corpus/<name>/.

The seeds are sound files of each kind as the DOS edition writes them (a Clipper table, a
two-level Clipper index, a memory file of every type, polskie.lit with each marker) plus a
few damaged ones, so that the fuzzer starts from the layouts the readers expect.
Run it again after changing it: python3 tests/fuzz/make_seed_corpus.py
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(kind, name, data):
    folder = os.path.join(HERE, "corpus", kind)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def dbf(fields, records, deleted=()):
    header_length = 32 + 32 * len(fields) + 1
    record_length = 1 + sum(width for _, _, width, _ in fields)
    data = bytearray(struct.pack("<B3BIHH20x", 3, 99, 11, 30, len(records), header_length,
                                 record_length))
    for name, kind, width, decimals in fields:
        data += name.encode().ljust(11, b"\0") + kind.encode() + bytes(4)
        data += bytes([width, decimals]) + bytes(14)
    data += b"\r"
    for number, values in enumerate(records):
        data += b"*" if number in deleted else b" "
        for (_, kind, width, _), value in zip(fields, values):
            data += value.rjust(width) if kind == "N" else value.ljust(width)
    return bytes(data + b"\x1a")


def ntx_page(items, last_child, key_size, max_keys):
    """items: (child, record, key) per key; last_child: the child of slot N + 1."""
    item_size = 8 + key_size
    slots_start = 2 + 2 * (max_keys + 1)
    page = bytearray(1024)
    struct.pack_into("<H", page, 0, len(items))
    for slot in range(max_keys + 1):
        struct.pack_into("<H", page, 2 + 2 * slot, slots_start + slot * item_size)
    for slot, (child, record, key) in enumerate(items + [(last_child, 0, b"")]):
        at = slots_start + slot * item_size
        struct.pack_into("<II", page, at, child, record)
        if key:
            page[at + 8:at + 8 + key_size] = key.ljust(key_size)
    return bytes(page)


def ntx(key_size):
    max_keys = 4
    keys = [b"%04d" % n for n in range(0, 18, 2)]
    leaves = [keys[0:2], keys[3:5], keys[6:9]]
    pages = [ntx_page([(0, int(k) // 2 + 1, k) for k in leaf], 0, key_size, max_keys)
             for leaf in leaves]
    offsets = [1024 * (1 + i) for i in range(3)]
    root = ntx_page([(offsets[0], 3, keys[2]), (offsets[1], 6, keys[5])], offsets[2],
                    key_size, max_keys)
    root_offset = 1024 * 4
    header = bytearray(1024)
    struct.pack_into("<HHIIHHHHH", header, 0, 6, 1, root_offset, 0, key_size + 8, key_size,
                     0, max_keys, max_keys // 2)
    header[22:27] = b"KLUCZ"
    return bytes(header) + b"".join(pages) + root


def mem_entry(name, kind, length, value, decimals=0):
    head = name.encode().ljust(11, b"\0") + bytes([kind]) + bytes(4)
    head += struct.pack("<BB", length & 0xFF, (length >> 8) | decimals) + bytes(14)
    return head + value


def main():
    fields = [("NAZWA", "C", 12, 0), ("ILE", "N", 5, 0), ("KWOTA", "N", 8, 2),
              ("DATA", "D", 8, 0), ("AKT", "L", 1, 0), ("KOD", "C", 4, 0),
              ("REF", "C", 2, 0), ("UWAGI", "M", 10, 0), ("ZNAK", "C", 1, 0)]
    rows = [[b"\x9d\xa2d\xab", b"12", b"12.50", b"19991130", b"T", b"\x01\x02\x00\x00",
             b"\x05\x00", b"", b"x"],
            [b"Kowalski", b"", b"-3", b"", b"?", b"\xff\xff\xff\xff", b"\xff\xff", b"", b""],
            [b"Nowak", b"1x", b"1e3", b"20000229", b"y", b"    ", b"  ", b"", b"\x8d"]]
    table = dbf(fields, rows, deleted=(2,))
    write("dbf", "osoby.dbf", table)
    write("dbf", "empty.dbf", dbf(fields[:2], []))
    write("dbf", "short_records.dbf", table[:-30])
    write("dbf", "count_beyond_file.dbf", table[:4] + struct.pack("<I", 1000) + table[8:])
    write("dbf", "zero_record_length.dbf", table[:10] + b"\0\0" + table[12:])

    write("ntx", "two_levels.ntx", ntx(4))
    write("ntx", "key_size_5.ntx", ntx(5))
    cyclic = bytearray(ntx(4))
    first_leaf_slot = 1024 + 2 + 2 * 5
    struct.pack_into("<I", cyclic, first_leaf_slot, 1024 * 4)
    write("ntx", "cyclic.ntx", bytes(cyclic))
    write("ntx", "root_beyond_file.ntx", ntx(4)[:4] + struct.pack("<I", 1 << 20) + ntx(4)[8:])

    day = struct.pack("<d", 2451545.0)
    entries = (mem_entry("BDGOSOBY", 0xC3, 18, b"C:\\TEROKAN\\OSOBY\\\0")
               + mem_entry("ILE", 0xCE, 10, struct.pack("<d", 2.5), decimals=2)
               + mem_entry("DZIEN", 0xC4, 1, day)
               + mem_entry("TAK", 0xCC, 1, b"\x01")
               + mem_entry("MIASTO", 0xC3, 5, b"\x9d\xa2d\xab\0")
               + mem_entry("PUSTY", 0xC3, 1, b"\0"))
    write("mem", "bdglobal.mem", entries + b"\x1a")
    write("mem", "truncated.mem", entries[:-3])
    write("mem", "length_beyond_file.mem", mem_entry("X", 0xC3, 0xFFF0, b"abc"))

    for name, marker in (("cp852", b"c"), ("mazovia", b"n"), ("7c", b"|"), ("8d", b"\x8d")):
        write("polskie_lit", name + ".lit", b" " * 141 + marker + b" " * 114)
    write("polskie_lit", "short.lit", b" " * 141)


if __name__ == "__main__":
    main()
