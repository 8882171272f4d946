#!/usr/bin/env python3
"""Counts the mutable globals per folder: variables with static storage
(namespace scope, class statics, function statics, thread_local) that are not
const. Reads the sources with universal-ctags, so it needs no compiler.

  python3 tools/count-globals.py            # one line per folder and a total
  python3 tools/count-globals.py -v gfx     # also list each one in gfx/
  python3 tools/count-globals.py --rev main # the same for a commit (read from git)
"""
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

FOLDERS = ["app", "gfx", "vox", "files", "records", "scenes", "stage"]


def is_const(prefix):
    # `const char* p` is a mutable pointer; `const char* const p`,
    # `static const int n` and `constexpr` are not.
    if re.search(r"\bconstexpr\b", prefix):
        return True
    star = max(prefix.rfind("*"), prefix.rfind("&"))
    tail = prefix[star + 1:] if star >= 0 else prefix
    return re.search(r"\bconst\b", tail) is not None


def globals_in(folder):
    files = sorted(str(p) for p in Path(folder).rglob("*") if p.suffix in (".cpp", ".h"))
    if not files:
        return []
    out = subprocess.run(
        ["ctags", "-x", "--language-force=C++", "--kinds-C++=vlm", "--_xformat=%N\t%K\t%n\t%F\t%C"]
        + files, capture_output=True, text=True, check=True).stdout
    found = []
    for row in out.splitlines():
        name, kind, line, path, text = row.split("\t", 4)
        text = text.strip()
        at = re.search(r"(?<![\w:])" + re.escape(name) + r"\b", text)
        prefix = text[:at.start()] if at else text
        if kind in ("local", "member") and not re.search(r"\b(static|thread_local)\b", prefix):
            continue
        if kind == "variable" and re.match(r"\s*extern\b", prefix):
            continue
        if is_const(prefix):
            continue
        found.append((path, int(line), name, "thread_local" in prefix, text))
    return found


def main():
    args = sys.argv[1:]
    if len(args) >= 2 and args[0] == "--rev":
        rev, rest = args[1], args[2:]
        with tempfile.TemporaryDirectory() as tree:
            archive = subprocess.run(["git", "archive", rev], capture_output=True, check=True).stdout
            subprocess.run(["tar", "-x", "-C", tree], input=archive, check=True)
            os.chdir(tree)
            run(rest)
        return
    run(args)


def run(args):
    verbose = bool(args) and args[0] == "-v"
    folders = args[1:] if verbose and len(args) > 1 else (args if args and not verbose else FOLDERS)
    total = total_tl = 0
    for folder in folders:
        found = globals_in(folder)
        tl = sum(1 for f in found if f[3])
        total += len(found)
        total_tl += tl
        print(f"{folder:8} {len(found):4}  (thread_local {tl})")
        if verbose:
            for path, line, name, _, text in found:
                print(f"    {path}:{line}  {name}  | {text}")
    print(f"{'total':8} {total:4}  (thread_local {total_tl})")


if __name__ == "__main__":
    main()
