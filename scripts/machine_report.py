#!/usr/bin/env python3
"""Snapshots of a hosted machine folder and a readable report of what changed.

  machine_report.py snapshot MACHINE OUT.json   records files, registry values, INI
                                                entries and the journal
  machine_report.py diff BEFORE.json AFTER.json [--no-journal]
                                                prints what changed, grouped for a
                                                person: files, INI entries, registry
                                                values, start-up blocks, shortcuts,
                                                the uninstall entry, shell requests
  machine_report.py same BEFORE.json AFTER.json [IGNORED-PATH...]
                                                exit 0 when files and registry are
                                                as before (besides the paths named)
  machine_report.py seed MACHINE                what a Windows PC has from the start:
                                                AUTOEXEC.BAT, CONFIG.SYS and the
                                                (empty) list of installed programs
  machine_report.py uninstall-entries MACHINE   one line per registered program:
                                                name TAB command TAB quiet command
"""
import hashlib
import json
import os
import struct
import sys

UNINSTALL_LIST = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\currentversion\\uninstall\\".upper()
INI_SUFFIXES = (".INI", ".CFG")
STARTUP_FILES = ("C:\\AUTOEXEC.BAT", "C:\\CONFIG.SYS")


def windows_path(drive, relative):
    parts = [p for p in relative.split(os.sep) if p]
    return drive.upper() + ":\\" + "\\".join(parts)


def read_text(path):
    with open(path, "rb") as f:
        return f.read().decode("cp1252", errors="replace")


def parse_ini(text):
    entries = {}
    section = None
    for line in text.splitlines():
        s = line.strip()
        if s.startswith("[") and "]" in s:
            section = s[1:s.index("]")]
        elif section is not None and s and not s.startswith(";"):
            key, _, value = s.partition("=")
            entries["[%s] %s" % (section, key.strip())] = value.strip()
    return entries


def parse_registry(text):
    values = {}
    key = None
    for line in text.splitlines():
        if line.startswith("[") and line.endswith("]"):
            key = line[1:-1]
            values[key + "\\"] = None  # the key itself
            continue
        if key is None or "=" not in line:
            continue
        if line.startswith("@="):
            name, raw = "@", line[2:]
        elif line.startswith('"'):
            end = 1
            while end < len(line) and line[end] != '"':
                end += 2 if line[end] == "\\" else 1
            name = line[1:end].replace('\\"', '"').replace("\\\\", "\\")
            raw = line[end + 2:]
        else:
            continue
        if raw.startswith('"') and raw.endswith('"'):
            value = raw[1:-1].replace('\\"', '"').replace("\\\\", "\\")
        else:
            value = raw
        values[key + "\\" + name] = value
    return values


def link_target(path):
    """The target of a shell link: its local base path, or its relative path."""
    try:
        with open(path, "rb") as f:
            data = f.read()
        flags = struct.unpack_from("<I", data, 20)[0]
        pos = 76
        if flags & 0x01:  # HasLinkTargetIDList
            pos += 2 + struct.unpack_from("<H", data, pos)[0]
        if flags & 0x02:  # HasLinkInfo
            size, header = struct.unpack_from("<II", data, pos)
            base = struct.unpack_from("<I", data, pos + 16)[0]
            if base:
                end = data.index(b"\0", pos + base)
                return data[pos + base:end].decode("cp1252")
            pos += size
        unicode = flags & 0x80
        for bit in (0x04, 0x08):  # name, relative path
            if flags & bit:
                count = struct.unpack_from("<H", data, pos)[0]
                size = count * (2 if unicode else 1)
                text = data[pos + 2:pos + 2 + size]
                pos += 2 + size
                if bit == 0x08:
                    return text.decode("utf-16-le" if unicode else "cp1252")
    except (OSError, ValueError, struct.error):
        pass
    return "?"


def snapshot(machine):
    files, ini, links = {}, {}, {}
    drives = os.path.join(machine, "drives")
    for drive in sorted(os.listdir(drives)) if os.path.isdir(drives) else []:
        root = os.path.join(drives, drive)
        for folder, subfolders, names in os.walk(root):
            subfolders.sort()
            relative_folder = os.path.relpath(folder, root)
            if relative_folder != ".":
                files[windows_path(drive, relative_folder) + "\\"] = "folder"
            for name in sorted(names):
                host = os.path.join(folder, name)
                path = windows_path(drive, os.path.relpath(host, root))
                with open(host, "rb") as f:
                    digest = hashlib.sha1(f.read()).hexdigest()
                files[path] = "%d bytes, %s" % (os.path.getsize(host), digest[:10])
                upper = path.upper()
                if upper.endswith(INI_SUFFIXES) or upper in STARTUP_FILES:
                    ini[path] = read_text(host)
                if upper.endswith(".LNK"):
                    links[path] = link_target(host)
    registry_file = os.path.join(machine, "registry.reg")
    registry = parse_registry(read_text(registry_file)) if os.path.exists(registry_file) else {}
    journal_file = os.path.join(machine, "journal.log")
    journal = read_text(journal_file).splitlines() if os.path.exists(journal_file) else []
    return {"files": files, "texts": ini, "links": links, "registry": registry, "journal": journal}


