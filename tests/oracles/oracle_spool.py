#!/usr/bin/python3
"""The Linux side of the oracles for test programs running under Wine.

A Windows test program cannot start the Linux interpreters, so it writes each request as
SPOOL/<name>.req (interpreter, script of this folder, arguments: one per line, paths already
in Linux form, then the line END_OF_REQUEST); a request without that line is still being
written and waits for the next look. This server runs it and answers with <name>.out (standard output),
<name>.err (standard error) and last <name>.done (the exit status).

    oracle_spool.py SPOOL --start   starts the server in the background and returns
    oracle_spool.py SPOOL --stop    stops it
"""
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
END_OF_REQUEST = "--end-of-request--"


def answer(spool, request):
    """Answers one request; False when it is not yet completely written."""
    name = request[: -len(".req")]
    with open(os.path.join(spool, request), "rb") as lines:
        data = lines.read()
    if not data.endswith(("\n" + END_OF_REQUEST + "\n").encode("ascii")):
        return False
    text = data.decode("utf-8")
    interpreter, script, *arguments = text.split("\n")[:-2]
    os.remove(os.path.join(spool, request))
    result = subprocess.run([interpreter, os.path.join(HERE, script), *arguments],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=False)
    for ending, data in ((".out", result.stdout), (".err", result.stderr)):
        with open(os.path.join(spool, name + ending), "wb") as out:
            out.write(data)
    with open(os.path.join(spool, name + ".tmp-done"), "w", encoding="ascii") as out:
        out.write(str(result.returncode))
    os.rename(os.path.join(spool, name + ".tmp-done"), os.path.join(spool, name + ".done"))
    return True


def serve(spool):
    stop = os.path.join(spool, "stop")
    while not os.path.exists(stop):
        requests = sorted(n for n in os.listdir(spool) if n.endswith(".req"))
        answered = [answer(spool, request) for request in requests]
        if not any(answered):
            time.sleep(0.01)
    os.remove(stop)


def main():
    spool, command = sys.argv[1], sys.argv[2]
    os.makedirs(spool, exist_ok=True)
    if command == "--stop":
        open(os.path.join(spool, "stop"), "w").close()
        return
    if os.path.exists(os.path.join(spool, "stop")):
        os.remove(os.path.join(spool, "stop"))
    if os.fork() == 0:
        os.setsid()
        devnull = os.open(os.devnull, os.O_RDWR)
        for stream in (0, 1, 2):
            os.dup2(devnull, stream)
        serve(spool)
        os._exit(0)


if __name__ == "__main__":
    main()
