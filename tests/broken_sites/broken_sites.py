#!/usr/bin/env python3
"""Broken DOS sites: each case damages a copy of the generated sample site (or chooses an
unlucky folder), converts it with konwerter-cli and checks the ending: exit status, outcome,
the message, the source tree byte for byte as before, nothing written outside the output
folder, and no case running over 10 seconds (a hang is a failure).

    tests/broken_sites/broken_sites.py BUILD_DIR [-k NAME]
"""

import argparse
import fcntl
import json
import os
import resource
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from tree_snapshot import snapshot  # noqa: E402

CASE_SECONDS = 10


# ---- damage helpers -----------------------------------------------------------------------

def find(folder, name):
    """The file of `folder` named `name` in any letter case."""
    for entry in os.listdir(folder):
        if entry.lower() == name.lower():
            return os.path.join(folder, entry)
    raise FileNotFoundError(os.path.join(folder, name))


def patch(path, offset, data):
    with open(path, "r+b") as f:
        f.seek(offset)
        f.write(data)


def fifo_instead(path):
    os.remove(path)
    os.mkfifo(path)


def dbf_header(path):
    with open(path, "rb") as f:
        head = f.read(12)
    count, header, record = struct.unpack("<IHH", head[4:12])
    return count, header, record


def read_mem(path):
    entries = []
    data = open(path, "rb").read()
    at = 0
    while at + 32 <= len(data):
        head = data[at:at + 32]
        kind = head[11]
        length = 8 if kind in (0xC4, 0xCE) else struct.unpack("<H", head[16:18])[0]
        entries.append((head[:11].split(b"\0")[0], kind, data[at + 32:at + 32 + length]))
        at += 32 + length
    return entries


def write_mem(path, entries):
    out = bytearray()
    for name, kind, value in entries:
        head = bytearray(32)
        head[:len(name)] = name
        head[11] = kind
        head[16:18] = struct.pack("<H", len(value))
        out += head + value
    out += b"\x1a"
    with open(path, "wb") as f:
        f.write(out)


def set_mem_text(path, name, text):
    entries = [e for e in read_mem(path) if e[0] != name]
    if text is not None:
        entries.append((name, 0xC3, text + b"\0"))
    write_mem(path, entries)


def ntx_root(path):
    with open(path, "rb") as f:
        return struct.unpack("<I", f.read(8)[4:8])[0]


def ntx_cycle(path):
    """Every child of the root page leads back to the root."""
    root = ntx_root(path)
    with open(path, "rb") as f:
        f.seek(root)
        page = f.read(1024)
    count = struct.unpack("<H", page[:2])[0]
    for slot in range(count + 1):
        at = struct.unpack("<H", page[2 + 2 * slot:4 + 2 * slot])[0]
        patch(path, root + at, struct.pack("<I", root))


def rotate_records(path):
    """Moves every record one place on: an index built before points at the wrong lines."""
    count, header, record = dbf_header(path)
    data = open(path, "rb").read()
    records = [data[header + i * record:header + (i + 1) * record] for i in range(count)]
    records = records[1:] + records[:1]
    patch(path, header, b"".join(records))


