#!/usr/bin/env python3
"""Measures `kr80a export` on the large card of scan_bench.py.

Writes the card (unless --reuse), then in one run: draws every record without
writing (build/bench/draw_card, the drawing alone) and exports it as PNG into
a fresh folder (about 0.9 GB, removed afterwards), and reports records per
second for both, then each figure beside its goal. Within seven minutes of an
earlier run it waits first (see fresh_files.py): new files cost more then.

  | measure | goal |
  |---|---|
  | PNG export, records per second | at least 10,000 |
  | export against drawing alone, same run | at most 6x |

BMP is
left out: at 300 KB a picture the large card would fill 60 GB. Peak memory of the export
is put beside the scan's own (`kr80a tree`): the export must not hold more per
record than the scan does. The load average is printed before and after, since
other work on the machine slows every figure; so each is also given as the
rate its processor time would give on otherwise idle cores.

usage: bench/export_bench.py [--kr80a build/src/cli/kr80a] [--draw build/bench/draw_card]
                             [--card /tmp/kr80a-bench-card] [--out /tmp/kr80a-bench-export]
                             [--folders 2300] [--reuse]
"""
import argparse
import os
import subprocess
import time

import fresh_files
import scan_bench

# (name, goal, whether the figure must be at least the goal rather than at most)
BARS = [("export records/s", 10000.0, True), ("export records/s, idle cores", 10000.0, True),
        ("export/draw", 6.0, False), ("export/draw, CPU time", 6.0, False)]


def load():
    return "load average %.1f %.1f %.1f on %d cores" % (os.getloadavg() + (os.cpu_count(),))


def timed_peak(command):
    """Wall seconds, processor seconds (user + system) and peak resident
    memory (KiB) of one run, and what it printed."""
    start = time.perf_counter()
    out = subprocess.run(["/usr/bin/time", "-f", "%U %S %M"] + command, check=True,
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    seconds = time.perf_counter() - start
    user, system, peak = out.stderr.strip().splitlines()[-1].split()
    return seconds, float(user) + float(system), int(peak), out.stdout


def rates(records, seconds, cpu):
    """Records per second as measured, and as the processor time used would
    give them on otherwise idle cores (all cores kept busy)."""
    return (f"{records / seconds:.0f} records/s ({records} in {seconds:.1f} s); "
            f"{records / cpu * os.cpu_count():.0f} records/s on {os.cpu_count()} idle cores "
            f"({cpu:.1f} s of processor time)")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kr80a", default="build/src/cli/kr80a")
    parser.add_argument("--draw", default="build/bench/draw_card")
    parser.add_argument("--card", default="/tmp/kr80a-bench-card")
    parser.add_argument("--out", default="/tmp/kr80a-bench-export")
    parser.add_argument("--folders", type=int, default=2300)
    parser.add_argument("--reuse", action="store_true", help="keep a card written before")
    args = parser.parse_args()

    if args.reuse and os.path.isdir(args.card):
        records = None
    else:
        records = scan_bench.write_card(args.card, args.folders)
    # Waited out before the drawing too, so that the two are timed side by side.
    fresh_files.remove(args.out)
    fresh_files.wait_after_removal(args.out)
    print("before:", load())

    _, _, tree_peak, _ = timed_peak([args.kr80a, "tree", args.card])
    draw_s, draw_cpu, _, draw_out = timed_peak([args.draw, args.card])
    records = records or int(draw_out.split()[0])
    print("drawing alone:", rates(records, draw_s, draw_cpu))

    seconds, cpu, peak, _ = timed_peak([args.kr80a, "export", args.card, args.out, "--quiet", "--format", "png"])
    fresh_files.remove(args.out)
    print("export png:", rates(records, seconds, cpu))
    print(f"peak memory: export {peak / 1024:.1f} MiB, scan alone {tree_peak / 1024:.1f} MiB")
    print("after:", load())
    figures = {"export records/s": records / seconds,
               "export records/s, idle cores": records / cpu * os.cpu_count(),
               "export/draw": seconds / draw_s, "export/draw, CPU time": cpu / draw_cpu}
    print("\n| measure | figure | goal |\n|---|---|---|")
    for name, goal, at_least in BARS:
        value = figures[name]
        ok = value >= goal if at_least else value <= goal
        unit = "x" if "/draw" in name else ""
        print(f"| {name} | {value:.{2 if unit else 0}f}{unit} {'ok' if ok else 'MISSED'} | "
              f"{'>=' if at_least else '<='} {goal:.{2 if unit else 0}f}{unit} |")


if __name__ == "__main__":
    main()
