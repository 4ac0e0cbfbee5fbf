#!/usr/bin/env python3
"""Prints the delay imports of a Windows program, one "library function" a
line (the library in lower case; "#N" for a function imported by ordinal),
for check_imports.sh: objdump -p lists only the ordinary import table.

The descriptors are found through the delay-import entry of the PE header's
data directory. GNU ld (2.40) leaves that entry empty for the libraries
dlltool makes, so where it is empty they are found by their symbols,
__DELAY_IMPORT_DESCRIPTOR_<library>, in the program's COFF symbol table. A
program with neither cannot be read: exit status 2, never an empty answer.

    delay_imports.py PROGRAM.exe
"""
import struct
import sys

DELAY_IMPORT_DIRECTORY = 13
DESCRIPTOR_SYMBOL = b"__DELAY_IMPORT_DESCRIPTOR_"


class Unreadable(Exception):
    pass


class Image:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise Unreadable("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise Unreadable("no PE header")
        (_, sections, _, self.symbols_at, self.symbol_count, optional_size, _) = struct.unpack_from(
            "<HHIIIHH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        if magic == 0x10B:
            self.pointer = 4
            self.image_base = struct.unpack_from("<I", data, optional + 28)[0]
            directories = optional + 96
        elif magic == 0x20B:
            self.pointer = 8
            self.image_base = struct.unpack_from("<Q", data, optional + 24)[0]
            directories = optional + 112
        else:
            raise Unreadable("optional header magic %#x" % magic)
        count = struct.unpack_from("<I", data, directories - 4)[0]
        self.delay_directory = (0, 0)
        if count > DELAY_IMPORT_DIRECTORY:
            self.delay_directory = struct.unpack_from("<II", data, directories + 8 * DELAY_IMPORT_DIRECTORY)
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            (virtual_size, address, raw_size, raw_at) = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((address, max(virtual_size, raw_size), raw_at, raw_size))

    def offset(self, rva):
        for address, size, raw_at, raw_size in self.sections:
            if address <= rva < address + size:
                if rva - address >= raw_size:
                    raise Unreadable("RVA %#x lies in no file data" % rva)
                return raw_at + rva - address
        raise Unreadable("RVA %#x lies in no section" % rva)

    def u32(self, rva):
        return struct.unpack_from("<I", self.data, self.offset(rva))[0]

    def pointer_at(self, rva):
        return struct.unpack_from("<I" if self.pointer == 4 else "<Q", self.data, self.offset(rva))[0]

    def text(self, rva):
        start = self.offset(rva)
        end = self.data.index(b"\0", start)
        return self.data[start:end].decode("ascii")

    def descriptor_symbols(self):
        """RVAs of the descriptors named in the COFF symbol table."""
        if not self.symbols_at or not self.symbol_count:
            raise Unreadable("its delay-import directory entry is empty and it has no symbol table")
        strings = self.symbols_at + 18 * self.symbol_count
        found = []
        i = 0
        while i < self.symbol_count:
            at = self.symbols_at + 18 * i
            raw_name, value, section, _, _, aux = struct.unpack_from("<8sIhHBB", self.data, at)
            if raw_name[:4] == b"\0\0\0\0":
                name_at = strings + struct.unpack_from("<I", raw_name, 4)[0]
                name = self.data[name_at:self.data.index(b"\0", name_at)]
            else:
                name = raw_name.rstrip(b"\0")
            if name.startswith(DESCRIPTOR_SYMBOL) and section > 0:
                found.append(self.sections[section - 1][0] + value)
            i += 1 + aux
        return found

    def descriptors(self):
        rva, size = self.delay_directory
        if rva:
            at = rva
            while True:
                fields = struct.unpack_from("<8I", self.data, self.offset(at))
                if not any(fields):
                    return
                yield fields
                at += 32
        else:
            for at in self.descriptor_symbols():
                yield struct.unpack_from("<8I", self.data, self.offset(at))

    def imports(self):
        for attributes, name, _, _, names, _, _, _ in self.descriptors():
            # Attribute bit 0 set: the fields are RVAs; clear (the oldest
            # linkers): addresses in the image.
            rva = (lambda a: a) if attributes & 1 else (lambda a: a - self.image_base)
            library = self.text(rva(name)).lower()
            ordinal_flag = 1 << (8 * self.pointer - 1)
            at = rva(names)
            while True:
                entry = self.pointer_at(at)
                if entry == 0:
                    break
                if entry & ordinal_flag:
                    yield library, "#%d" % (entry & 0xFFFF)
                else:
                    yield library, self.text(rva(entry) + 2)  # after the hint
                at += self.pointer


def main(argv):
    if len(argv) != 2:
        print("usage: delay_imports.py PROGRAM", file=sys.stderr)
        return 2
    try:
        with open(argv[1], "rb") as f:
            image = Image(f.read())
        for library, function in image.imports():
            print(library, function)
    except (Unreadable, OSError, struct.error, ValueError, IndexError) as e:
        print("delay_imports: %s: %s" % (argv[1], e), file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
