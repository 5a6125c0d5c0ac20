"""Checks the traits of the shipped exe, read with pefile: PE32 for i386, GUI
subsystem loadable on Windows XP SP3 (5.01), ASLR and DEP, no section both
writable and executable, no link time or build path inside, imports from
KERNEL32 and USER32 only (SHELL32 is loaded at run time), the manifest, the
version strings, the icon where one is expected, and the size budget. Prints
the size by section.

    check_exe.py EXE --max-bytes N [--expect KEY=VALUE ...] [--icon FILE.ico]
                 [--build-path PATH ...]

--expect KEY= says the version strings must not have KEY. Without --icon the
exe must have no icon; with it, its first icon group must hold the images of
that .ico file.
"""

import argparse
import struct
import sys

import pefile

MEM_EXECUTE, MEM_WRITE = 0x20000000, 0x80000000
RT_ICON, RT_GROUP_ICON, RT_MANIFEST = 3, 14, 24


def resources(pe, type_id):
    """The data of every resource of a type, in directory order."""
    found = []
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return found
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id != type_id:
            continue
        for name in kind.directory.entries:
            for language in name.directory.entries:
                at, size = language.data.struct.OffsetToData, language.data.struct.Size
                found.append((name.id, pe.get_data(at, size)))
    return found


def version_strings(pe):
    strings = {}
    for info in pe.FileInfo[0] if hasattr(pe, "FileInfo") else []:
        for table in getattr(info, "StringTable", []):
            strings.update({k.decode("utf-8", "replace"): v.decode("utf-8", "replace")
                            for k, v in table.entries.items()})
    return strings


def icon_images(pe):
    """(width, image bytes) of each image of the first icon group; a group
    entry names its image by the id of an RT_ICON resource."""
    groups = resources(pe, RT_GROUP_ICON)
    if not groups:
        return []
    group, icons = groups[0][1], dict(resources(pe, RT_ICON))
    count = struct.unpack_from("<H", group, 4)[0]
    entries = [struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i) for i in range(count)]
    return sorted((e[0] or 256, icons.get(e[7], b"")) for e in entries)


def ico_images(data):
    """(width, image bytes) of each image of an .ico file."""
    count = struct.unpack_from("<H", data, 4)[0]
    entries = [struct.unpack_from("<BBBBHHII", data, 6 + 16 * i) for i in range(count)]
    return sorted((e[0] or 256, data[e[7]:e[7] + e[6]]) for e in entries)


def section_sizes(pe):
    """(name, bytes used, bytes in the file) of the headers and of each
    section; a section's use is its size in memory. The benchmark reports
    these too."""
    headers = pe.OPTIONAL_HEADER.SizeOfHeaders
    return [("headers", headers, headers)] + [
        (s.Name.rstrip(bytes(1)).decode(), s.Misc_VirtualSize, s.SizeOfRawData)
        for s in pe.sections]


def section_table(pe, size):
    line = ", ".join(f"{name} {used}/{raw}" for name, used, raw in section_sizes(pe))
    return f"{size} bytes: {line} (used/in file)"


def check(exe, max_bytes, expected, icon_file, build_paths):
    image = open(exe, "rb").read()
    pe = pefile.PE(data=image)
    opt = pe.OPTIONAL_HEADER
    problems = []

    if pe.FILE_HEADER.Machine != 0x14C or opt.Magic != 0x10B:
        problems.append("not PE32 for i386")
    if opt.Subsystem != 2:
        problems.append(f"subsystem {opt.Subsystem}, not Windows GUI (2)")
    for what, major, minor in (
            ("subsystem", opt.MajorSubsystemVersion, opt.MinorSubsystemVersion),
            ("OS", opt.MajorOperatingSystemVersion, opt.MinorOperatingSystemVersion)):
        if (major, minor) > (5, 1):
            problems.append(f"{what} version {major}.{minor}: Windows XP needs 5.01 at most")
    for name in ("IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE", "IMAGE_DLLCHARACTERISTICS_NX_COMPAT"):
        if not opt.DllCharacteristics & pefile.DLL_CHARACTERISTICS[name]:
            problems.append(f"{name} not set")
    for section in pe.sections:
        if section.Characteristics & MEM_WRITE and section.Characteristics & MEM_EXECUTE:
            problems.append(f"section {section.Name.rstrip(bytes(1)).decode()}"
                            " is writable and executable")
    if pe.FILE_HEADER.TimeDateStamp != 0:
        problems.append(f"link time {pe.FILE_HEADER.TimeDateStamp} in the header")
    for path in build_paths:
        if path.encode() in image or path.encode("utf-16-le") in image:
            problems.append(f"build path {path} inside")

    dlls = {entry.dll.decode().upper() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])}
    if dlls != {"KERNEL32.DLL", "USER32.DLL"}:
        problems.append(f"imports from {sorted(dlls)}, not KERNEL32 and USER32")

    manifests = resources(pe, RT_MANIFEST)
    manifest = manifests[0][1] if manifests and manifests[0][0] == 1 else b""
    if b'requestedExecutionLevel level="asInvoker"' not in manifest:
        problems.append("no manifest (id 1) asking asInvoker")
    if b"<supportedOS" not in manifest:
        problems.append("manifest names no supported OS")
    if b"activeCodePage" in manifest:
        problems.append("manifest sets activeCodePage")

    strings = version_strings(pe)
    for key, value in expected.items():
        if strings.get(key) != (value or None):
            problems.append(f"version string {key} is {strings.get(key)!r},"
                            f" not {value or None!r}")
    images = icon_images(pe)
    wanted = ico_images(open(icon_file, "rb").read()) if icon_file else []
    if images != wanted:
        problems.append(f"icon images of widths {[w for w, _ in images]},"
                        f" not {[w for w, _ in wanted]} as given")

    size = len(image)
    if size > max_bytes:
        problems.append(f"{size} bytes, over the budget of {max_bytes}")
    for problem in problems:
        print("FAILED ", problem)
    print(f"{exe}: {section_table(pe, size)}; imports {sorted(dlls)}")
    print("version strings: " + ", ".join(f"{k}={v!r}" for k, v in sorted(strings.items())))
    print(f"icon: {', '.join(f'{w}x{w}' for w, _ in images) or 'none'}")
    return 1 if problems else 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("exe")
    parser.add_argument("--max-bytes", type=int, required=True)
    parser.add_argument("--expect", action="append", default=[], metavar="KEY=VALUE")
    parser.add_argument("--icon", default="")
    parser.add_argument("--build-path", action="append", default=[])
    args = parser.parse_args()
    expected = dict(item.split("=", 1) for item in args.expect)
    return check(args.exe, args.max_bytes, expected, args.icon, args.build_path)


if __name__ == "__main__":
    sys.exit(main())
