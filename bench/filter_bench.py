#!/usr/bin/env python3
"""Measures a key stroke in the viewer's filter field on the large card.

Writes the large card of scan_bench.py (unless it is there), then runs
bench/filter_keys (the viewer's window, offscreen) a few times: each run types
strokes that narrow and widen the filter ("1", "12", "123", back, "測定999", back) and
times each from the key press to the painted tree. Reports the median and the
worst stroke over all runs, each against the goal of 100 ms.

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
    times = []
    for run in range(args.runs):
        out = subprocess.run([program, args.card], env=env, check=True, capture_output=True, text=True).stdout
        for line in out.splitlines():
            key, ms, text = (line.split("\t") + [""])[:3]
            times.append(float(ms))
            if run == 0:
                print(f"  {key:>3} -> {text!r:12} {float(ms):7.1f} ms")
    median, worst = statistics.median(times), max(times)
    print(f"stroke median {median:.1f} ms ({median / GOAL_MS:.2f} of the goal), "
          f"worst {worst:.1f} ms ({worst / GOAL_MS:.2f} of the goal), over {len(times)} strokes")
    return 0 if worst <= GOAL_MS else 1


if __name__ == "__main__":
    raise SystemExit(main())
