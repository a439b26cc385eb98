"""Reads what the release tests check in a Windows program file, from its
bytes alone: the machine, the header's time stamp and check sum, the
libraries it imports, and the resources by (type, id), with the version
resource's numbers and texts."""
import re
import struct

RT_VERSION = 16
RT_MANIFEST = 24


class PeFile:
    def __init__(self, data):
        self.data = data
        assert data[:2] == b"MZ", "not a program file"
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        assert data[pe:pe + 4] == b"PE\0\0", "no PE signature"
        self.machine, sections, self.time_stamp = struct.unpack_from("<HHI", data, pe + 4)
        optional_size = struct.unpack_from("<H", data, pe + 20)[0]
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        self.checksum_offset = optional + 64
        self.check_sum = struct.unpack_from("<I", data, self.checksum_offset)[0]
        directories = optional + (112 if magic == 0x20B else 96)
        self.resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
        self.import_rva = struct.unpack_from("<I", data, directories + 1 * 8)[0]
        self.delay_import_rva = struct.unpack_from("<I", data, directories + 13 * 8)[0]
        table = optional + optional_size
        self.sections = [struct.unpack_from("<8sIIII", data, table + 40 * i) for i in range(sections)]

    def offset(self, rva):
        for _, virtual_size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw + rva - address
        raise AssertionError("address %#x lies in no section" % rva)

    def computed_check_sum(self):
        """The check sum as the system computes it: 16-bit sums of the file
        with the check sum field taken as 0, folded, plus the file's length."""
        data = self.data + b"\0" * (len(self.data) % 2)
        words = struct.unpack("<%dH" % (len(data) // 2), data)
        total = sum(words) - (self.check_sum & 0xFFFF) - (self.check_sum >> 16)
        while total >> 16:
            total = (total & 0xFFFF) + (total >> 16)
        return total + len(self.data)

    def imports(self):
        """The names of the libraries the loader binds at start, then of
        those it binds at their first call (delay-loaded)."""
        return self._library_names(self.import_rva, 20, 12), self._library_names(self.delay_import_rva, 32, 4)

    def _library_names(self, rva, entry_size, name_at):
        names = []
        at = self.offset(rva) if rva else None
        while at is not None and any(self.data[at:at + entry_size]):
            name = self.offset(struct.unpack_from("<I", self.data, at + name_at)[0])
            names.append(self.data[name:self.data.index(b"\0", name)].decode("ascii"))
            at += entry_size
        return names

    def resources(self):
        """{(type, id): bytes} of the resources whose type and name are numbers,
        in their first language."""
        base = self.offset(self.resource_rva)
        found = {}
        for type_id, type_dir in self._entries(base, base):
            for name_id, name_dir in self._entries(base, type_dir):
                _, language = next(iter(self._entries(base, name_dir)))
                rva, size = struct.unpack_from("<II", self.data, language)
                found[(type_id, name_id)] = self.data[self.offset(rva):self.offset(rva) + size]
        return found

    def _entries(self, base, directory):
        named, numbered = struct.unpack_from("<HH", self.data, directory + 12)
        for i in range(named + numbered):
            name, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
            if name & 0x80000000:
                continue  # named by a string (the sounds' type "WAVE"): not read here
            yield name, base + (target & 0x7FFFFFFF)


def version_numbers(block):
    """(major, minor, build, revision) of the fixed part of a version resource."""
    at = block.find(struct.pack("<I", 0xFEEF04BD))
    assert at >= 0, "no fixed file information"
    most, least = struct.unpack_from("<II", block, at + 8)
    return most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF


def version_texts(block):
    """The name and value pairs of the version resource's string table."""
    text = block.decode("utf-16-le", errors="replace")
    pairs = re.findall(r"(FileDescription|FileVersion|InternalName|OriginalFilename|ProductName|ProductVersion)"
                       r"\x00+([^\x00]+)", text)
    return dict(pairs)
