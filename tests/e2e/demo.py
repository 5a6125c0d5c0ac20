"""scripts/demo: the launcher in C:\\demo\\Launcher beside a sample ORVA.EXE,
started from another folder in the ANSI code page given, and what ORVA.EXE
received, printed as text of this terminal.

    demo.py BUILD_DIR LAUNCHER_EXE CODE_PAGE [ARGS...]
"""

import shutil
import sys

import winelab


def main(build, launcher, code_page, args):
    if code_page not in winelab.CODEC_OF:
        print(f"demo: code page {code_page} is not one of"
              f" {', '.join(map(str, winelab.CODEC_OF))}", file=sys.stderr)
        return 2
    codec = winelab.CODEC_OF[code_page]
    # Quoted as a shell would pass them, so each stays one argument.
    line = "orvalaunch.exe" + "".join(f' "{a}"' for a in args)
    try:
        line_bytes = line.encode(codec)
    except UnicodeEncodeError as error:
        print(f"demo: {line[error.start:error.end]!r} cannot be written in code page"
              f" {code_page}", file=sys.stderr)
        return 2

    winelab.ensure_prefix()
    demo = winelab.unix_path("C:\\demo")
    shutil.rmtree(demo, ignore_errors=True)
    (demo / "Launcher").mkdir(parents=True)
    (demo / "Elsewhere").mkdir()
    shutil.copy(launcher, demo / "Launcher" / "orvalaunch.exe")
    shutil.copy(f"{build}/tests/e2e/companion.exe", demo / "Launcher" / "ORVA.EXE")
    shutil.copy(f"{build}/tests/e2e/starter.exe", demo / "starter.exe")

    print(f"launcher:      C:\\demo\\Launcher\\orvalaunch.exe (code page {code_page}, {codec})")
    print("started from:  C:\\demo\\Elsewhere")
    print("command line: ", line)
    exit_code, processes, _ = winelab.start(
        "C:\\demo\\starter.exe", line_bytes,
        b"C:\\demo\\Launcher\\orvalaunch.exe", b"C:\\demo\\Elsewhere", None,
        winelab.wine_env(code_page))
    print(f"exit code:     {exit_code} ({processes - 1} process(es) started)")
    report = demo / "Launcher" / "received.txt"
    if not report.exists():
        print("ORVA.EXE was not started")
        return 0
    got = winelab.read_report(report, codec)
    target = got["self"]
    command = got["commandline"].decode(codec, "replace")
    print("ORVA.EXE ran:  " + target)
    print("directory:     " + target[: target.rfind("\\") + 1])
    print("working dir:   " + got["cwd"])
    print("its command line:  " + command)
    quoted = '"' + target + '" '
    parameters = command[len(quoted):] if command.startswith(quoted) else command
    print("parameter line:    " + parameters)
    print(f"  as {codec} bytes: {parameters.encode(codec).hex(' ')}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4:]))
