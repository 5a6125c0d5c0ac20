"""Checks the traits of the shipped exe: PE32 for i386, GUI subsystem, ASLR
and DEP flags, imports from KERNEL32, USER32 and SHELL32 only, and its size.

    check_exe.py OBJDUMP EXE MAX_BYTES
"""

import os
import re
import subprocess
import sys

ALLOWED_DLLS = {"KERNEL32.DLL", "USER32.DLL", "SHELL32.DLL"}
DYNAMIC_BASE, NX_COMPAT = 0x0040, 0x0100


def main(objdump, exe, max_bytes):
    headers = subprocess.run([objdump, "-p", exe], capture_output=True, text=True,
                             check=True).stdout
    problems = []

    def field(name):
        found = re.search(rf"^{name}\s+(\S+)", headers, re.M)
        return found.group(1) if found else ""

    if "file format pei-i386" not in headers:
        problems.append("not a PE image for i386")
    if field("Magic") != "010b":
        problems.append(f"optional header magic {field('Magic')}, not PE32 (010b)")
    if field("Subsystem") != "00000002":
        problems.append(f"subsystem {field('Subsystem')}, not Windows GUI (2)")
    flags = int(field("DllCharacteristics") or "0", 16)
    for name, bit in (("DYNAMIC_BASE", DYNAMIC_BASE), ("NX_COMPAT", NX_COMPAT)):
        if not flags & bit:
            problems.append(f"{name} not set")
    dlls = {d.upper() for d in re.findall(r"DLL Name: (\S+)", headers)}
    if dlls - ALLOWED_DLLS:
        problems.append(f"imports from {sorted(dlls - ALLOWED_DLLS)}")
    size = os.path.getsize(exe)
    if size > max_bytes:
        problems.append(f"{size} bytes, over the budget of {max_bytes}")
    for problem in problems:
        print("FAILED ", problem)
    print(f"{exe}: {size} bytes, imports {sorted(dlls)}, DllCharacteristics {flags:#06x}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], int(sys.argv[3])))
