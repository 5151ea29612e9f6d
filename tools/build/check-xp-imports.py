#!/usr/bin/env python3
"""Checks that programs can start on Windows XP (NT 5.1).

    check-xp-imports.py [--exports DIR] [--lazy LIST] [--manifest FILE] PROGRAM.exe...

For each program it reads the import table (and the delay-load table, if any) and fails,
naming DLL!Function, for every function that the DLL's export list in DIR (default:
tools/build/winapi-nt51, one <dll>.txt per system DLL) does not hold; for a DLL that has no list
(not a system DLL); for an import by ordinal; and for a PE header whose subsystem version or
OS version is above 5.1. LIST names the functions the programs' lazy stubs bind, DLL!Function
one a line; they are checked the same way. FILE is the programs' manifest: it must be
well-formed XML, ask for asInvoker, and declare each namespace once (XP SP2 without a hotfix
restarts on a duplicated declaration).
"""
import argparse
import pathlib
import struct
import sys
import xml.parsers.expat

XP = (5, 1)
SUBSYSTEMS = {2: "GUI", 3: "console"}
DEFAULT_EXPORTS = pathlib.Path(__file__).resolve().parent / "winapi-nt51"


class BadImage(Exception):
    pass


class Image:
    """The parts of a 32-bit PE file the check needs."""

    def __init__(self, data: bytes):
        self.data = data
        if data[:2] != b"MZ":
            raise BadImage("no MZ header")
        pe = self.u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise BadImage("no PE signature")
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        optional = pe + 24
        if self.u16(optional) != 0x10B:
            raise BadImage("not a 32-bit image")
        self.os_version = (self.u16(optional + 40), self.u16(optional + 42))
        self.subsystem_version = (self.u16(optional + 48), self.u16(optional + 50))
        self.subsystem = self.u16(optional + 68)
        self.directories = [struct.unpack_from("<II", data, optional + 96 + 8 * i)
                            for i in range(min(16, self.u32(optional + 92)))]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8xIIII", data, table + 40 * i)
                         for i in range(sections)]

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def offset(self, rva):
        for virtual_size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        raise BadImage(f"address {rva:#x} lies in no section")

    def string(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii", "replace")

    def names(self, table_rva):
        """Function names of one import name table; an ordinal comes as '#<n>'."""
        at = self.offset(table_rva)
        while (entry := self.u32(at)) != 0:
            yield f"#{entry & 0xFFFF}" if entry & 0x80000000 else self.string(entry + 2)
            at += 4

    def imports(self):
        """(dll, function) of every static and delay-loaded import."""
        found = []
        for index, size, first_field in ((1, 20, 0), (13, 32, 4)):
            if index >= len(self.directories) or self.directories[index][0] == 0:
                continue
            at = self.offset(self.directories[index][0])
            while any(self.data[at:at + size]):
                if index == 1:
                    lookup, name, thunks = struct.unpack_from("<I8xII", self.data, at)
                    table = lookup or thunks
                else:
                    name, table = struct.unpack_from("<4xI8xI", self.data, at)
                dll = self.string(name)
                found.extend((dll, function) for function in self.names(table))
                at += size
        return found


def load_exports(folder):
    return {path.stem.lower(): set(path.read_text().split()) for path in folder.glob("*.txt")}


def import_problems(dll, function, exports):
    known = exports.get(dll.lower().removesuffix(".dll"))
    if known is None:
        return [f"{dll} is not a system DLL of Windows XP"]
    if function.startswith("#"):
        return [f"{dll}!{function} is imported by ordinal"]
    if function not in known:
        return [f"{dll}!{function} is not on Windows XP"]
    return []


def header_problems(image):
    problems = []
    if image.subsystem not in SUBSYSTEMS:
        problems.append(f"subsystem {image.subsystem} is neither GUI nor console")
    for what, version in (("subsystem", image.subsystem_version), ("OS", image.os_version)):
        if version > XP:
            problems.append(f"{what} version {version[0]}.{version[1]} is above 5.1")
    return problems


def manifest_problems(text):
    problems, scopes, levels = [], [set()], []

    def start(element, attributes):
        declared = {k: v for k, v in attributes.items() if k == "xmlns" or k.startswith("xmlns:")}
        if len(declared) > 1:
            problems.append(f"<{element}> declares {len(declared)} namespaces")
        for uri in declared.values():
            if any(uri in scope for scope in scopes):
                problems.append(f"<{element}> declares the namespace {uri} again")
        scopes.append(set(declared.values()))
        if element.split(":")[-1] == "requestedExecutionLevel":
            levels.append(attributes.get("level"))

    parser = xml.parsers.expat.ParserCreate()
    parser.StartElementHandler = start
    parser.EndElementHandler = lambda element: scopes.pop()
    try:
        parser.Parse(text, True)
    except xml.parsers.expat.ExpatError as error:
        return [f"not well-formed XML: {error}"]
    if levels != ["asInvoker"]:
        problems.append(f"the execution level is {levels or 'missing'}, not asInvoker")
    return problems


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--exports", type=pathlib.Path, default=DEFAULT_EXPORTS)
    parser.add_argument("--lazy", type=pathlib.Path)
    parser.add_argument("--manifest", type=pathlib.Path)
    parser.add_argument("programs", type=pathlib.Path, nargs="*")
    args = parser.parse_args(argv)

    exports = load_exports(args.exports)
    lazy = []
    if args.lazy:
        lazy = [line.split("!", 1) for line in args.lazy.read_text().split()]
    failures = 0
    for program in args.programs:
        try:
            image = Image(program.read_bytes())
            imports = image.imports()
        except (BadImage, struct.error, ValueError) as error:
            print(f"{program.name}: cannot read: {error}")
            failures += 1
            continue
        problems = header_problems(image)
        for dll, function in imports + lazy:
            problems += import_problems(dll, function, exports)
        for problem in problems:
            print(f"{program.name}: {problem}")
        failures += len(problems)
        dlls = sorted({dll.lower() for dll, _ in imports})
        print(f"{program.name}: {len(imports)} functions imported from {', '.join(dlls)};"
              f" {len(lazy)} bound lazily; {SUBSYSTEMS.get(image.subsystem, image.subsystem)}"
              f" subsystem {image.subsystem_version[0]}.{image.subsystem_version[1]},"
              f" OS version {image.os_version[0]}.{image.os_version[1]}:"
              f" {'on Windows XP' if not problems else f'{len(problems)} problems'}")
    if args.manifest:
        problems = manifest_problems(args.manifest.read_bytes())
        for problem in problems:
            print(f"{args.manifest.name}: {problem}")
        print(f"{args.manifest.name}: {'accepted by Windows XP' if not problems else 'refused'}")
        failures += len(problems)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
