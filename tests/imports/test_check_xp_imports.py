#!/usr/bin/env python3
"""Tests of tools/build/check-xp-imports.py: it must refuse what cannot start on Windows XP.

    test_check_xp_imports.py --check check-xp-imports.py --probe ImportProbe.exe
                             --program pelorin.exe

The probe imports GetTickCount64; the program is a shipped one that passes, whose altered
copies must not.
"""
import argparse
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

ARGS = None

GOOD_MANIFEST = b"""<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <trustInfo xmlns="urn:schemas-microsoft-com:asm.v3">
    <security><requestedPrivileges>
      <requestedExecutionLevel level="%s" uiAccess="false"/>
    </requestedPrivileges></security>
  </trustInfo>
</assembly>"""


class CheckTest(unittest.TestCase):
    def setUp(self):
        self.folder = pathlib.Path(tempfile.mkdtemp(prefix="check-xp-"))

    def tearDown(self):
        shutil.rmtree(self.folder)

    def check(self, *args):
        result = subprocess.run([sys.executable, str(ARGS.check), *map(str, args)],
                                capture_output=True, text=True)
        return result.returncode, result.stdout

    def altered_program(self, name, changes):
        """A copy of the program with 16-bit fields of its optional header replaced."""
        data = bytearray(ARGS.program.read_bytes())
        optional = struct.unpack_from("<I", data, 0x3C)[0] + 24
        for offset, value in changes:
            struct.pack_into("<H", data, optional + offset, value)
        path = self.folder / name
        path.write_bytes(data)
        return path

    def test_reports_a_function_newer_than_xp(self):
        code, out = self.check(ARGS.probe)
        self.assertEqual(code, 1, out)
        self.assertIn("KERNEL32.dll!GetTickCount64 is not on Windows XP", out)

    def test_reports_headers_above_xp(self):
        cases = [  # name, (offset in the optional header, value)..., expected report
            ("unchanged.exe", [], None),
            ("subsystem6.exe", [(48, 6), (50, 0)], "subsystem version 6.0 is above 5.1"),
            ("subsystem52.exe", [(48, 5), (50, 2)], "subsystem version 5.2 is above 5.1"),
            ("os6.exe", [(40, 6), (42, 0)], "OS version 6.0 is above 5.1"),
            ("native.exe", [(68, 1)], "subsystem 1 is neither GUI nor console"),
        ]
        for name, changes, report in cases:
            with self.subTest(name):
                code, out = self.check(self.altered_program(name, changes))
                if report is None:
                    self.assertEqual(code, 0, out)
                else:
                    self.assertEqual(code, 1, out)
                    self.assertIn(f"{name}: {report}", out)

    def test_reports_a_dll_outside_the_system_set(self):
        exports = self.folder / "exports"
        exports.mkdir()
        for listed in (pathlib.Path(ARGS.check).parent / "winapi-nt51").glob("*.txt"):
            if listed.name != "msvcrt.txt":
                shutil.copy(listed, exports)
        code, out = self.check("--exports", exports, ARGS.program)
        self.assertEqual(code, 1, out)
        self.assertIn("msvcrt.dll is not a system DLL of Windows XP", out)

    def test_checks_the_functions_bound_lazily(self):
        cases = [  # lazy list, expected report
            ("user32.dll!MessageBoxA\ngdi32.dll!CreateRectRgn\n", None),
            ("user32.dll!MessageBoxA\nuser32.dll!GetDpiForWindow\n",
             "user32.dll!GetDpiForWindow is not on Windows XP"),
            ("dwmapi.dll!DwmFlush\n", "dwmapi.dll is not a system DLL of Windows XP"),
        ]
        for lines, report in cases:
            with self.subTest(lines):
                lazy = self.folder / "lazy.txt"
                lazy.write_text(lines)
                code, out = self.check("--lazy", lazy, ARGS.program)
                self.assertEqual(code, 0 if report is None else 1, out)
                if report:
                    self.assertIn(report, out)
                else:
                    self.assertIn(f"{lines.count(chr(10))} bound lazily", out)

    def test_checks_the_manifest(self):
        duplicated = GOOD_MANIFEST.replace(
            b"<security>", b'<security xmlns="urn:schemas-microsoft-com:asm.v3">')
        two_on_one = GOOD_MANIFEST.replace(
            b'manifestVersion="1.0"',
            b'xmlns:asmv3="urn:schemas-microsoft-com:asm.v3" manifestVersion="1.0"')
        cases = [  # name, text, expected report
            ("good", GOOD_MANIFEST % b"asInvoker", None),
            ("duplicated", duplicated % b"asInvoker",
             "<security> declares the namespace urn:schemas-microsoft-com:asm.v3 again"),
            ("two on one", two_on_one % b"asInvoker", "<assembly> declares 2 namespaces"),
            ("administrator", GOOD_MANIFEST % b"requireAdministrator", "not asInvoker"),
            ("malformed", (GOOD_MANIFEST % b"asInvoker")[:-4], "not well-formed XML"),
        ]
        for name, text, report in cases:
            with self.subTest(name):
                manifest = self.folder / "test.manifest"
                manifest.write_bytes(text)
                code, out = self.check("--manifest", manifest)
                self.assertEqual(code, 0 if report is None else 1, out)
                self.assertIn(report or "accepted by Windows XP", out)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--check", type=pathlib.Path, required=True)
    parser.add_argument("--probe", type=pathlib.Path, required=True)
    parser.add_argument("--program", type=pathlib.Path, required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)