def section(title, lines):
    print("  %s:" % title)
    if not lines:
        print("    (none)")
    for line in lines:
        print("    " + line)


def diff(before, after, journal=True):
    changed = False
    bf, af = before["files"], after["files"]
    added = [p for p in af if p not in bf]
    removed = [p for p in bf if p not in af]
    modified = [p for p in af if p in bf and bf[p] != af[p]]
    ignore = lambda p: p.upper().endswith("\\JOURNAL.LOG")
    entries = [(p, "+ %s" % p if af[p] == "folder" else "+ %s  (%s)" % (p, af[p].split(",")[0])) for p in added]
    entries += [(p, "~ %s  (changed)" % p) for p in modified if not ignore(p)]
    entries += [(p, "- %s" % p) for p in removed]
    lines = [line for _, line in sorted(entries, key=lambda e: e[0].upper())]
    section("Files and folders", lines)
    changed |= bool(lines)

    lines = []
    for path in sorted(set(before["texts"]) | set(after["texts"])):
        if path.upper() in STARTUP_FILES:
            continue
        old = parse_ini(before["texts"].get(path, ""))
        new = parse_ini(after["texts"].get(path, ""))
        if not path.upper().endswith(".INI"):
            continue
        for key in new:
            if old.get(key) != new[key]:
                lines.append("%s %s = %s" % (path, key, new[key]) + ("" if key in old else "  (new)"))
        for key in old:
            if key not in new:
                lines.append("%s %s  (removed)" % (path, key))
    section("INI entries", lines)
    changed |= bool(lines)

    lines = []
    for path in STARTUP_FILES:
        old = before["texts"].get(path, "").splitlines()
        new = after["texts"].get(path, "").splitlines()
        lines += ["%s + %s" % (path, l) for l in new if l not in old]
        lines += ["%s - %s" % (path, l) for l in old if l not in new]
    section("Start-up file blocks", lines)
    changed |= bool(lines)

    br, ar = before["registry"], after["registry"]
    uninstall, lines = [], []
    for name in sorted(set(br) | set(ar)):
        if br.get(name, "<absent>") == ar.get(name, "<absent>"):
            continue
        target = uninstall if name.upper().startswith(UNINSTALL_LIST) else lines
        if name.endswith("\\"):
            target.append(("+ key " if name in ar else "- key ") + name[:-1])
        elif name in ar:
            target.append("%s = %s" % (name, ar[name]))
        else:
            target.append("%s  (removed)" % name)
    section("Registry", lines)
    section("Uninstall entry", uninstall)
    changed |= bool(lines) or bool(uninstall)

    bl, al = before["links"], after["links"]
    lines = ["+ %s -> %s" % (p, al[p]) for p in al if p not in bl] + ["- %s" % p for p in bl if p not in al]
    section("Shortcuts", lines)
    changed |= bool(lines)

    if journal:
        new_journal = after["journal"][len(before["journal"]):]
        section("Programs started, restarts and messages (journal)", new_journal)
    return changed


def main(argv):
    if len(argv) >= 3 and argv[0] == "snapshot":
        with open(argv[2], "w") as f:
            json.dump(snapshot(argv[1]), f)
        return 0
    if len(argv) >= 3 and argv[0] == "diff":
        with open(argv[1]) as f:
            before = json.load(f)
        with open(argv[2]) as f:
            after = json.load(f)
        diff(before, after, journal="--no-journal" not in argv[3:])
        return 0
    if len(argv) >= 3 and argv[0] == "same":
        with open(argv[1]) as f:
            before = json.load(f)
        with open(argv[2]) as f:
            after = json.load(f)
        ignored = {p.upper() for p in argv[3:]}
        files = lambda snap: {p: v for p, v in snap["files"].items() if p.upper() not in ignored}
        return 0 if files(before) == files(after) and before["registry"] == after["registry"] else 1
    if len(argv) >= 2 and argv[0] == "seed":
        drive = os.path.join(argv[1], "drives", "c")
        with open(os.path.join(drive, "AUTOEXEC.BAT"), "wb") as f:
            f.write(b"@ECHO OFF\r\nPROMPT $P$G\r\nPATH C:\\WINDOWS;C:\\WINDOWS\\COMMAND\r\n")
        with open(os.path.join(drive, "CONFIG.SYS"), "wb") as f:
            f.write(b"DEVICE=C:\\WINDOWS\\HIMEM.SYS\r\nFILES=40\r\n")
        registry_file = os.path.join(argv[1], "registry.reg")
        key = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
        if key.upper() + "\\" not in {k.upper() for k in parse_registry(read_text(registry_file))}:
            with open(registry_file, "ab") as f:
                f.write(("\n[%s]\n" % key).encode("cp1252"))
        return 0
    if len(argv) >= 2 and argv[0] == "uninstall-entries":
        registry = parse_registry(read_text(os.path.join(argv[1], "registry.reg")))
        for name, value in sorted(registry.items()):
            if name.upper().startswith(UNINSTALL_LIST) and name.endswith("\\UninstallString"):
                key = name[:-len("\\UninstallString")]
                entry = key[len(UNINSTALL_LIST):]
                quiet = registry.get(key + "\\QuietUninstallString", "")
                print("%s\t%s\t%s" % (entry, value, quiet))
        return 0
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
