#!/usr/bin/env python3
"""Damage sweep: every source table and index of the generated sample site, damaged one
damage at a time, each copy converted with konwerter-cli and held against the conversion of
the sound site. A case passes when the program ended in time without crashing, left the
sources as they were and wrote nothing outside its output folder, and either converted the
same database byte for byte, or failed naming the damaged file, or warned of it (a warning
on the damaged file that the sound site does not give). Anything else is data lost or
altered without a word.

    tests/damage_sweep/damage_sweep.py BUILD_DIR [-k TEXT] [-j JOBS]
"""

import argparse
import concurrent.futures
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from tree_snapshot import snapshot  # noqa: E402

# Tables a site may lack: the run converts without them (an older site has none), so a
# missing one is no damage. Paths relative to the sample site, in lower case.
OPTIONAL_TABLES = {
    "szkice/asor_sz.dbf", "szkice/cechy_sz.dbf", "operaty/ewid/opnr.dbf",
    "system/windyk/ustawowe.dbf", "lz/lec/nrej_sp.dbf",
}

CASE_SECONDS = 60  # a sanitizer build on a busy machine; a hang still shows
RUN_ARGUMENTS = ["--yes", "--quiet", "--date", "2026-01-01", "--keep-unlinked", "osoby"]


# ---- the layouts ---------------------------------------------------------------------------

def read(path):
    with open(path, "rb") as f:
        return f.read()


def patch(path, offset, data):
    with open(path, "r+b") as f:
        f.seek(offset)
        f.write(data)


def dbf_header(path):
    """Record count, header length and record length of a table."""
    return struct.unpack("<IHH", read(path)[4:12])


