"""End-to-end cases: the shipped exe under Wine, in real code pages, started
with exact command lines; each case checks which ORVA.EXE ran, with what,
where, and the launcher's exit code. A launcher in a folder that the code
page cannot spell is started through CreateProcessW, and must reach the
ORVA.EXE beside it by the folder's 8.3 form, never a look-alike folder.

    run_cases.py BUILD_DIR LAUNCHER_EXE [CASE_NAME_SUBSTRING]
"""

import dataclasses
import shutil
import sys

import winelab

ROOT = "C:\\e2e"


@dataclasses.dataclass
class Case:
    name: str
    args: str = ""                 # the command line after the program-name field
    params: str = None             # expected parameter line; None: nothing may run
    code_page: int = 1252
    user_code_page: int = None     # user locale apart from the code page
    folder: str = "Launcher"       # the launcher's folder, below the case folder
    exe: str = "orvalaunch.exe"
    program: str = '"{launcher}"'  # the program-name field
    start: str = "full"            # "full" path, "search" path, or a path from the cwd
    cwd: str = "Elsewhere"
    plant: tuple = ()              # more stand-ins, that must not run
    companion: bool = True         # an ORVA.EXE beside the launcher
    drive: str = None              # the launcher sits at the root of this drive
    raw_args: bytes = None         # args as bytes, when no text says them


LONG = "\\".join(["日本語のフォルダ名"] * 16)
LONG_ANCESTORS = tuple("\\".join(["日本語のフォルダ名"] * n) for n in range(0, 16))

CASES = [
    # The parameter line: every switch always there, arguments 5 and up dropped.
    Case("one argument", "a", "a /J /O /D:"),
    Case("two arguments", "a b", "a /Jb /O /D:"),
    Case("four arguments", "alpha beta gamma delta", "alpha /Jbeta /Ogamma /D:delta"),
    Case("six arguments", "1 2 3 4 fifth sixth", "1 /J2 /O3 /D:4"),
    # Splitting as it reaches ORVA.EXE.
    Case("quoted words", '"two words" x', "two words /Jx /O /D:"),
    Case("dropped pair", 'x "" y', "x /Jy /O /D:"),
    Case("quotes inside a word", 'ab"c d"e f', "abc de /Jf /O /D:"),
    Case("unclosed quote", 'a "b c', "a /Jb c /O /D:"),
    Case("no backslash escapes", 'a\\"b c\\" d', "a\\b c\\ /Jd /O /D:"),
    Case("tabs and control bytes", raw_args=b"a\tb\x01c\x1fd\x0be",
         params="a /Jb /Oc /D:d"),
    # The program-name field in its forms.
    Case("unquoted program name", "a", "a /J /O /D:", program="{launcher}"),
    Case("program name by relative path", "a b", "a /Jb /O /D:",
         program="..\\Launcher\\orvalaunch.exe", start="..\\Launcher\\orvalaunch.exe"),
    Case("lone pair as program name", "x y", "y /J /O /D:", program='""'),
    Case("quoted program name glued to a word", "b", "b /J /O /D:",
         program='"{launcher}"a'),
    # Nothing to launch, or nothing there to launch.
    Case("no arguments"),
    Case("only dropped arguments", '"" \t ""'),
    Case("ORVA.EXE missing", "a b", companion=False),
    # Started from elsewhere: file and working directory from the launcher's place.
    Case("started through the search path", "a", "a /J /O /D:",
         program="orvalaunch", start="search"),
    Case("started from its own folder", "a", "a /J /O /D:", cwd="Launcher",
         program="orvalaunch.exe", start="orvalaunch.exe"),
    Case("renamed launcher", "a", "a /J /O /D:", exe="start orva.exe"),
    Case("launcher at a drive root", "a b", "a /Jb /O /D:", drive="r", folder=""),
    # Double-byte names whose second byte is 0x5C, in their code pages.
    Case("932 folder and file with 0x5C trail bytes", '"表 示" ソ', "表 示 /Jソ /O /D:",
         code_page=932, folder="ソフト\\表示ソ", exe="予.exe", plant=("ソフト",)),
    Case("932 folder ending in ソ", "a", "a /J /O /D:", code_page=932,
         folder="予\\ソ", plant=("予",)),
    Case("936 乗", "乗 b", "乗 /Jb /O /D:", code_page=936, folder="乗\\乗",
         exe="乗.exe", plant=("乗",)),
    Case("950 功", "功 b", "功 /Jb /O /D:", code_page=950, folder="功\\功",
         exe="功.exe", plant=("功",)),
    Case("949 Korean names", "한글 b", "한글 /Jb /O /D:", code_page=949,
         folder="한글\\폴더", exe="실행.exe", plant=("한글",)),
    Case("1252 folder named with 0x83", "a", "a /J /O /D:", folder="ƒ", exe="ƒ.exe",
         plant=("",)),
    # User locale and code page apart.
    Case("English user locale, code page 932", "a", "a /J /O /D:", code_page=932,
         user_code_page=1252, folder="ソ", exe="ソフト.exe", plant=("",)),
    Case("Japanese user locale, code page 1252", "a", "a /J /O /D:", code_page=1252,
         user_code_page=932, folder="Café", plant=("",)),
    # A path of over 261 bytes but under 260 characters.
    Case("module path longer than 261 bytes", "a", "a /J /O /D:", code_page=932,
         folder=LONG, plant=LONG_ANCESTORS),
    # Folders the code page cannot spell: best fit would read the look-alike
    # twin, which anyone may create; the 8.3 form names the folder itself.
    Case("1252 fullwidth folder, its look-alike beside it", "a b", "a /Jb /O /D:",
         folder="Ｏｒｖａ Suite", plant=("Orva Suite",)),
    Case("1252 Polish folder, its look-alike beside it", "a b", "a /Jb /O /D:",
         folder="Łódź", plant=("Lódz", "Lodz")),
    Case("1252 Chinese folder", "a b", "a /Jb /O /D:", folder="文件", exe="程序.exe"),
    Case("932 Korean folder", "a b", "a /Jb /O /D:", code_page=932, folder="한글"),
]


