#!/usr/bin/env python3
"""Writes the many-files product: COUNT text files of about 1 KiB, each its own
content so that each is a real member; half in one flat folder, the rest in
folders of 100."""
import os
import sys

root, count = sys.argv[1], int(sys.argv[2])
line = "the quick brown fox jumps over the lazy dog %d\n"
for i in range(count):
    folder = os.path.join(root, "flat") if i < count // 2 else os.path.join(root, "part%03d" % (i // 100))
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "file%05d.txt" % i), "w") as f:
        f.write("".join(line % (i * 31 + k) for k in range(22)))
