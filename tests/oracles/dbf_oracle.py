#!/usr/bin/python3
"""Reads a dBase table with dbfread and prints, as JSON, what dbfread sees in it.

Usage: dbf_oracle.py TABLE.dbf [ENCODING]

Output: the header facts, the field descriptors, and the records in the two lists dbfread
keeps them in ("records": live ones, "deleted": those marked deleted), each in file order.
Every record gives the raw bytes of its fields as hex and, when an encoding is named, the
values dbfread decodes, rendered as text: C as the decoded text, N as the number, D as
YYYY-MM-DD, L as true/false; null where dbfread gives None.

Run with the system's /usr/bin/python3 and its python3-dbfread package.
"""

import datetime
import json
import sys

import dbfread


def open_table(path, encoding, raw):
    return dbfread.DBF(path, encoding=encoding, raw=raw, load=False, recfactory=None,
                       ignore_missing_memofile=True)


def render(value):
    if value is None:
        return None
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, (datetime.date, datetime.datetime)):
        return value.isoformat()
    return str(value)


def header_of(table):
    header = table.header
    return {
        "version": header.dbversion,
        "year": header.year,
        "month": header.month,
        "day": header.day,
        "record_count": header.numrecords,
        "header_length": header.headerlen,
        "record_length": header.recordlen,
        "language_driver": header.language_driver,
    }


def fields_of(table):
    return [{"name": field.name, "type": field.type, "length": field.length,
             "decimal_count": field.decimal_count} for field in table.fields]


def records_of(raw_rows, decoded_rows):
    records = []
    for index, row in enumerate(raw_rows):
        record = {"raw": [value.hex() for _, value in row]}
        if decoded_rows is not None:
            record["values"] = [render(value) for _, value in decoded_rows[index]]
        records.append(record)
    return records


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit("usage: dbf_oracle.py TABLE.dbf [ENCODING]")
    path = sys.argv[1]
    encoding = sys.argv[2] if len(sys.argv) == 3 else None

    # Field names are decoded with the table's encoding; latin-1 never fails on raw reads.
    raw = open_table(path, encoding or "latin-1", raw=True)
    decoded = open_table(path, encoding, raw=False) if encoding else None

    result = {"header": header_of(raw), "fields": fields_of(raw)}
    for kind in ("records", "deleted"):
        raw_rows = list(getattr(raw, kind))
        decoded_rows = list(getattr(decoded, kind)) if decoded else None
        result[kind] = records_of(raw_rows, decoded_rows)
    json.dump(result, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
