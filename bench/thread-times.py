#!/usr/bin/env python3
"""Runs a command and prints its processor time in total and per thread, read
from /proc while it runs: "total S busiest S threads N". On a shared machine the
busiest thread's time is what wall time would come to with a processor for every
thread, which wall time itself cannot show while others are computing.
Usage: bench/thread-times.py COMMAND [ARG...]"""
import os
import subprocess
import sys
import time

tick = os.sysconf("SC_CLK_TCK")
child = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL)
seen = {}
while child.poll() is None:
    try:
        for tid in os.listdir(f"/proc/{child.pid}/task"):
            with open(f"/proc/{child.pid}/task/{tid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            seen[tid] = (int(fields[11]) + int(fields[12])) / tick
    except (FileNotFoundError, ProcessLookupError, IndexError):
        pass
    time.sleep(0.02)
if child.returncode != 0:
    sys.exit(child.returncode)
print(f"total {sum(seen.values()):.2f} busiest {max(seen.values(), default=0):.2f} threads {len(seen)}")
