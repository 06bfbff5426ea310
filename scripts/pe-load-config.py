#!/usr/bin/env python3
"""Points a PE32+ executable's load-configuration directory at the structure
named _load_config_used, as the linkers of other toolchains do on their own;
GNU ld 2.40, which the Windows build uses here, leaves the directory empty.
The address comes from the link map, the size from the structure's first
field, and the header's checksum is made anew.

usage: pe-load-config.py EXECUTABLE LINK_MAP
"""
import re
import struct
import sys

executable, link_map = sys.argv[1:3]
with open(link_map, encoding="utf-8", errors="replace") as f:
    found = re.search(r"^\s+0x([0-9a-f]+)\s+_load_config_used\s*$", f.read(), re.M)
if not found:
    sys.exit(f"{link_map}: no _load_config_used")
with open(executable, "rb") as f:
    image = bytearray(f.read())

header = struct.unpack_from("<I", image, 0x3C)[0]
sections, optional_size = struct.unpack_from("<H12xH", image, header + 6)
optional = header + 24
if struct.unpack_from("<H", image, optional)[0] != 0x20B:
    sys.exit(f"{executable}: not PE32+")
rva = int(found.group(1), 16) - struct.unpack_from("<Q", image, optional + 24)[0]


def file_offset(address):
    for n in range(sections):
        size, start, raw_size, raw_start = struct.unpack_from(
            "<IIII", image, optional + optional_size + 40 * n + 8)
        if start <= address < start + min(size, raw_size):
            return raw_start + address - start
    sys.exit(f"{executable}: no section holds RVA {address:#x}")


size = struct.unpack_from("<I", image, file_offset(rva))[0]
load_config_entry = optional + 112 + 10 * 8
struct.pack_into("<II", image, load_config_entry, rva, size)

# The checksum: the file's 16-bit words summed with their carries folded
# back, the checksum field left out, plus the file's length.
struct.pack_into("<I", image, optional + 64, 0)
total = 0
for (word,) in struct.iter_unpack("<H", image + b"\0" * (len(image) % 2)):
    total += word
    total = (total & 0xFFFF) + (total >> 16)
struct.pack_into("<I", image, optional + 64, (total + len(image)) & 0xFFFFFFFF)
with open(executable, "wb") as f:
    f.write(image)
