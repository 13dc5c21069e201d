#!/usr/bin/env python3
"""Measures `kr80a report` against `kr80a export` of the same card.

Writes the large card of scan_bench.py (unless it is there), then in paired
rounds runs, one after the other, `kr80a export --format png` into a fresh
folder and `kr80a report` of the whole card, and reports the median of the
rounds' time ratios (report / export, wall and processor time) and the PDF's
bytes per record, each beside its goal:

  | measure | goal |
  |---|---|
  | report against export, same card, same round | at most 4x |
  | PDF bytes per record | at most 5 KB |

On a shared machine other work slows both commands of a round alike, so the
ratio holds where times alone would not; the load average is printed before
and after.

usage: bench/report_bench.py [--kr80a build/src/cli/kr80a] [--card /tmp/kr80a-bench-card]
                             [--folders 2300] [--rounds 3] [--work /tmp/kr80a-bench-report]
"""
import argparse
import os
import resource
import statistics
import subprocess
import time

import fresh_files
import scan_bench

BARS = {"report/export": 4.0, "report/export, CPU time": 4.0, "PDF KB/record": 5.0}


def load():
    return "load average %.1f %.1f %.1f on %d cores" % (os.getloadavg() + (os.cpu_count(),))


def timed(command):
    """(wall, CPU) seconds of one run; CPU is user and system time of the run."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return wall, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kr80a", default="build/src/cli/kr80a")
    parser.add_argument("--card", default="/tmp/kr80a-bench-card")
    parser.add_argument("--folders", type=int, default=2300)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--work", default="/tmp/kr80a-bench-report")
    args = parser.parse_args()

    records = scan_bench.write_card(args.card, args.folders)
    fresh_files.remove(args.work)
    fresh_files.wait_after_removal(args.work)
    os.makedirs(args.work)
    pdf = os.path.join(args.work, "report.pdf")
    report = [args.kr80a, "report", args.card, "-o", pdf, "--quiet"]
    print(f"card: {records} records; {args.rounds} rounds; before: {load()}")

    ratios = {"report/export": [], "report/export, CPU time": []}
    walls = {"export": [], "report": []}
    try:
        for round_number in range(args.rounds):
            # Each round's pictures stay until the end, so that no export
            # follows a deletion (see fresh_files.py).
            pictures = os.path.join(args.work, f"pictures{round_number}")
            export_s, export_cpu = timed([args.kr80a, "export", args.card, pictures, "--quiet", "--format", "png"])
            report_s, report_cpu = timed(report)
            walls["export"].append(export_s)
            walls["report"].append(report_s)
            ratios["report/export"].append(report_s / export_s)
            ratios["report/export, CPU time"].append(report_cpu / export_cpu)
        pdf_bytes = os.path.getsize(pdf)
    finally:
        fresh_files.remove(args.work)

    for name, values in walls.items():
        median = statistics.median(values)
        print(f"{name}: median {median:.1f} s, {records / median:.0f} records/s")
    print(f"after: {load()}\n")
    figures = {name: statistics.median(values) for name, values in ratios.items()}
    figures["PDF KB/record"] = pdf_bytes / 1000 / records
    print("| measure | figure | goal |\n|---|---|---|")
    for name, limit in BARS.items():
        value = figures[name]
        unit = "" if "KB" in name else "x"
        print(f"| {name} | {value:.2f}{unit} {'ok' if value <= limit else 'OVER'} | <= {limit}{unit} |")


if __name__ == "__main__":
    main()
