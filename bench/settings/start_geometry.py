#!/usr/bin/env python3
"""Where the window lands at start, idle and busy, with a stored height below the minimum.

Starts the built program again and again in a private X session (Xvfb + openbox), each time from
the same keymill.ini, closes it with Alt+F4 and counts the positions and sizes it stored. A
busy start shares one core with three busy loops for its first 1.5 s. Prints a table; never
fails. Usage: bench/settings/start_geometry.py [runs] [path/to/keymill]"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from xsession import XSession, wait_until  # noqa: E402

STORED = b"[Position]\r\nLeft=3000\r\nTop=2250\r\nWidth=9000\r\nHeight=1500\r\n"


def one_start(xs, prog, busy):
    with open(os.path.join(prog, "keymill.ini"), "wb") as f:
        f.write(STORED)
    burners = []
    command = [os.path.join(prog, "keymill")]
    if busy:
        burners = [subprocess.Popen(["taskset", "-c", "0", "sh", "-c", "while :; do :; done"])
                   for _ in range(3)]
        command = ["taskset", "-c", "0"] + command
    app = subprocess.Popen(command, env=xs.env, stderr=subprocess.DEVNULL)
    try:
        wid = wait_until("the window", lambda: xs.output(
            ["xdotool", "search", "--all", "--onlyvisible", "--pid", str(app.pid),
             "--name", "^キーミル$"]).split(), 10)[0]
        time.sleep(1.5)
    finally:
        for b in burners:
            b.kill()
    for _ in range(20):
        xs.quiet(["xdotool", "windowactivate", "--sync", wid])
        xs.quiet(["xdotool", "key", "alt+F4"])
        try:
            app.wait(1)
            break
        except subprocess.TimeoutExpired:
            pass
    else:
        app.kill()
        return "did not close"
    with open(os.path.join(prog, "keymill.ini"), "rb") as f:
        text = f.read().decode("cp932", "replace")
    return " ".join(re.findall(r"(?:Left|Top|Width|Height)=-?\d+", text))


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 8
    program = sys.argv[2] if len(sys.argv) > 2 else os.path.join(ROOT, "build", "keymill")
    with tempfile.TemporaryDirectory() as tmp:
        prog = os.path.join(tmp, "prog")
        home = os.path.join(tmp, "home")
        os.makedirs(prog)
        os.makedirs(home, mode=0o700)
        shutil.copy(program, prog)
        with XSession(home) as xs:
            print(f"{'start':<6} {'count':>5}  stored at close")
            for busy in (False, True):
                seen = {}
                for _ in range(runs):
                    stored = one_start(xs, prog, busy)
                    seen[stored] = seen.get(stored, 0) + 1
                for stored, count in sorted(seen.items(), key=lambda kv: -kv[1]):
                    print(f"{'busy' if busy else 'idle':<6} {count:>5}  {stored}")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Exception as error:  # a measuring tool never fails a run
        print(f"not measured: {error}")
        sys.exit(0)
