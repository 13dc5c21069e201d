#!/usr/bin/env python3
"""Measures a key stroke in the viewer's filter field on the large card.

Writes the large card of scan_bench.py (unless it is there), then runs
bench/filter_keys (the viewer's window, offscreen) a few times: each run types
strokes that narrow and widen the filter ("1", "12", "123", back, "測定999", back) and
times each from the key press to the painted tree (entering the field, as Ctrl+F
does, counts as the first stroke: the viewer makes its search texts then), in wall time (the goal) and
in processor time (which shows less of a shared machine's load). Reports the
first typed stroke of each run, the median and
the worst stroke over all runs, each against the goal of 100 ms, with the load
average before and after.

usage: bench/filter_bench.py [--build build] [--card /tmp/kr80a-bench-card] [--runs 3]
"""
import argparse
import os
import statistics
import subprocess
import tempfile

import scan_bench

GOAL_MS = 100.0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--card", default="/tmp/kr80a-bench-card")
    parser.add_argument("--folders", type=int, default=2300)
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    records = scan_bench.write_card(args.card, args.folders)
    print(f"card: {records} records")
    config = tempfile.mkdtemp(prefix="kr80a-filter-")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_CONFIG_HOME=config)
    program = os.path.join(args.build, "bench", "filter_keys")
    print("load average before: %.2f %.2f %.2f" % os.getloadavg())
    times, processor, firsts = [], [], []
    for run in range(args.runs):
        out = subprocess.run([program, args.card], env=env, check=True, capture_output=True, text=True).stdout
        for n, line in enumerate(out.splitlines()):
            key, ms, cpu, text = (line.split("\t") + [""])[:4]
            times.append(float(ms))
            processor.append(float(cpu))
            if n == 1:
                firsts.append((float(ms), float(cpu)))
            if run == 0:
                print(f"  {key:>3} -> {text!r:12} {float(ms):7.1f} ms  (processor {float(cpu):6.1f} ms)")
    print("load average after:  %.2f %.2f %.2f" % os.getloadavg())
    print("first typed stroke: " + ", ".join(f"{ms:.1f} ms (processor {cpu:.1f})" for ms, cpu in firsts))
    for name, values in (("wall", times), ("processor", processor)):
        median, worst = statistics.median(values), max(values)
        print(f"{name:>9}: stroke median {median:.1f} ms ({median / GOAL_MS:.2f} of the goal), "
              f"worst {worst:.1f} ms ({worst / GOAL_MS:.2f} of the goal), over {len(values)} strokes")
    return 0 if max(times) <= GOAL_MS else 1


if __name__ == "__main__":
    raise SystemExit(main())
