#!/usr/bin/env python3
"""Writes the lazy import stubs of the window libraries for the functions the programs use.

    write-lazy-imports.py --nm NM --stubs lazy_imports.cpp --list lazy_imports.txt
                          --dll user32=libuser32.a [--dll ...] OBJECT_OR_ARCHIVE...

A function gets a stub when one of the given objects or archives refers to it (an undefined
__imp__Name@N, or _Name@N for a direct call) and the DLL's import library exports it. For
each such function the stubs file defines the import slot the compiler calls through
(__imp__Name@N) and the direct stub (_Name@N), so the ordinary import library is never
linked for it. The slot first points to a binder that loads the DLL, looks the function up,
stores it in the slot and jumps to it (launcher/LazyImport.cpp); later calls go straight
through. Each function sits in its own sections, so --gc-sections drops those a program
does not call. The list file names every function with a stub, as DLL!Function, one a line.
"""
import argparse
import pathlib
import re
import subprocess
import sys


def symbols(nm, path, *options):
    result = subprocess.run([nm, *options, str(path)], capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"write-lazy-imports: cannot list {path}: {result.stderr.strip()}")
    return [line.split()[-1] for line in result.stdout.splitlines() if line.strip()]


def exported(nm, import_library):
    """Name@N of every function the import library binds (i686: __imp__Name@N)."""
    return {s[len("__imp__"):] for s in symbols(nm, import_library, "-g")
            if s.startswith("__imp__")}


def referenced(nm, users):
    """Name@N candidates of every undefined symbol of the objects and archives."""
    names = set()
    for user in users:
        for s in symbols(nm, user, "-u"):
            if s.startswith("__imp__"):
                names.add(s[len("__imp__"):])
            elif s.startswith("_"):
                names.add(s[1:])
    return names


def stub(dll, index, symbol):
    name = re.sub(r"@[0-9]+$", "", symbol)  # the DLL exports it without @N
    return f"""
    .section .data$lazy_{dll}_{index},"w"
    .globl __imp__{symbol}
    .p2align 2
__imp__{symbol}:
    .long .Lbind_{dll}_{index}
    .section .text$lazy_{dll}_{index},"x"
    .globl _{symbol}
_{symbol}:
    jmp *__imp__{symbol}
.Lbind_{dll}_{index}:
    pushl $__imp__{symbol}
    pushl $.Lname_{dll}_{index}
    jmp .Lbind_{dll}
.Lname_{dll}_{index}:
    .asciz "{name}"
"""


def binder(dll):
    return f"""
    .section .text$lazy_{dll},"x"
.Lbind_{dll}:
    pushl $.Ldll_{dll}
    call _LazyImportResolve
    addl $12, %esp
    jmp *%eax
.Ldll_{dll}:
    .asciz "{dll}.dll"
"""


def write_if_changed(path, text):
    """An unchanged file keeps its time, so an unchanged program is not compiled again."""
    path = pathlib.Path(path)
    if not path.exists() or path.read_text() != text:
        path.write_text(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--nm", required=True)
    parser.add_argument("--stubs", required=True)
    parser.add_argument("--list", required=True)
    parser.add_argument("--dll", action="append", default=[], metavar="NAME=IMPORT_LIBRARY")
    parser.add_argument("users", nargs="+")
    args = parser.parse_args()

    wanted = referenced(args.nm, args.users)
    assembly, listed = [], []
    for entry in args.dll:
        dll, _, import_library = entry.partition("=")
        used = sorted(exported(args.nm, import_library) & wanted)
        if not used:
            continue
        assembly.append(binder(dll))
        assembly.extend(stub(dll, index, symbol) for index, symbol in enumerate(used))
        listed.extend(f"{dll}.dll!{re.sub(r'@[0-9]+$', '', symbol)}" for symbol in used)

    write_if_changed(args.stubs, "// Written by tools/build/write-lazy-imports.py; do not edit.\n"
                     "// Lazy import stubs of the window libraries: see launcher/LazyImport.cpp.\n"
                     'asm(R"(' + "".join(assembly) + '\n    .text\n)");\n')
    write_if_changed(args.list, "".join(line + "\n" for line in listed))


if __name__ == "__main__":
    main()
