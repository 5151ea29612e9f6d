#!/usr/bin/env python3
"""Writes the lazy import stubs of the window libraries for the functions the programs use.

    write-lazy-imports.py --nm NM [--arch i686|x86_64] --stubs lazy_imports.cpp
                          --list lazy_imports.txt --dll user32=libuser32.a [--dll ...]
                          OBJECT_OR_ARCHIVE...

A function gets a stub when one of the given objects or archives refers to it (i686: an
undefined __imp__Name@N, or _Name@N for a direct call; x86_64: __imp_Name or Name) and the
DLL's import library exports it. For each such function the stubs file defines the import
slot the compiler calls through and the direct stub, so the ordinary import library is never
linked for it. The shipped programs are i686; the x86_64 stubs serve the 64-bit test builds
of the same programs, which the 64-bit Wine runs. The slot first points to a binder that
loads the DLL, looks the function up, stores it in the slot and jumps to it
(launcher/LazyImport.cpp); later calls go straight through. Each function sits in its own
sections, so --gc-sections drops those a program does not call. The list file names every function with a stub, as DLL!Function, one a line.
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


class I686:
    """Decorated stdcall names (_Name@N), 4-byte slots, arguments on the stack."""
    slot_prefix, symbol_prefix = "__imp__", "_"

    @staticmethod
    def dll_name(symbol):
        return re.sub(r"@[0-9]+$", "", symbol)  # the DLL exports it without @N

    @staticmethod
    def stub(dll, index, symbol):
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
    .asciz "{I686.dll_name(symbol)}"
"""

    @staticmethod
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


class X86_64:
    """Plain names, 8-byte slots, arguments in rcx, rdx, r8, r9 (or xmm0-3): the binder keeps
    them across the call of the resolver and hands it the slot in rax, the name in r11."""
    slot_prefix, symbol_prefix = "__imp_", ""

    @staticmethod
    def dll_name(symbol):
        return symbol

    @staticmethod
    def stub(dll, index, symbol):
        return f"""
    .section .data$lazy_{dll}_{index},"w"
    .globl __imp_{symbol}
    .p2align 3
__imp_{symbol}:
    .quad .Lbind_{dll}_{index}
    .section .text$lazy_{dll}_{index},"x"
    .globl {symbol}
{symbol}:
    jmp *__imp_{symbol}(%rip)
.Lbind_{dll}_{index}:
    leaq __imp_{symbol}(%rip), %rax
    leaq .Lname_{dll}_{index}(%rip), %r11
    jmp lazy_bind_{dll}
.Lname_{dll}_{index}:
    .asciz "{symbol}"
"""

    @staticmethod
    def binder(dll):
        # Entered with the stack as the caller's call left it (8 mod 16): four pushes and
        # 104 bytes (shadow space, four xmm registers, alignment) make it 0 mod 16 again.
        return f"""
    .section .text$lazy_{dll},"x"
    .def lazy_bind_{dll}; .scl 3; .type 32; .endef
    .seh_proc lazy_bind_{dll}
lazy_bind_{dll}:
    pushq %rcx
    .seh_pushreg %rcx
    pushq %rdx
    .seh_pushreg %rdx
    pushq %r8
    .seh_pushreg %r8
    pushq %r9
    .seh_pushreg %r9
    subq $104, %rsp
    .seh_stackalloc 104
    .seh_endprologue
    movdqu %xmm0, 32(%rsp)
    movdqu %xmm1, 48(%rsp)
    movdqu %xmm2, 64(%rsp)
    movdqu %xmm3, 80(%rsp)
    leaq .Ldll_{dll}(%rip), %rcx
    movq %r11, %rdx
    movq %rax, %r8
    call LazyImportResolve
    movdqu 32(%rsp), %xmm0
    movdqu 48(%rsp), %xmm1
    movdqu 64(%rsp), %xmm2
    movdqu 80(%rsp), %xmm3
    addq $104, %rsp
    popq %r9
    popq %r8
    popq %rdx
    popq %rcx
    jmp *%rax
    .seh_endproc
.Ldll_{dll}:
    .asciz "{dll}.dll"
"""


ARCHITECTURES = {"i686": I686, "x86_64": X86_64}


def exported(nm, import_library, arch):
    """The symbol of every function the import library binds (i686: Name@N, x86_64: Name)."""
    return {s[len(arch.slot_prefix):] for s in symbols(nm, import_library, "-g")
            if s.startswith(arch.slot_prefix)}


def referenced(nm, users, arch):
    """Symbol candidates of every undefined symbol of the objects and archives."""
    names = set()
    for user in users:
        for s in symbols(nm, user, "-u"):
            if s.startswith(arch.slot_prefix):
                names.add(s[len(arch.slot_prefix):])
            elif s.startswith(arch.symbol_prefix):
                names.add(s[len(arch.symbol_prefix):])
    return names


def write_if_changed(path, text):
    """An unchanged file keeps its time, so an unchanged program is not compiled again."""
    path = pathlib.Path(path)
    if not path.exists() or path.read_text() != text:
        path.write_text(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--nm", required=True)
    parser.add_argument("--arch", choices=sorted(ARCHITECTURES), default="i686")
    parser.add_argument("--stubs", required=True)
    parser.add_argument("--list", required=True)
    parser.add_argument("--dll", action="append", default=[], metavar="NAME=IMPORT_LIBRARY")
    parser.add_argument("users", nargs="+")
    args = parser.parse_args()

    arch = ARCHITECTURES[args.arch]
    wanted = referenced(args.nm, args.users, arch)
    assembly, listed = [], []
    for entry in args.dll:
        dll, _, import_library = entry.partition("=")
        used = sorted(exported(args.nm, import_library, arch) & wanted)
        if not used:
            continue
        assembly.append(arch.binder(dll))
        assembly.extend(arch.stub(dll, index, symbol) for index, symbol in enumerate(used))
        listed.extend(f"{dll}.dll!{arch.dll_name(symbol)}" for symbol in used)

    write_if_changed(args.stubs, "// Written by tools/build/write-lazy-imports.py; do not edit.\n"
                     "// Lazy import stubs of the window libraries: see launcher/LazyImport.cpp.\n"
                     'asm(R"(' + "".join(assembly) + '\n    .text\n)");\n')
    write_if_changed(args.list, "".join(line + "\n" for line in listed))


if __name__ == "__main__":
    main()