class Failure(Exception):
    pass


def join(*parts):
    return "\\".join(p for p in parts if p)


def spells(text, codec):
    try:
        text.encode(codec)
        return True
    except UnicodeEncodeError:
        return False


def run_case(case, build, launcher_exe, index):
    codec = winelab.CODEC_OF[case.code_page]
    case_root = join(ROOT, f"case{index:02d}")
    unix_root = winelab.unix_path(case_root)
    shutil.rmtree(unix_root, ignore_errors=True)
    unix_root.mkdir(parents=True)
    (unix_root / "Elsewhere").mkdir()

    if case.drive:
        link = winelab.prefix() / "dosdevices" / (case.drive + ":")
        if link.is_symlink() or link.exists():
            link.unlink()
        (unix_root / "drive").mkdir()
        link.symlink_to(unix_root / "drive")
        launcher_dir = case.drive.upper() + ":\\"
    else:
        launcher_dir = join(case_root, case.folder) + "\\"
    launcher = launcher_dir + case.exe
    unix_launcher_dir = winelab.unix_path(launcher_dir)
    unix_launcher_dir.mkdir(parents=True, exist_ok=True)
    shutil.copy(launcher_exe, unix_launcher_dir / case.exe)
    stand_ins = [join(case_root, p) for p in case.plant]
    if case.companion:
        stand_ins.append(launcher_dir.rstrip("\\"))
    for folder in stand_ins:
        unix_folder = winelab.unix_path(folder)
        unix_folder.mkdir(parents=True, exist_ok=True)
        shutil.copy(f"{build}/tests/e2e/companion.exe", unix_folder / "ORVA.EXE")

    program = case.program.format(launcher=launcher)
    cwd = join(case_root, case.cwd)
    application = {"full": launcher, "search": None}.get(case.start, case.start)
    if spells(launcher_dir, codec):
        args = case.raw_args if case.raw_args is not None else case.args.encode(codec)
        command_line = program.encode(codec) + (b" " + args if args else b"")
        application, cwd = (t.encode(codec) if t else None for t in (application, cwd))
    else:
        command_line = program + (" " + case.args if case.args else "")
    path_head = launcher_dir.encode(codec) if case.start == "search" else None
    exit_code, processes, _ = winelab.start(
        join(ROOT, "starter.exe"), command_line, application, cwd, path_head,
        winelab.wine_env(case.code_page, case.user_code_page))

    reports = sorted(unix_root.rglob("received.txt"))
    received = [winelab.read_report(r, codec) for r in reports]
    shown = "; ".join(f"{r['self']} got {r['commandline'].decode(codec, 'replace')!r}"
                      f" in {r['cwd']}" for r in received) or "nothing ran"
    problems = []
    if exit_code != 0:
        problems.append(f"launcher exit code {exit_code}")
    if case.params is None:
        if received or processes != 1:
            problems.append(f"expected nothing to run, {processes} processes ran")
    else:
        target = launcher_dir + "ORVA.EXE"
        expected_cwd = launcher_dir if case.drive else launcher_dir.rstrip("\\")
        if processes != 2 or len(received) != 1:
            problems.append(f"expected one ORVA.EXE, {processes - 1} processes ran")
        else:
            got = received[0]
            if spells(target, codec):
                named, naming = target.encode(codec), target
            else:
                # Named by the 8.3 form that Windows makes up for the folder;
                # the long forms of ORVA.EXE's own path and working directory
                # show which folder that was.
                named = got["commandline"][1:].partition(b'"')[0]
                naming = f"the 8.3 form of {target}"
                if not (named.isascii() and b"~" in named and named.endswith(b"\\ORVA.EXE")):
                    problems.append(f"ORVA.EXE named {named!r}, not by an 8.3 path")
            expected = b'"' + named + b'" ' + case.params.encode(codec)
            if (got["self"], got["commandline"], got["cwd"]) != (target, expected, expected_cwd):
                problems.append(f"expected {target}, named as {naming}, to get"
                                f" {case.params!r} in {expected_cwd}")
    if problems:
        raise Failure("; ".join(problems) + f" -- received: {shown}")


def main():
    build, launcher_exe = sys.argv[1], sys.argv[2]
    only = sys.argv[3] if len(sys.argv) > 3 else ""
    winelab.ensure_prefix()
    unix_root = winelab.unix_path(ROOT)
    shutil.rmtree(unix_root, ignore_errors=True)
    unix_root.mkdir(parents=True)
    shutil.copy(f"{build}/tests/e2e/starter.exe", unix_root / "starter.exe")
    passed = failed = 0
    with winelab.warm_wineserver():
        for index, case in enumerate(CASES):
            if only not in case.name:
                continue
            try:
                run_case(case, build, launcher_exe, index)
                passed += 1
                print(f"ok      {case.name}", flush=True)
            except (Failure, RuntimeError, OSError) as error:
                failed += 1
                print(f"FAILED  {case.name}: {error}", flush=True)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed or not passed else 0


if __name__ == "__main__":
    sys.exit(main())
