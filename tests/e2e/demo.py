"""scripts/demo: the launcher in C:\\demo\\Launcher beside a sample ORVA.EXE,
started from another folder, and what ORVA.EXE received."""

import shutil
import sys

import winelab


def main(build, launcher, args):
    winelab.ensure_prefix()
    code_page = 1252
    codec = winelab.CODEC_OF[code_page]
    demo = winelab.unix_path("C:\\demo")
    shutil.rmtree(demo, ignore_errors=True)
    (demo / "Launcher").mkdir(parents=True)
    (demo / "Elsewhere").mkdir()
    shutil.copy(launcher, demo / "Launcher" / "orvalaunch.exe")
    shutil.copy(f"{build}/tests/e2e/companion.exe", demo / "Launcher" / "ORVA.EXE")
    shutil.copy(f"{build}/tests/e2e/starter.exe", demo / "starter.exe")

    # Quoted as a shell would pass them, so each stays one argument.
    line = "orvalaunch.exe" + "".join(f' "{a}"' for a in args)
    print("launcher:      C:\\demo\\Launcher\\orvalaunch.exe (code page 1252)")
    print("started from:  C:\\demo\\Elsewhere")
    print("command line: ", line)
    exit_code, processes, _ = winelab.start(
        "C:\\demo\\starter.exe", line.encode(codec, "replace"),
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
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3:]))
