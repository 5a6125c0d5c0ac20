"""scripts/bench: the launcher against baselines that do the least the same
job needs, side by side under one warm wineserver. The time of a run is from
process start until it and all it started have ended, taken by the
job-object starter. Process start under Wine varies by a factor of two and
more from run to run, so each launcher run is paired with the baseline run
beside it (in ABBA order, against drift) and a figure is the median of the
paired ratios.

    run_bench.py BUILD_DIR LAUNCHER_EXE RUNS JSON_OUT
"""

import datetime
import json
import os
import platform
import shutil
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
import check_exe  # noqa: E402
import winelab  # noqa: E402
import pefile  # noqa: E402

BENCH = "C:\\bench\\"


def timed_runs(starter, programs, runs, env):
    """Alternates the programs, reversing their order every other run;
    returns microseconds per program, run by run."""
    times = {name: [] for name in programs}
    for run in range(runs):
        order = list(programs.items())
        for name, (exe, args) in order if run % 2 == 0 else reversed(order):
            line = f'"{BENCH}{exe}"{args}'.encode()
            exit_code, _, microseconds = winelab.start(
                starter, line, (BENCH + exe).encode(), BENCH.encode(), None, env)
            if exit_code != 0:
                raise RuntimeError(f"{exe} exited with {exit_code}")
            times[name].append(microseconds)
    return times


def sections(exe):
    """Bytes the headers and each section take in the file, and how many of
    them are used."""
    return [{"section": name, "in file": raw, "used": used}
            for name, used, raw in check_exe.section_sizes(pefile.PE(exe))]


def print_sections(name, exe, table):
    print(f"{name} ({os.path.getsize(exe)} bytes):  " + ", ".join(
        f"{row['section']} {row['in file']}" +
        (f" ({row['used']} used)" if row["used"] != row["in file"] else "")
        for row in table))


def main(build, launcher, runs, json_out):
    winelab.ensure_prefix()
    folder = winelab.unix_path(BENCH)
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    shutil.copy(launcher, folder / "orvalaunch.exe")
    shutil.copy(f"{build}/tests/e2e/companion.exe", folder / "ORVA.EXE")
    shutil.copy(f"{build}/tests/e2e/starter.exe", folder / "starter.exe")
    for name in ("shell_execute", "char_next", "smallest_gui"):
        shutil.copy(f"{build}/bench/baseline_{name}.exe", folder / f"{name}.exe")
    starter = BENCH + "starter.exe"
    env = winelab.wine_env(1252)

    with winelab.warm_wineserver():
        four = " alpha beta gamma delta"
        programs = {"launch": ("orvalaunch.exe", four),
                    "launch baseline": ("shell_execute.exe", four),
                    "no arguments": ("orvalaunch.exe", ""),
                    "no arguments baseline": ("char_next.exe", "")}
        timed_runs(starter, programs, 3, env)  # warm caches and the server
        times = timed_runs(starter, programs, runs, env)

    median = {name: statistics.median(t) for name, t in times.items()}

    def paired(launcher, baseline):
        return statistics.median(a / b for a, b in zip(times[launcher], times[baseline]))

    size = os.path.getsize(launcher)
    smallest = os.path.getsize(f"{build}/bench/baseline_smallest_gui.exe")  # same toolchain
    figures = [
        {"figure": "launch with four arguments vs ShellExecuteA alone",
         "launcher": median["launch"], "baseline": median["launch baseline"],
         "ratio": paired("launch", "launch baseline"), "target": 1.02,
         "unit": "microseconds (median); ratio: median of paired ratios"},
        {"figure": "no arguments vs one CharNextA",
         "launcher": median["no arguments"], "baseline": median["no arguments baseline"],
         "ratio": paired("no arguments", "no arguments baseline"), "target": 1.05,
         "unit": "microseconds (median); ratio: median of paired ratios"},
        {"figure": "exe size vs smallest GUI exe", "launcher": size, "baseline": smallest,
         "ratio": size / smallest, "target": None, "unit": "bytes"},
    ]
    smallest_exe = f"{build}/bench/baseline_smallest_gui.exe"
    by_section = {"launcher": sections(launcher), "smallest GUI exe": sections(smallest_exe)}
    report = {"date": datetime.date.today().isoformat(),
              "machine": f"{platform.machine()}, {os.cpu_count()} cores, "
                         f"{subprocess.run(['wine', '--version'], capture_output=True, text=True).stdout.strip()}",
              "runs": runs, "figures": figures, "sections": by_section}
    with open(json_out, "w", encoding="utf-8") as out:
        json.dump(report, out, indent=2)
        out.write("\n")

    print(f"{report['date']}, {report['machine']}, {runs} alternating runs")
    print(f"| {'figure':52} | {'launcher':>9} | {'baseline':>9} | {'ratio':>6} | target |")
    print(f"|{'-' * 54}|{'-' * 11}|{'-' * 11}|{'-' * 8}|--------|")
    for f in figures:
        target = f"{f['target']:.2f}" if f["target"] else "report"
        print(f"| {f['figure']:52} | {f['launcher']:>9.0f} | {f['baseline']:>9.0f} |"
              f" {f['ratio']:>6.3f} | {target:>6} |")
    print("(times: medians in microseconds; ratios: medians of paired ratios;"
          f" sizes in bytes; JSON in {json_out})")
    print_sections("launcher", launcher, by_section["launcher"])
    print_sections("smallest GUI exe", smallest_exe, by_section["smallest GUI exe"])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]))