def record_count(path):
    """Whole records the table holds."""
    count, header, length = dbf_header(path)
    return min(count, max(0, os.path.getsize(path) - header) // max(length, 1))


def ntx_root(path):
    return struct.unpack("<I", read(path)[4:8])[0]


# ---- the damages ---------------------------------------------------------------------------
# Each takes the damaged file's path and damages it; NOT_APPLICABLE when the file holds
# nothing the damage aims at (a record of a table without records).

NOT_APPLICABLE = "not applicable"

def lower_case_names(path):
    data = bytearray(read(path))
    _, header, _ = dbf_header(path)
    for at in range(32, header - 1, 32):
        if data[at] == 0x0D:
            break
        data[at:at + 11] = bytes(data[at:at + 11]).lower()
    open(path, "wb").write(data)


def header_length_by(step):
    def damage(path):
        _, header, _ = dbf_header(path)
        patch(path, 8, struct.pack("<H", header + step))
    return damage


def record_length_plus_one(path):
    _, _, length = dbf_header(path)
    patch(path, 10, struct.pack("<H", length + 1))


def middle_record(path):
    """The offset of the table's middle record; None for a table without records."""
    count = record_count(path)
    if count == 0:
        return None
    _, header, length = dbf_header(path)
    return header + (count // 2) * length


def record_of_ff(path):
    at = middle_record(path)
    if at is None:
        return NOT_APPLICABLE
    patch(path, at, b"\xff" * dbf_header(path)[2])


def deletion_flag(flag):
    def damage(path):
        at = middle_record(path)
        if at is None:
            return NOT_APPLICABLE
        if flag == b"*" and read(path)[at:at + 1] == b"*":
            patch(path, at, b" ")  # a deleted record made live again
        else:
            patch(path, at, flag)
    return damage


def every_deletion_flag_wild(path):
    count = record_count(path)
    if count == 0:
        return NOT_APPLICABLE
    _, header, length = dbf_header(path)
    for record in range(count):
        patch(path, header + record * length, b"X")


def cut_inside(path):
    """Cut inside the last record, or inside the header of a table without records."""
    count = record_count(path)
    _, header, length = dbf_header(path)
    size = header + count * length - length // 2 if count else header - 1
    with open(path, "r+b") as f:
        f.truncate(size)


def emptied(path):
    open(path, "wb").close()


def removed(path):
    os.remove(path)


def key_size_plus_one(path):
    size = struct.unpack("<H", read(path)[14:16])[0]
    patch(path, 14, struct.pack("<H", size + 1))


def wild_record_number(path):
    """The first entry of the root page leads to a record far beyond any table."""
    root = ntx_root(path)
    page = read(path)[root:root + 1024]
    slot = struct.unpack("<H", page[2:4])[0]
    patch(path, root + slot + 4, struct.pack("<I", 0x7FFFFFFF))


def index_cut_in_half(path):
    with open(path, "r+b") as f:
        f.truncate(os.path.getsize(path) // 2)


TABLE_DAMAGES = {
    "lower-case field names": lower_case_names,
    "header length +1": header_length_by(1),
    "header length -1": header_length_by(-1),
    "record length +1": record_length_plus_one,
    "a record of FF bytes": record_of_ff,
    "a record marked deleted or live": deletion_flag(b"*"),
    "a wild deletion flag": deletion_flag(b"X"),
    "every deletion flag wild": every_deletion_flag_wild,
    "cut inside": cut_inside,
    "empty file": emptied,
    "missing": removed,
}

INDEX_DAMAGES = {
    "key size +1": key_size_plus_one,
    "a wild record number": wild_record_number,
    "cut in half": index_cut_in_half,
    "empty file": emptied,
    "missing": removed,
}


# ---- running -------------------------------------------------------------------------------

def convert(cli, site, work):
    """Runs a conversion; returns (exit status, output text, summary or None), or None when
    it did not end in time."""
    output = os.path.join(work, "out")
    summary = os.path.join(work, "summary.json")
    command = [cli, "convert", "--input", site, "--output", output, "--summary", summary]
    try:
        done = subprocess.run(command + RUN_ARGUMENTS, cwd=work, capture_output=True,
                              timeout=CASE_SECONDS, stdin=subprocess.DEVNULL)
    except subprocess.TimeoutExpired:
        return None
    text = done.stdout.decode("utf-8", "replace") + done.stderr.decode("utf-8", "replace")
    document = json.load(open(summary, encoding="utf-8")) if os.path.exists(summary) else None
    return done.returncode, text, document


def warnings_of(document, site):
    """The run's warnings on source files: (file relative to the site in lower case, text)."""
    found = set()
    for warning in (document or {}).get("warnings", []):
        path = warning["file"]
        if path.startswith(site + os.sep):
            found.add((os.path.relpath(path, site).lower(), warning["text"]))
    return found


class Baseline:
    def __init__(self, cli, sample, work):
        site = os.path.join(work, "site")
        shutil.copytree(sample, site)
        ended = convert(cli, site, work)
        if ended is None or ended[0] != 0:
            raise SystemExit("the sound sample site does not convert:\n" +
                             (ended[1] if ended else "no end in time"))
        self.database = snapshot(os.path.join(work, "out", "BAZA"))
        self.warnings = warnings_of(ended[2], site)


def run_case(cli, sample, baseline, relative, damage, work):
    """Returns None when the damage does not apply, else (how the case ended, the list of
    faults found)."""
    site = os.path.join(work, "site")
    shutil.copytree(sample, site)
    if damage(os.path.join(site, relative)) is NOT_APPLICABLE:
        return None
    missing = not os.path.exists(os.path.join(site, relative))
    before = snapshot(site)
    ended = convert(cli, site, work)
    if ended is None:
        return "hung", [f"did not end within {CASE_SECONDS} s"]
    code, text, document = ended
    faults = []
    if code not in (0, 1, 3):
        faults.append(f"exit {code}: crashed")
    if "runtime error" in text or "Sanitizer" in text:
        faults.append("sanitizer report")
    if snapshot(site) != before:
        faults.append("the source tree changed")
    for path in os.listdir(work):
        if path not in ("site", "out", "summary.json"):
            faults.append(f"written outside the output folder: {path}")
    name = os.path.basename(relative).lower()
    database = os.path.join(work, "out", "BAZA")
    if code == 0 and os.path.isdir(database) and snapshot(database) == baseline.database:
        ending = "same database"
    elif code == 0 and missing and relative.lower() in OPTIONAL_TABLES:
        ending = "converted without it"
    elif code != 0:
        ending = "failed"
        message = ((document or {}).get("message", "") + "\n" + text).lower()
        if name not in message:
            faults.append("failed without naming " + name)
    else:
        ending = "warned"
        new = warnings_of(document, site) - baseline.warnings
        if not any(file == relative.lower() for file, _ in new):
            faults.append("converted another database without a warning on " + relative)
    if faults:
        faults.append("output:\n" + text[-1500:])
    return ending, faults


def sweep_files(sample):
    """Every table and index of the site, relative to it."""
    files = []
    for root, _, names in os.walk(sample):
        for name in sorted(names):
            if name.lower().endswith((".dbf", ".ntx")):
                files.append(os.path.relpath(os.path.join(root, name), sample))
    return sorted(files)


def cases_of(files):
    for relative in files:
        damages = INDEX_DAMAGES if relative.lower().endswith(".ntx") else TABLE_DAMAGES
        for damage_name, damage in damages.items():
            yield relative, damage_name, damage


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", help="build folder holding src/app/cli/konwerter-cli")
    parser.add_argument("-k", default="", help="run only cases whose name holds this text")
    parser.add_argument("-j", type=int, default=os.cpu_count() or 1, help="cases at once")
    parser.add_argument("-v", action="store_true", help="print how every case ended")
    arguments = parser.parse_args()
    cli = os.path.abspath(os.path.join(arguments.build, "src", "app", "cli", "konwerter-cli"))
    started = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="konwerter-sweep-") as top:
        sample = os.path.join(top, "sample")
        subprocess.run([cli, "generate-sample", "--output", sample, "--scale", "1", "--seed", "1"],
                       check=True, capture_output=True)
        os.makedirs(os.path.join(top, "baseline"))
        baseline = Baseline(cli, sample, os.path.join(top, "baseline"))
        cases = [case for case in cases_of(sweep_files(sample))
                 if arguments.k in f"{case[0]}: {case[1]}"]

        def one(numbered):
            number, (relative, damage_name, damage) = numbered
            work = os.path.join(top, f"case{number}")
            os.makedirs(work)
            try:
                return number, relative, damage_name, run_case(
                    cli, sample, baseline, relative, damage, work)
            finally:
                shutil.rmtree(work, ignore_errors=True)

        ran = failed = 0
        endings = {}
        with concurrent.futures.ThreadPoolExecutor(max_workers=arguments.j) as pool:
            for number, relative, damage_name, result in pool.map(one, enumerate(cases, 1)):
                if result is None:
                    continue
                ending, faults = result
                ran += 1
                endings[ending] = endings.get(ending, 0) + 1
                if arguments.v:
                    print(f"{ending:20} {relative}: {damage_name}")
                if faults:
                    failed += 1
                    print(f"FAILED {relative}: {damage_name}")
                    for fault in faults:
                        print("         " + fault.replace("\n", "\n         "))
    seconds = time.monotonic() - started
    tally = ", ".join(f"{ending}: {count}" for ending, count in sorted(endings.items()))
    print(f"{ran - failed} of {ran} damaged-site cases ended as expected ({tally}; "
          f"{seconds:.0f} s)")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
