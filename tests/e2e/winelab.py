"""Running the launcher under Wine with exact bytes, and reading what the
recording ORVA.EXE stand-in wrote. Shared by the end-to-end cases and the demo."""

import contextlib
import os
import pathlib
import shutil
import subprocess
import tempfile

# Wine takes the ANSI code page from LC_CTYPE and the user locale from LANG.
LOCALE_OF = {932: "ja_JP.UTF-8", 936: "zh_CN.UTF-8", 949: "ko_KR.UTF-8",
             950: "zh_TW.UTF-8", 1252: "en_US.UTF-8"}
CODEC_OF = {932: "cp932", 936: "gbk", 949: "cp949", 950: "cp950", 1252: "cp1252"}


def prefix():
    return pathlib.Path(os.environ["WINEPREFIX"])


def unix_path(windows_path):
    """C:\\a\\b as the file Wine keeps it in (names in UTF-8)."""
    drive, _, rest = windows_path.partition(":")
    root = prefix() / "dosdevices" / (drive.lower() + ":")
    return root.joinpath(*[p for p in rest.split("\\") if p])


def wine_env(code_page, user_code_page=None):
    env = {k: v for k, v in os.environ.items()
           if not (k.startswith("LC_") or k in ("LANG", "LANGUAGE"))}
    env["LANG"] = LOCALE_OF[user_code_page or code_page]
    env["LC_CTYPE"] = LOCALE_OF[code_page]
    return env


def ensure_prefix():
    """The project's own prefix, made once; never the user's ~/.wine. Quiet,
    and without the Mono and Gecko installers a new prefix would start.
    WINEARCH says which: win32, or win64, where 32-bit programs run under
    WoW64 as on most users' Windows."""
    os.environ.update(WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    if not (prefix() / "system.reg").exists():
        prefix().mkdir(parents=True, exist_ok=True)
        arch = os.environ.setdefault("WINEARCH", "win32")
        print(f"creating {arch} Wine prefix {prefix()}", flush=True)
        # Debian keeps the 64-bit loader, which makes a 64-bit prefix, off PATH.
        loader = "wine" if arch == "win32" else (
            shutil.which("wine64") or "/usr/lib/wine/wine64")
        subprocess.run([loader, "wineboot", "--init"], check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], check=False)


@contextlib.contextmanager
def warm_wineserver():
    """One wineserver kept running across many starts, stopped whatever
    happens."""
    subprocess.run(["wineserver", "-p"], check=True)
    try:
        yield
    finally:
        subprocess.run(["wineserver", "-k"], check=False)


def hex_or_dash(data):
    return data.hex() if data else "-"


def start(starter, command_line, application, directory, path_head, env):
    """Runs command_line through the job-object starter: as exact ANSI bytes,
    or given as text through CreateProcessW (application and directory then
    text too). Returns (exit code, processes that ran, microseconds from
    start to the last end) once everything started has ended."""
    wide = isinstance(command_line, str)
    if wide:
        command_line, application, directory = (
            t.encode("utf-16-le") if t else None for t in (command_line, application, directory))
    # Output to a file, not a pipe: Wine's own background processes inherit
    # it and would hold a pipe open long after the starter has ended.
    with tempfile.TemporaryFile() as out:
        subprocess.run(
            ["wine", starter] + (["--wide"] if wide else []) +
            [command_line.hex(), hex_or_dash(application),
             hex_or_dash(directory), hex_or_dash(path_head)],
            env=env, stdout=out, stderr=subprocess.DEVNULL, timeout=120, check=False)
        out.seek(0)
        text = out.read().decode("ascii", "replace").strip()
    fields = dict(part.split("=", 1) for part in text.split() if "=" in part)
    if "exit" not in fields:
        raise RuntimeError("starter said: " + text)
    return int(fields["exit"]), int(fields["processes"]), int(fields["microseconds"])


def read_report(report_file, codec):
    """What ORVA.EXE received: its ANSI command line (bytes), working
    directory and own path (text)."""
    fields = {}
    for line in report_file.read_text("ascii").splitlines():
        key, _, value = line.partition(" ")
        fields[key] = bytes.fromhex(value)
    return {"commandline": fields["commandline"],
            "cwd": fields["cwd"].decode("utf-8"),
            "self": fields["self"].decode("utf-8"),
            "codec": codec}
