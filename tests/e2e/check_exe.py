"""Checks the traits of the shipped exe: PE32 for i386, GUI subsystem, ASLR
and DEP, no section both writable and executable, no link time or build path
inside, imports from KERNEL32 and USER32 only (SHELL32 is loaded at run
time), the manifest and version resources, and the size budget.

    check_exe.py OBJDUMP EXE MAX_BYTES VERSION BUILD_PATH...
"""

import os
import re
import struct
import subprocess
import sys

DYNAMIC_BASE, NX_COMPAT = 0x0040, 0x0100
MEM_EXECUTE, MEM_WRITE = 0x20000000, 0x80000000


def sections(image):
    """(name, raw bytes, characteristics) of each section, with the file
    header fields the checks need."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    machine, count, stamp = struct.unpack_from("<HHI", image, pe + 4)
    optional_size = struct.unpack_from("<H", image, pe + 20)[0]
    table = pe + 24 + optional_size
    found = []
    for i in range(count):
        name, _, _, raw_size, raw_at, _, _, _, _, flags = struct.unpack_from(
            "<8sIIIIIIHHI", image, table + 40 * i)
        found.append((name.rstrip(b"\0").decode(), image[raw_at:raw_at + raw_size], flags))
    return machine, stamp, found


def main(objdump, exe, max_bytes, version, build_paths):
    image = open(exe, "rb").read()
    headers = subprocess.run([objdump, "-p", exe], capture_output=True, text=True,
                             check=True).stdout
    machine, stamp, found = sections(image)
    rsrc = b"".join(data for name, data, _ in found if name == ".rsrc")
    problems = []

    def field(name):
        match = re.search(rf"^{name}\s+(\S+)", headers, re.M)
        return match.group(1) if match else ""

    def utf16(text):
        return text.encode("utf-16-le")

    if machine != 0x14C or field("Magic") != "010b":
        problems.append("not PE32 for i386")
    if field("Subsystem") != "00000002":
        problems.append(f"subsystem {field('Subsystem')}, not Windows GUI (2)")
    flags = int(field("DllCharacteristics") or "0", 16)
    for name, bit in (("DYNAMIC_BASE", DYNAMIC_BASE), ("NX_COMPAT", NX_COMPAT)):
        if not flags & bit:
            problems.append(f"{name} not set")
    for name, _, characteristics in found:
        if characteristics & MEM_WRITE and characteristics & MEM_EXECUTE:
            problems.append(f"section {name} is writable and executable")
    if stamp != 0:
        problems.append(f"link time {stamp} in the header")
    for path in build_paths:
        if path.encode() in image or utf16(path) in image:
            problems.append(f"build path {path} inside")
    dlls = {d.upper() for d in re.findall(r"DLL Name: (\S+)", headers)}
    if dlls != {"KERNEL32.DLL", "USER32.DLL"}:
        problems.append(f"imports from {sorted(dlls)}, not KERNEL32 and USER32")
    if b'requestedExecutionLevel level="asInvoker"' not in rsrc:
        problems.append("no manifest asking asInvoker")
    if b"activeCodePage" in rsrc:
        problems.append("manifest sets activeCodePage")
    for key, value in (("OriginalFilename", "orvalaunch.exe"), ("FileVersion", version),
                       ("ProductName", "orvalaunch")):
        if utf16(key) not in rsrc or utf16(value) not in rsrc:
            problems.append(f"VERSIONINFO lacks {key} {value}")
    size = os.path.getsize(exe)
    if size > max_bytes:
        problems.append(f"{size} bytes, over the budget of {max_bytes}")
    for problem in problems:
        print("FAILED ", problem)
    print(f"{exe}: {size} bytes, imports {sorted(dlls)}, DllCharacteristics {flags:#06x}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4], sys.argv[5:]))