def cut_last_record(path):
    count, header, record = dbf_header(path)
    with open(path, "r+b") as f:
        f.truncate(header + count * record - record // 2)


# ---- the cases ------------------------------------------------------------------------------

class Case:
    def __init__(self, name, damage=None, exit=0, outcome=None, message=None, args=(),
                 output=None, hold=None, inspect=None, absent=None, read_only=False,
                 file_limit=None):
        self.name = name
        self.damage = damage      # f(site) before the run
        self.exit = exit
        self.outcome = outcome    # expected "outcome" of the summary, when one is written
        self.message = message    # a text expected in the output
        self.args = args if callable(args) else list(args)  # f(site, out) -> arguments
        self.output = output      # f(site, work) -> output folder
        self.hold = hold          # f(site) -> context manager kept during the run
        self.inspect = inspect    # f(site) -> file for `inspect` instead of a conversion
        self.absent = absent      # a text that must not appear in the output
        self.read_only = read_only  # the DOS data cannot be written (a CD, a snapshot)
        self.file_limit = file_limit  # bytes a file may grow to: the output medium fills up


def set_writable(folder, writable):
    """Gives or takes the write permission of every file and folder of the tree."""
    for root, dirs, names in os.walk(folder):
        for name in [root] + [os.path.join(root, n) for n in dirs + names]:
            if os.path.islink(name) or not (os.path.isfile(name) or os.path.isdir(name)):
                continue
            mode = os.stat(name).st_mode
            os.chmod(name, mode | 0o200 if writable else mode & ~0o222)


def unprivileged(command, work):
    """The command as the user nobody when run by root, who could write a read-only tree.
    The program is copied into the work folder: the build's folder may be closed to nobody."""
    if os.geteuid() != 0:
        return command
    if subprocess.run(["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "true"],
                      capture_output=True).returncode != 0:
        return None  # this machine cannot drop root's rights
    for folder in (os.path.dirname(work), work, os.path.join(work, "cwd")):
        os.chmod(folder, 0o777)
    program = os.path.join(work, os.path.basename(command[0]))
    shutil.copy(command[0], program)
    os.chmod(program, 0o755)
    return ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", program] + command[1:]


def file_size_limit(limit):
    """Runs the program with files limited to `limit` bytes, as on a medium that fills up: a
    write past it fails (EFBIG) instead of ending the program by signal."""
    def limited():
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (limit, limit))
    return limited


def persons(site):
    return os.path.join(site, "GOSOBY")


def works(site):
    return os.path.join(site, "groboty")


def templates(site):
    return os.path.join(site, "WZORCE")


def system(site):
    return os.path.join(site, "SYSTEM")


def def_file(site):
    for entry in sorted(os.listdir(templates(site))):
        if entry.lower().endswith(".def"):
            return os.path.join(templates(site), entry)
    raise FileNotFoundError("no .def")


def corner_table(site):
    for entry in sorted(os.listdir(works(site))):
        if entry.lower().startswith("lok_p") and entry.lower().endswith(".dbf"):
            return os.path.join(works(site), entry)
    raise FileNotFoundError("no lok_p*.dbf")


def set_def_line(site, line_number, text):
    path = def_file(site)
    lines = open(path, "rb").read().split(b"\r\n")
    lines[line_number] = text
    open(path, "wb").write(b"\r\n".join(lines))


class Flock:
    def __init__(self, path, posix):
        self.path, self.posix = path, posix

    def __enter__(self):
        self.file = open(self.path, "r+b")
        if self.posix:
            fcntl.lockf(self.file, fcntl.LOCK_EX | fcntl.LOCK_NB)
        else:
            fcntl.flock(self.file, fcntl.LOCK_EX | fcntl.LOCK_NB)
        return self

    def __exit__(self, *exc):
        self.file.close()


# A lock held in another process: a POSIX record lock does not conflict within one process.
class LockInChild:
    def __init__(self, path, posix):
        self.path, self.posix = path, posix

    def __enter__(self):
        call = "lockf" if self.posix else "flock"
        code = ("import fcntl,sys,time\nf=open(sys.argv[1],'r+b')\n"
                f"fcntl.{call}(f, fcntl.LOCK_EX)\nprint('held', flush=True)\ntime.sleep(60)\n")
        self.child = subprocess.Popen([sys.executable, "-c", code, self.path],
                                      stdout=subprocess.PIPE, text=True)
        self.child.stdout.readline()
        return self

    def __exit__(self, *exc):
        self.child.kill()
        self.child.wait()


# The generated site refers past the end of its dictionaries in a few person addresses, as
# old sites do: its conversion ends with those warnings and no others.
CONVERTED, WARNED, FAILED = "converted_with_warnings", "converted_with_warnings", "failed"
SAMPLE_WARNING = "spoza tabeli"
OPEN_FAILURE = "Błąd podczas otwarcia pliku"
REFUSED_OUTPUT = "Wskaż inną kartotekę wynikową"

CASES = [
    Case("sound site", exit=0, outcome=CONVERTED, message=SAMPLE_WARNING, absent="nazwy.ntx"),
    Case("sound site, look-ups rebuilt", args=["--rebuild-indexes"], exit=0, outcome=CONVERTED,
         absent="nazwy.ntx"),
    Case("osoby.dbf counts FFFFFFFF records",
         lambda s: patch(find(persons(s), "osoby.dbf"), 4, b"\xff\xff\xff\xff"),
         exit=0, outcome=WARNED, message="4294967295"),
    Case("ulice.dbf counts FFFFFFFF records",
         lambda s: patch(find(persons(s), "ulice.dbf"), 4, b"\xff\xff\xff\xff"),
         exit=0, outcome=WARNED, message="4294967295"),
    Case("corner table counts FFFFFFFF records",
         lambda s: patch(corner_table(s), 4, b"\xff\xff\xff\xff"),
         exit=0, outcome=WARNED, message="4294967295"),
    Case("osoby.dbf ends inside its last record",
         lambda s: cut_last_record(find(persons(s), "osoby.dbf")),
         exit=0, outcome=WARNED, message="pełnych"),
    Case("osoby.dbf counts FFFFFFFF records, --strict",
         lambda s: patch(find(persons(s), "osoby.dbf"), 4, b"\xff\xff\xff\xff"),
         args=["--strict"], exit=1, outcome=FAILED, message="ścisłą kontrolę"),
    Case("a FIFO for osoby.dbf", lambda s: fifo_instead(find(persons(s), "osoby.dbf")),
         exit=1, outcome=FAILED, message=OPEN_FAILURE),
    Case("a FIFO for nazwy.ntx", lambda s: fifo_instead(find(persons(s), "nazwy.ntx")),
         exit=1, outcome=FAILED, message=OPEN_FAILURE),
    Case("a FIFO for dom.mem", lambda s: fifo_instead(find(system(s), "dom.mem")),
         exit=0, outcome=WARNED, message="Brak pliku"),
    Case("a FIFO for bdglobal.mem", lambda s: fifo_instead(find(system(s), "bdglobal.mem")),
         exit=3, message="Brak pliku"),
    Case("a FIFO for users.dbf", lambda s: fifo_instead(find(system(s), "users.dbf")),
         exit=3, message="Błędna ścieżka"),
    Case("a folder for osoby.dbf",
         lambda s: (os.remove(find(persons(s), "osoby.dbf")),
                    os.mkdir(os.path.join(persons(s), "OSOBY.DBF"))),
         exit=1, outcome=FAILED, message=OPEN_FAILURE),
    Case("osoby.dbf missing", lambda s: os.remove(find(persons(s), "osoby.dbf")),
         exit=1, outcome=FAILED, message=OPEN_FAILURE),
    Case("gmina.dbf with record length 0",
         lambda s: patch(find(persons(s), "gmina.dbf"), 10, b"\0\0"),
         exit=1, outcome=FAILED, message="długość rekordu wynosi 0"),
    Case("imiona.dbf header length beyond the file",
         lambda s: patch(find(persons(s), "imiona.dbf"), 8, b"\xf0\xff"),
         exit=1, outcome=FAILED, message="przekracza rozmiar pliku"),
    Case("miejsc.dbf without its descriptor terminator",
         lambda s: patch(find(persons(s), "miejsc.dbf"), dbf_header(find(persons(s), "miejsc.dbf"))[1] - 1, b" "),
         exit=1, outcome=FAILED, message="znacznika końca"),
    Case("ulice.dbf record length beyond the field widths",
         lambda s: patch(find(persons(s), "ulice.dbf"), 10, b"\xff\x00"),
         exit=1, outcome=FAILED, message="sumą szerokości"),
    Case("a numeric field holding text",
         lambda s: patch(find(persons(s), "osoby.dbf"),
                         dbf_header(find(persons(s), "osoby.dbf"))[1] + 5, b"X"),
         exit=0, outcome=WARNED, message="liczbowym"),
    Case("nazwy.ntx root page beyond the file: look-ups built from nazwy.dbf, warned",
         lambda s: patch(find(persons(s), "nazwy.ntx"), 4, b"\0\0\x10\0"),
         exit=0, outcome=WARNED, message="wyszukiwanie zbudowano z tabeli"),
    Case("nazwy.ntx root page beyond the file, look-ups rebuilt",
         lambda s: patch(find(persons(s), "nazwy.ntx"), 4, b"\0\0\x10\0"),
         args=["--rebuild-indexes"], exit=0, outcome=CONVERTED),
    Case("nazwy.ntx pages in a cycle", lambda s: ntx_cycle(find(persons(s), "nazwy.ntx")),
         exit=0, outcome=WARNED, message="zapętlone"),
    Case("nazwy.ntx pages in a cycle, look-ups rebuilt",
         lambda s: ntx_cycle(find(persons(s), "nazwy.ntx")),
         args=["--rebuild-indexes"], exit=0, outcome=CONVERTED),
    Case("nazwy.ntx key size 0", lambda s: patch(find(persons(s), "nazwy.ntx"), 14, b"\0\0"),
         exit=0, outcome=WARNED, message="długość klucza"),
    Case("nazwy.ntx header cut short",
         lambda s: open(find(persons(s), "nazwy.ntx"), "r+b").truncate(500),
         exit=0, outcome=WARNED, message="krótszy niż 1024"),
    Case("nazwy.ntx stale", lambda s: rotate_records(find(persons(s), "nazwy.dbf")),
         exit=0, outcome=WARNED, message="nazwy.ntx"),
    Case("nazwy.ntx stale, look-ups rebuilt",
         lambda s: rotate_records(find(persons(s), "nazwy.dbf")),
         args=["--rebuild-indexes"], exit=0, outcome=CONVERTED, absent="nazwy.ntx"),
    Case(".def section width 1e20", lambda s: set_def_line(s, 1, b"1" + b"0" * 20),
         exit=0, outcome=WARNED, message="brak kompletnego opisu"),
    Case(".def section width of 400 digits", lambda s: set_def_line(s, 1, b"9" * 400),
         exit=0, outcome=WARNED, message="brak kompletnego opisu"),
    Case("dom.mem empty", lambda s: open(find(system(s), "dom.mem"), "wb").close(),
         exit=0, outcome=WARNED, message="nie zawiera żadnej zmiennej"),
    Case("dom.mem cut inside a value",
         lambda s: open(find(system(s), "dom.mem"), "r+b").truncate(
             os.path.getsize(find(system(s), "dom.mem")) - 4),
         exit=0, outcome=WARNED, message="urwany"),
    Case("dom.mem value holding CR LF",
         lambda s: set_mem_text(find(system(s), "dom.mem"), b"DOM_GMNAZ",
                                b"Zgierz\r\n[Wstawka]\r\nklucz=1"),
         exit=0, outcome=WARNED, message="końca wiersza"),
    Case("bdglobal.mem without BDGOSOBY",
         lambda s: set_mem_text(find(system(s), "bdglobal.mem"), b"BDGOSOBY", None),
         exit=1, outcome=FAILED, message="nie zawiera zmiennej BDGOSOBY"),
    Case("bdglobal.mem cut inside a value",
         lambda s: open(find(system(s), "bdglobal.mem"), "r+b").truncate(
             os.path.getsize(find(system(s), "bdglobal.mem")) - 3),
         exit=None, message="urwany"),
    Case("a relative folder value with a decoy in the working folder",
         lambda s: set_mem_text(find(system(s), "bdglobal.mem"), b"BDGOSOBY", b"DECOY\\"),
         exit=1, outcome=FAILED, message=OPEN_FAILURE),
    Case("output folder is the persons folder in other letters",
         output=lambda s, w: os.path.join(s, "gosoby"), exit=3, message=REFUSED_OUTPUT),
    Case("output folder is the installation", output=lambda s, w: s, exit=3,
         message=REFUSED_OUTPUT),
    Case("output folder inside a source folder",
         output=lambda s, w: os.path.join(s, "GOSOBY", "NOWA"), exit=3, message=REFUSED_OUTPUT),
    Case("output folder holds a link into the sources",
         output=lambda s, w: (os.makedirs(os.path.join(w, "out", "BAZA")),
                              os.symlink(persons(s), os.path.join(w, "out", "BAZA", "OSOBY")),
                              os.path.join(w, "out"))[-1],
         exit=3, message="dowiązanie"),
    Case("output folder is a file",
         output=lambda s, w: (open(os.path.join(w, "plik"), "w").close(),
                              os.path.join(w, "plik"))[-1],
         exit=1, outcome=FAILED),
    Case("the output medium fills up", file_limit=20000, exit=1, outcome=FAILED,
         message="Błąd zapisu pliku"),
    Case("users.dbf held with flock",
         hold=lambda s: LockInChild(find(system(s), "users.dbf"), posix=False),
         exit=3, message="zakończyć pracę"),
    Case("users.dbf held with a POSIX record lock",
         hold=lambda s: LockInChild(find(system(s), "users.dbf"), posix=True),
         exit=3, message="zakończyć pracę"),
    Case("a read-only copy of the DOS data", read_only=True, exit=3,
         message="tylko do odczytu"),
    Case("no users.dbf", lambda s: os.remove(find(system(s), "users.dbf")),
         exit=3, message="Błędna ścieżka"),
    Case("--renumber-file that does not exist",
         args=lambda s, o: ["--renumber-file", os.path.join(o + "-nie", "brak.gm")], exit=2),
    Case("--renumber-file that is a folder", args=lambda s, o: ["--renumber-file", s], exit=2),
    Case("--renumber-file with a faulty line",
         args=lambda s, o: ["--renumber-file",
                            (open(o + ".gm", "w").write("12|abc\n"), o + ".gm")[-1]],
         exit=3, message="Błąd w pliku z przenumerowaniem gmin"),
    Case("inspect osoby.dbf counting FFFFFFFF records",
         lambda s: patch(find(persons(s), "osoby.dbf"), 4, b"\xff\xff\xff\xff"),
         inspect=lambda s: find(persons(s), "osoby.dbf"), exit=None, message="4294967295"),
    Case("inspect a FIFO", lambda s: fifo_instead(find(persons(s), "osoby.dbf")),
         inspect=lambda s: os.path.join(persons(s), "OSOBY.DBF"), exit=1),
]


# ---- running -------------------------------------------------------------------------------

def run_case(case, cli, sample, work):
    site = os.path.join(work, "site")
    shutil.copytree(sample, site, symlinks=True)
    if case.damage:
        case.damage(site)
    before = snapshot(site)
    cwd = os.path.join(work, "cwd")
    os.makedirs(os.path.join(cwd, "DECOY"))
    shutil.copytree(persons(sample), os.path.join(cwd, "DECOY"), dirs_exist_ok=True)
    cwd_before = snapshot(cwd)
    output = case.output(site, work) if case.output else os.path.join(work, "out")
    summary = os.path.join(work, "summary.json")
    if case.inspect:
        command = [cli, "inspect", case.inspect(site)]
    else:
        extra = case.args(site, output) if callable(case.args) else case.args
        # Every person is converted (no register refers to them here), so every name line
        # is sought through nazwy.ntx.
        command = [cli, "convert", "--input", site, "--output", output, "--yes",
                   "--keep-unlinked", "osoby", "--summary", summary] + extra
    if case.read_only:
        command = unprivileged(command, work)
        if command is None:
            return "skipped: root's rights cannot be dropped here"
        set_writable(site, False)
    outside_before = snapshot(work)
    holder = case.hold(site) if case.hold else None
    started = time.monotonic()
    try:
        if holder:
            holder.__enter__()
        limit = file_size_limit(case.file_limit) if case.file_limit else None
        done = subprocess.run(command, cwd=cwd, capture_output=True, timeout=CASE_SECONDS,
                              stdin=subprocess.DEVNULL, preexec_fn=limit)
        text = done.stdout.decode("utf-8", "replace") + done.stderr.decode("utf-8", "replace")
        code = done.returncode
    except subprocess.TimeoutExpired:
        return [f"did not end within {CASE_SECONDS} s"]
    finally:
        if holder:
            holder.__exit__(None, None, None)
        if case.read_only:
            set_writable(site, True)
    seconds = time.monotonic() - started
    faults = []
    if case.exit is not None and code != case.exit:
        faults.append(f"exit {code}, expected {case.exit}")
    if code < 0 or code > 3:
        faults.append(f"exit {code}: crashed")
    if "runtime error" in text or "Sanitizer" in text:
        faults.append("sanitizer report")
    if case.message and case.message not in text:
        faults.append(f"no message {case.message!r}")
    if case.absent and case.absent in text:
        faults.append(f"unexpected message {case.absent!r}")
    if case.outcome and os.path.exists(summary):
        outcome = json.load(open(summary, encoding="utf-8"))["outcome"]
        if outcome != case.outcome:
            faults.append(f"outcome {outcome}, expected {case.outcome}")
    elif case.outcome:
        faults.append("no summary written")
    if snapshot(site) != before:
        faults.append("the source tree changed")
    if snapshot(cwd) != cwd_before:
        faults.append("something was written in the working folder")
    # Outside the output folder only the summary and the renumbering file may appear.
    allowed = {"summary.json", "out.gm"}
    for path in set(snapshot(work)) - set(outside_before):
        if path in allowed or path.startswith("out" + os.sep) or path == "out":
            continue
        if case.output and path.startswith(os.path.relpath(output, work)):
            continue
        if path.startswith("site" + os.sep) or path.startswith("cwd" + os.sep):
            continue  # already compared
        faults.append(f"written outside the output folder: {path}")
    if faults:
        faults.append("output:\n" + text[-2000:])
    return faults, seconds


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", help="build folder holding src/app/cli/konwerter-cli")
    parser.add_argument("-k", default="", help="run only cases whose name holds this text")
    arguments = parser.parse_args()
    cli = os.path.abspath(os.path.join(arguments.build, "src", "app", "cli", "konwerter-cli"))
    failed = 0
    ran = 0
    with tempfile.TemporaryDirectory(prefix="konwerter-broken-") as top:
        sample = os.path.join(top, "sample")
        subprocess.run([cli, "generate-sample", "--output", sample, "--scale", "1"],
                       check=True, capture_output=True)
        for number, case in enumerate(CASES, 1):
            if arguments.k not in case.name:
                continue
            ran += 1
            work = os.path.join(top, f"case{number}")
            os.makedirs(work)
            result = run_case(case, cli, sample, work)
            if isinstance(result, str):
                print(f"{result:6} {number:2} {case.name}")
                shutil.rmtree(work, ignore_errors=True)
                continue
            faults, seconds = result if isinstance(result, tuple) else (result, CASE_SECONDS)
            status = "ok" if not faults else "FAILED"
            print(f"{status:6} {number:2} {case.name} ({seconds:.1f} s)")
            for fault in faults:
                print("         " + fault.replace("\n", "\n         "))
            failed += bool(faults)
            shutil.rmtree(work, ignore_errors=True)
    print(f"{ran - failed} of {ran} broken-site cases ended as expected")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
