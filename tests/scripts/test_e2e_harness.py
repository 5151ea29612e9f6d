#!/usr/bin/env python3
"""The end-to-end drivers' shared pieces (tests/e2e/harness.py) and the framework key of
tests/e2e/launcher_e2e.py, without Wine: WINE is pointed at /bin/sh or a recording script."""
import contextlib
import io
import os
import pathlib
import struct
import sys
import tempfile
import unittest
from unittest import mock

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "e2e"))
import harness  # noqa: E402
import launcher_e2e  # noqa: E402


def pe_image(machine, signature=b"PE\0\0", magic=b"MZ"):
    header = 0x80
    data = bytearray(magic + bytes(header - 2))
    struct.pack_into("<I", data, 0x3C, header)
    return bytes(data) + signature + struct.pack("<H", machine) + bytes(64)


class ProgramBits(unittest.TestCase):
    def test_reads_the_machine_of_the_pe_header(self):
        cases = [("i386", pe_image(0x014C), 32), ("amd64", pe_image(0x8664), 64),
                 ("arm64", pe_image(0xAA64), None), ("no PE", pe_image(0x014C, b"NE\0\0"), None),
                 ("no MZ", pe_image(0x014C, magic=b"ZM"), None)]
        with tempfile.TemporaryDirectory() as folder:
            for name, image, bits in cases:
                with self.subTest(name):
                    path = pathlib.Path(folder) / "program.exe"
                    path.write_bytes(image)
                    if bits is None:
                        self.assertRaises(harness.Failure, harness.program_bits, path)
                    else:
                        self.assertEqual(harness.program_bits(path), bits)


class FrameworkKeyView(unittest.TestCase):
    def test_every_registry_command_names_the_programs_view(self):
        with tempfile.TemporaryDirectory() as folder:
            log = pathlib.Path(folder) / "commands"
            recorder = pathlib.Path(folder) / "wine"
            recorder.write_text(f'#!/bin/sh\nprintf "%s\\n" "$*" >> {log}\n')
            recorder.chmod(0o755)
            for bits in (32, 64):
                with self.subTest(bits=bits), mock.patch.dict(os.environ, WINE=str(recorder)):
                    log.write_text("")
                    key = launcher_e2e.FrameworkKey(pathlib.Path(folder) / "saved.reg",
                                                    "C:\\saved.reg", bits)
                    key.set(["v2.0.50727"])
                    key.restore()
                    commands = log.read_text().splitlines()
                    # export, delete, add the key, add the subkey, delete, import
                    self.assertEqual(len(commands), 6, commands)
                    for command in commands:
                        self.assertTrue(command.startswith("reg "), command)
                        self.assertTrue(command.endswith(f" /reg:{bits}"), command)
            self.assertRaises(harness.Failure, harness.registry_view, 16)


def trace_line(thread, path):
    path = path.replace("\\", "\\\\")
    return f'{thread}:trace:loaddll:build_module Loaded L"{path}" at 0000000140000000: builtin'


class LoadedLibraries(unittest.TestCase):
    def test_counts_only_what_the_program_itself_loaded(self):
        system = "C:\\windows\\system32\\"
        program = [trace_line("0024", "C:\\e2e\\Support Disc\\pelorin.exe"),
                   trace_line("0024", system + "kernel32.dll"),
                   trace_line("0024", system + "ADVAPI32.dll")]
        wineboot = [trace_line("002c", system + "wineboot.exe"),
                    trace_line("002c", system + "user32.dll")]
        child = [trace_line("00cc", "C:\\e2e\\Support Disc\\setup.exe"),
                 trace_line("00cc", system + "gdi32.dll")]
        cases = [("alone", program), ("before a child", program + child),
                 ("after the wineboot it started", wineboot + program + child),
                 ("between other lines", ["fixme:x", *program[:2], "err:y", program[2]])]
        for name, lines in cases:
            with self.subTest(name):
                self.assertEqual(launcher_e2e.loaded_by_program("\n".join(lines), "PELORIN.EXE"),
                                 {"pelorin.exe", "kernel32.dll", "advapi32.dll"})
        self.assertEqual(launcher_e2e.loaded_by_program("\n".join(wineboot), "pelorin.exe"),
                         set())


