"""The program as it ships: bin/ holds the program, its browser helper and its sound module; none
of them holds a path of the source or build tree where it is loaded, nor loads a library from
there. A copy of bin/ started with both trees out of sight (a mount namespace of its own with an
empty folder over each) shows its table and plays an alarm's sound with its own module."""
import os
import struct
import subprocess
import unittest
import wave

from harness import BINARY, SHIPPED, SOURCE, DisplayTestCase, Program, cp1252, wait_for
from test_views_and_search import pixels_of, screenshot_of_table, write_fixture

SHF_ALLOC = 0x2
SHT_NOBITS = 8
BUILD = os.path.dirname(os.path.dirname(os.path.realpath(BINARY)))


def trees():
    """The source tree and the build tree, whichever holds the other given once."""
    source = os.path.realpath(SOURCE)
    return [source] if BUILD.startswith(source + os.sep) else [source, BUILD]


def loaded_bytes(path):
    """The bytes of every section of a 64-bit little-endian ELF file that is loaded into memory
    (code, constants, data, the dynamic section's strings); debugging sections are not."""
    with open(path, "rb") as elf:
        data = elf.read()
    assert data[:6] == b"\x7fELF\x02\x01", f"{path} is not a 64-bit little-endian ELF file"
    section_table, = struct.unpack_from("<Q", data, 0x28)
    entry_size, count = struct.unpack_from("<HH", data, 0x3A)
    loaded = []
    for i in range(count):
        _, kind, flags, _, offset, size = struct.unpack_from("<IIQQQQ", data, section_table + i * entry_size)
        if flags & SHF_ALLOC and kind != SHT_NOBITS:
            loaded.append(data[offset:offset + size])
    return b"".join(loaded)


def process_of(executable):
    """The id of the running process of this executable file, or None."""
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            if os.readlink(f"/proc/{pid}/exe") == executable:
                return int(pid)
        except OSError:
            continue
    return None


def mapped_files(pid):
    with open(f"/proc/{pid}/maps") as maps:
        return {line.split(None, 5)[5].strip() for line in maps if len(line.split(None, 5)) == 6}


def write_sound(path):
    """A tenth of a second of silence as a WAV file."""
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(8000)
        out.writeframes(b"\0\0" * 800)


class ShippedFilesEndToEnd(DisplayTestCase):
    def test_no_shipped_file_holds_or_loads_a_path_of_the_trees(self):
        folder = os.path.dirname(os.path.realpath(BINARY))
        for name in SHIPPED:
            path = os.path.join(folder, name)
            loaded = loaded_bytes(path)
            for tree in trees():
                # As bytes and as the toolkit's UTF-16 string literals.
                for encoding in ("utf-8", "utf-16-le"):
                    self.assertFalse(tree.encode(encoding) in loaded, f"{name} holds a path under {tree} ({encoding})")
            linked = subprocess.run(["ldd", path], capture_output=True, text=True, timeout=30).stdout
            for tree in trees():
                self.assertNotIn(tree, linked, f"{name} loads a library from {tree}")

    def test_a_copied_bin_folder_shows_its_table_and_plays_with_the_trees_out_of_sight(self):
        folder = self.own_folder("shipped")
        write_fixture(folder)
        sound = os.path.join(folder, "h\u00e4lytys #1.wav")  # a name the sound backend once failed on
        write_sound(sound)
        # Due five minutes before its programme, so at the start: it plays its sound at once.
        with open(os.path.join(folder, "QEX.ALS"), "wb") as out:
            out.write(cp1252("11.2.2026 (KE)\r\nTV1\r\n10:03\r\nAamun uutiset\r\n\r\nUutisia.\r\n"
                             f"#NRM #SHD:Normaali ilmoitus n\u00e4yt\u00f6lle #WV:\"{sound}\" \r\n\r\n"))
        hide = " && ".join(f"mount -t tmpfs none '{tree}'" for tree in trees())
        wrapper = ["unshare", "--mount", "--propagation", "private", "sh", "-c", f'{hide} && exec "$@"', "hidden"]
        program = Program(self.display, folder, fake_time="2026-02-11 10:00:00", wrapper=wrapper)
        self.addCleanup(program.kill)
        window = program.wait_window("^QEX 2000 - Keskiviikko")
        pid = wait_for(lambda: process_of(os.path.join(folder, "qex")), 20, "the program's process")
        # What the program sees at the trees' places: empty folders.
        for tree in trees():
            self.assertEqual(os.listdir(f"/proc/{pid}/root{tree}"), [], f"{tree} is in the program's sight")

        shot = screenshot_of_table(program, self.shot_path("qex-copied-table.png"), timeout=30)
        self.assertTrue(pixels_of(shot, (0x00, 0x00, 0x80)), "no table (its navy channel headers) in the window")

        program.wait_window("^TV1: 10:03 Aamun uutiset", timeout=20)
        module = os.path.join(folder, "libqex_media.so")
        wait_for(lambda: module in mapped_files(pid), 20, "the sound module beside the program to be loaded")
        self.assertFalse(any(title == "Varoitus" for title in program.titles()), "the sound was not played")
        self.assertTrue(program.title(window).startswith("QEX 2000"))


if __name__ == "__main__":
    unittest.main()
