"""Checks a vendor's branding of the exe and writes what the resource script
includes: version_strings.rc (the StringFileInfo values) and icon.rc (the
icon, or nothing). Run by CMake at configure time; a bad value stops the
build with a message on stderr and exit code 1.

    branding.py OUT_DIR [--icon FILE.ico | --icon-from PROGRAM.exe]
                [--string KEY=VALUE ...]

An empty value keeps the default string, or leaves an optional one out.
"""

import argparse
import os
import pathlib
import shutil
import struct
import subprocess
import sys

DEFAULTS = {
    "FileDescription": "Starts ORVA.EXE from its own folder",
    "InternalName": "orvalaunch",
    "OriginalFilename": "orvalaunch.exe",
    "ProductName": "orvalaunch",
}
# What a vendor may set; CompanyName and LegalCopyright are there only then.
BRANDABLE = ("CompanyName", "FileDescription", "LegalCopyright", "OriginalFilename",
             "ProductName", "ProductVersion")
# The whole version resource counts its bytes in 16 bits; six values of this
# many UTF-16 units stay well inside that.
MAX_UNITS = 4096
FORBIDDEN_IN_FILE_NAMES = '\\/:*?"<>|'
RT_GROUP_ICON = 14


class BadBranding(Exception):
    pass


def checked_text(key, raw):
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError:
        raise BadBranding(f"{key}: not UTF-8 text") from None
    bad = [c for c in text if ord(c) < 0x20 or 0x7F <= ord(c) < 0xA0]
    if bad:
        raise BadBranding(f"{key}: control character U+{ord(bad[0]):04X}"
                          " cannot go into a version string")
    units = len(text.encode("utf-16-le")) // 2
    if units > MAX_UNITS:
        raise BadBranding(f"{key}: {units} characters; a version string holds"
                          f" at most {MAX_UNITS}")
    if key == "OriginalFilename" and any(c in FORBIDDEN_IN_FILE_NAMES for c in text):
        raise BadBranding(f"{key}: {text!r} is not a file name"
                          f" (no {' '.join(FORBIDDEN_IN_FILE_NAMES)})")
    return text


def rc_string(text):
    """A resource script string: a quote doubled, a backslash escaped."""
    return '"' + text.replace("\\", "\\\\").replace('"', '""') + '"'


def version_strings(pairs, version):
    """All values, in the order of their keys, as resource script lines."""
    values = dict(DEFAULTS, FileVersion=version, ProductVersion=version)
    for pair in pairs:
        key, _, value = pair.partition(b"=")
        key = key.decode("ascii", "replace")
        if key not in BRANDABLE:
            raise BadBranding(f"{key} is not a version string a vendor sets")
        if value:
            values[key] = checked_text(key, value)
    return "".join(f"      VALUE {rc_string(key)}, {rc_string(value)}\n"
                   for key, value in sorted(values.items()))


def check_ico(data, what):
    """An .ico file: a header, a directory, and every image inside the file."""
    if len(data) < 6:
        raise BadBranding(f"{what}: not an .ico file")
    reserved, kind, count = struct.unpack_from("<HHH", data)
    if reserved != 0 or kind != 1 or count == 0 or len(data) < 6 + 16 * count:
        raise BadBranding(f"{what}: not an .ico file")
    for i in range(count):
        size, offset = struct.unpack_from("<II", data, 6 + 16 * i + 8)
        if size == 0 or offset + size > len(data):
            raise BadBranding(f"{what}: image {i + 1} of the .ico file is cut off")


def read_file(path, what):
    try:
        return pathlib.Path(path).read_bytes()
    except FileNotFoundError:
        raise BadBranding(f"{what} {path}: no such file") from None
    except OSError as error:
        raise BadBranding(f"{what} {path}: cannot be read ({error.strerror})") from None


def icon_of_program(path):
    """The first icon group of a Windows program, as an .ico file, taken out
    by icoutils' wrestool."""
    if read_file(path, "--icon-from")[:2] != b"MZ":
        raise BadBranding(f"--icon-from {path}: not a Windows program")
    if not shutil.which("wrestool"):
        raise BadBranding("--icon-from needs wrestool (Debian package icoutils)")
    listed = subprocess.run(["wrestool", "--list", f"--type={RT_GROUP_ICON}", path],
                            capture_output=True, text=True, check=False)
    names = [part.split("=", 1)[1] for line in listed.stdout.splitlines()
             for part in line.split() if part.startswith("--name=")]
    if listed.returncode != 0 or listed.stderr or not names:
        raise BadBranding(f"--icon-from {path}: the program has no icon"
                          + (f" ({listed.stderr.strip()})" if listed.stderr else ""))
    extracted = subprocess.run(
        ["wrestool", "--extract", f"--type={RT_GROUP_ICON}", f"--name={names[0]}", path],
        capture_output=True, check=False)
    check_ico(extracted.stdout, f"--icon-from {path}")
    return extracted.stdout


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out_dir")
    parser.add_argument("--version", required=True)
    parser.add_argument("--icon", default="")
    parser.add_argument("--icon-from", default="")
    # Bytes as they were given, so that text that is not UTF-8 can be named.
    parser.add_argument("--string", action="append", default=[], type=os.fsencode)
    args = parser.parse_args()
    out = pathlib.Path(args.out_dir)
    try:
        if args.icon and args.icon_from:
            raise BadBranding("give an icon file or a program to take it from, not both")
        icon = None
        if args.icon:
            icon = read_file(args.icon, "--icon")
            check_ico(icon, f"--icon {args.icon}")
        elif args.icon_from:
            icon = icon_of_program(args.icon_from)
        strings = version_strings(args.string, args.version)
    except BadBranding as error:
        print(f"branding: {error}", file=sys.stderr)
        return 1
    out.mkdir(parents=True, exist_ok=True)
    (out / "version_strings.rc").write_text(strings, encoding="utf-8")
    icon_rc = ""
    if icon is not None:
        (out / "icon.ico").write_bytes(icon)
        # Group 1, the icon Explorer shows for the file.
        icon_rc = f'1 ICON "{out / "icon.ico"}"\n'
    (out / "icon.rc").write_text(icon_rc, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