class Captures(unittest.TestCase):
    def test_parses_the_header_with_any_white_space(self):
        pixels = bytes(range(18))
        for header in (b"P6 3 2 255\n", b"P6\n3  2\n255\n", b"P6\t3\n2\r255\n"):
            with self.subTest(header=header):
                screen = harness.parse_ppm(header + pixels)
                self.assertEqual((screen.width, screen.height), (3, 2))
                self.assertEqual(screen.at(2, 1), (15, 16, 17))
                self.assertEqual(screen.rows(1, 0, 2, 1), [[(3, 4, 5), (6, 7, 8)]])

    def test_refuses_other_formats_and_short_captures(self):
        for data in (b"P3 3 2 255\n" + bytes(18), b"P6 3 2 65535\n" + bytes(36),
                     b"P6 3 2 255\n" + bytes(17)):
            with self.subTest(data=data[:12]):
                self.assertRaises(harness.Failure, harness.parse_ppm, data)

    def test_finds_colours_only_on_pixel_boundaries(self):
        # Row 0 holds the bytes 1 2 3 4 5 6 starting one byte into a pixel; row 1 holds them
        # as two whole pixels at x = 1.
        row0 = bytes([9, 1, 2, 3, 4, 5, 6, 9, 9])
        row1 = bytes([0, 0, 0, 1, 2, 3, 4, 5, 6])
        screen = harness.Screen(3, 2, row0 + row1)
        self.assertEqual(screen.find([(1, 2, 3), (4, 5, 6)]), (1, 1))
        self.assertIsNone(screen.find([(2, 3, 4)]))
        self.assertEqual(screen.count((0, 0, 3, 2), lambda colour: colour == (9, 9, 9)), 0)
        self.assertRaises(harness.Failure, screen.rows, 2, 0, 2, 1)


class Processes(unittest.TestCase):
    def setUp(self):
        patch = mock.patch.dict(os.environ, WINE="/bin/sh")
        patch.start()
        self.addCleanup(patch.stop)

    def test_gives_the_exit_code(self):
        with harness.WineProcess("-c", "exit 3") as process:
            self.assertEqual(process.wait(10), 3)
            self.assertEqual((process.poll(), process.returncode), (3, 3))

    def test_a_program_past_its_time_is_a_failure_and_is_ended(self):
        with harness.WineProcess("-c", "sleep 30") as process:
            with self.assertRaisesRegex(harness.Failure, "did not end within 0.2 s"):
                process.wait(0.2)
            self.assertTrue(process.running())
            self.assertIsNone(process.returncode)
        self.assertFalse(process.running())

    def test_wine_reports_a_failed_command(self):
        self.assertEqual(harness.wine("-c", "echo out", check_rc=False).stdout, "out\n")
        with self.assertRaisesRegex(harness.Failure, r"failed \(4\)"):
            harness.wine("-c", "exit 4")


class RunCase(unittest.TestCase):
    def test_reports_the_outcome_and_always_cleans_up(self):
        def fail():
            raise harness.Failure("no window")

        for body, code, printed in ((lambda: None, 0, "passed case"),
                                    (fail, 1, "FAILED case: no window")):
            with self.subTest(code=code):
                cleaned, out, err = [], io.StringIO(), io.StringIO()
                with contextlib.redirect_stdout(out), contextlib.redirect_stderr(err):
                    self.assertEqual(harness.run_case("case", body, [lambda: cleaned.append(1)]),
                                     code)
                self.assertIn(printed, out.getvalue() + err.getvalue())
                self.assertEqual(cleaned, [1])

    def test_an_unexpected_error_still_cleans_up(self):
        cleaned = []
        with self.assertRaises(KeyError):
            harness.run_case("case", lambda: {}["missing"], [lambda: cleaned.append(1)])
        self.assertEqual(cleaned, [1])


if __name__ == "__main__":
    unittest.main()
