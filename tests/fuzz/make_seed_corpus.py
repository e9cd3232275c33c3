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


def site_parts(seed):
    """The flag byte and the three files of a fuzz_site input."""
    flag, rest = seed[0], seed[1:]
    parts = []
    for _ in range(2):
        length = struct.unpack("<I", rest[:4])[0]
        parts.append(rest[4:4 + length])
        rest = rest[4 + length:]
    return flag, parts[0], parts[1], rest


def site_input(flag, osoby, nazwy, index):
    return (bytes([flag]) + struct.pack("<I", len(osoby)) + osoby + struct.pack("<I", len(nazwy))
            + nazwy + index)


def with_header_length(table, length):
    return table[:8] + struct.pack("<H", length) + table[10:]


def padded(table):
    """The table as dBase III before III PLUS writes it: a zero byte after the terminator."""
    header = struct.unpack("<H", table[8:10])[0]
    return with_header_length(table[:header] + b"\0" + table[header:], header + 1)


def with_flags(table, flag, every=1):
    count, header, length = struct.unpack("<IHH", table[4:12])
    data = bytearray(table)
    for record in range(0, count, every):
        data[header + record * length] = flag
    return bytes(data)


def fields_of(table):
    """name -> (offset in the record, width) of a table's fields."""
    header = struct.unpack("<H", table[8:10])[0]
    fields, offset = {}, 1
    for at in range(32, header - 1, 32):
        if table[at] == 0x0D:
            break
        name = table[at:at + 11].split(b"\0")[0].decode().upper()
        fields[name] = (offset, table[at + 16])
        offset += table[at + 16]
    return fields


def name_index(nazwy):
    """nazwy.ntx for a nazwy.dbf of a few records: one leaf page of keys ID_OS + line number."""
    count, header, length = struct.unpack("<IHH", nazwy[4:12])
    fields = fields_of(nazwy)
    (id_at, _), (lp_at, lp_width) = fields["ID_OS"], fields["LP"]
    keys = {}
    for record in range(count):
        data = nazwy[header + record * length:header + (record + 1) * length]
        key = data[id_at:id_at + 4] + bytes([int(data[lp_at:lp_at + lp_width] or b"0")])
        keys.setdefault(key, record + 1)
    max_keys = 66
    items = [(0, record, key) for key, record in sorted(keys.items())][:max_keys]
    header_page = bytearray(1024)
    struct.pack_into("<HHIIHHHHH", header_page, 0, 6, 1, 1024, 0, 13, 5, 0, max_keys,
                     max_keys // 2)
    return bytes(header_page) + ntx_page(items, 0, 5, max_keys)


def site_seeds():
    """Inputs of fuzz_site that reach the checks of a table's layout and of an index against
    its table, derived from the seed of the sound sample site."""
    flag, osoby, nazwy, index = site_parts(
        open(os.path.join(HERE, "corpus", "site", "sample_1"), "rb").read())
    header = struct.unpack("<H", nazwy[8:10])[0]
    osoby_header = struct.unpack("<H", osoby[8:10])[0]
    count = struct.unpack("<I", nazwy[4:8])[0]
    flag &= ~1  # nazwy.ntx is read
    index = name_index(nazwy)
    root = struct.unpack("<I", index[4:8])[0]
    first_slot = root + struct.unpack("<H", index[root + 2:root + 4])[0]
    wild_record = bytearray(index)
    struct.pack_into("<I", wild_record, first_slot + 4, count + 1)
    key_size_4 = index[:14] + struct.pack("<H", 4) + index[16:]
    seeds = {
        "layout_padded_header": (flag, padded(osoby), padded(nazwy), index),
        "layout_header_one_long": (flag, osoby, with_header_length(nazwy, header + 1), index),
        "layout_header_one_short":
            (flag, with_header_length(osoby, osoby_header - 1), nazwy, index),
        "layout_padded_header_one_short":
            (flag, osoby, with_header_length(padded(nazwy), header), index),
        "layout_flags_wild": (flag, osoby, with_flags(nazwy, ord("X")), index),
        "layout_some_flags_wild": (flag, osoby, with_flags(nazwy, 0xFF, every=3), index),
        "index_record_beyond_table": (flag, osoby, nazwy, bytes(wild_record)),
        "index_key_size_4": (flag, osoby, nazwy, key_size_4),
        "index_key_size_4_rebuilt": (flag | 1, osoby, with_flags(nazwy, 0xFF, every=5),
                                     key_size_4),
    }
    for name, parts in seeds.items():
        write("site", name, site_input(*parts))


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

    site_seeds()


if __name__ == "__main__":
    main()
