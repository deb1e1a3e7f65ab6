#!/usr/bin/env python3
"""The real window seen from outside, as a user's system monitor sees it: the processor time the
window spends on a 1,000 x 99,999 run (F5 until it is idle again) and its resident memory after
each of RUNS runs in a row, against the idle window. Prints a table; never fails.

usage: bench_window.py --program build/keymill [--runs 50] [--length 99999 --count 1000]"""

import argparse
import os
import shutil
import sys
import tempfile
import time

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "e2e"))
from xsession import CheckFailed, XSession, wait_until  # noqa: E402

TICK = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


def wait_idle(pid, started):
    """Until the window has used no processor time for 0.3 s; returns the time it used since
    started."""
    last = cpu_seconds(pid)
    quiet_since = time.monotonic()
    while time.monotonic() - quiet_since < 0.3:
        time.sleep(0.05)
        now = cpu_seconds(pid)
        if now != last:
            last = now
            quiet_since = time.monotonic()
    return last - started


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--runs", type=int, default=50)
    parser.add_argument("--length", default="99999")
    parser.add_argument("--count", default="1000")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="keymill-bench-") as tmp:
        appdir = os.path.join(tmp, "app")
        home = os.path.join(tmp, "home")
        os.makedirs(appdir)
        os.makedirs(home)
        program = shutil.copy(args.program, appdir)
        try:
            with XSession(home) as x:
                proc = x.start(program, appdir)
                wid = x.window(proc.pid, "キーミル", timeout=15)
                x.activate(wid)
                wait_idle(proc.pid, 0)
                idle = rss_mb(proc.pid)
                x.key("alt+m")
                x.type(args.length)
                x.key("alt+t")
                x.type(args.count)
                wait_idle(proc.pid, 0)
                print(f"{'run':>4} {'cpu s':>8} {'RSS MB':>8} {'above idle':>11}")
                print(f"{'idle':>4} {'':>8} {idle:8.1f} {0:11.1f}")
                times = []
                for run in range(1, args.runs + 1):
                    before = cpu_seconds(proc.pid)
                    x.key("F5")
                    used = wait_idle(proc.pid, before)
                    times.append(used)
                    rss = rss_mb(proc.pid)
                    print(f"{run:4d} {used:8.2f} {rss:8.1f} {rss - idle:11.1f}", flush=True)
                times.sort()
                print(f"\nprocessor time per run: median {times[len(times) // 2]:.2f} s, "
                      f"best {times[0]:.2f} s (F5 until idle, in clock ticks of 1/{TICK} s)")
        except CheckFailed as failure:
            print(f"bench_window: {failure}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
