#!/usr/bin/env python3
"""Measures the card scan and the viewer's start against reading the card with cat.

Writes a large card (over 200,000 records of all five kinds, about 45 MB; kept
and reused while its size stays the same), then, in paired rounds that run
every command once each, in turn:

- `kr80a tree CARD` (text) and `kr80a tree CARD --json` against
  `find CARD -type f -print0 | xargs -0 cat`, each to /dev/null;
- the viewer from launch to its first painted tree (bench/viewer_launch, the
  viewer's own start that ends there) against the text scan; under a private
  Xvfb when there is no display.

Ratios are taken within each round and their median is reported, so that the
load of a shared machine cancels out; each is given for wall time (the goal)
and for CPU time (user and system time of the run's processes), which shows
less of the other load still. Peak memory (GNU time's maximum resident
size) is reported above a baseline as a multiple of the card's bytes: the scans
above their peak on an empty card, the viewer above its peak on the sample card.

With several --build folders (say the main branch's build and this one), every
round runs each build's commands, so their figures compare within one run.

usage: bench/scan_bench.py [--build build ...] [--card /tmp/kr80a-bench-card]
                           [--folders 2300] [--rounds 7] [--no-viewer]
"""
import argparse
import os
import random
import resource
import shutil
import statistics
import subprocess
import tempfile
import time

LEVEL_LINES, BER_LINES, SKY_LINES, CONSTEL_LINES = 25, 25, 25, 10
MULTI_FILES, MULTI_CHANNELS = 5, 20
HEADER = "No,Title,Band,Ch,Freq,Mod,Level,CN,MER,Conv,Corr,Class,BER,a,b,c,Cursor,Count,System,d,e,f,g,h,Level2,i,j,Corr2\r\n"
SAMPLE_CARD = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples", "KR80A")

# The bars: (name, limit); every figure must be at most its limit.
BARS = {
    "json/cat": 1.3,
    "text/cat": 1.3,
    "json memory/card": 1.5,
    "text memory/card": 1.5,
    "viewer memory/card": 1.5,
    "viewer/text": 1.05,
}


def record_line(rng, i, channels=0):
    title = ("測定" + str(i)).encode("cp932")
    fields = [b"2026/12/01 10:%02d" % (i % 60), title, b"UHF", b"%d" % rng.randint(13, 62),
              b"%.2f" % rng.uniform(470, 710), b"64QAM", b"%.1f" % rng.uniform(40, 90),
              b"%.1f" % rng.uniform(15, 35), b"%.1f" % rng.uniform(15, 35), b"*", b"OFF",
              b"%d" % rng.randint(1, 3), b"1.0E-8", b"", b"", b"", b"1", b"%d" % channels,
              b"%d" % rng.randint(0, 9), b"", b"", b"", b"", b"", b"%.1f" % rng.uniform(40, 90),
              b"", b"", b"0.0"]
    return b",".join(fields) + b"\r\n"


def write_card(card, folders):
    """Writes the card unless it is there from an earlier run; returns its record count."""
    records = folders * (LEVEL_LINES + BER_LINES + SKY_LINES + CONSTEL_LINES + MULTI_FILES)
    stamp = os.path.join(card, ".complete")
    if os.path.exists(stamp) and open(stamp).read() == str(folders):
        return records
    rng = random.Random(1)
    shutil.rmtree(card, ignore_errors=True)
    for n in range(folders):
        name = "SITE%05d" % n
        for kind, lines in (("LEVEL", LEVEL_LINES), ("BER", BER_LINES), ("SKY", SKY_LINES),
                            ("CONSTEL", CONSTEL_LINES)):
            folder = os.path.join(card, name, kind)
            os.makedirs(folder)
            with open(os.path.join(folder, name + ".cnt"), "wb") as f:
                f.write(b"%d\n1.00\n" % lines)
            with open(os.path.join(folder, name + ".CSV"), "wb") as f:
                f.write(HEADER.encode() + b"".join(record_line(rng, i) for i in range(lines)))
        folder = os.path.join(card, name, "MULTI")
        os.makedirs(folder)
        with open(os.path.join(folder, "COUNT.CNT"), "wb") as f:
            f.write(b"%d\n1.00\n" % MULTI_FILES)
        for j in range(1, MULTI_FILES + 1):
            with open(os.path.join(folder, "%02d.CSV" % j), "wb") as f:
                f.write(HEADER.encode() + b"".join(
                    record_line(rng, i, MULTI_CHANNELS) for i in range(MULTI_CHANNELS)))
    with open(stamp, "w") as f:
        f.write(str(folders))
    return records


def card_bytes(card):
    total, files = 0, 0
    for top, _, names in os.walk(card):
        for name in names:
            if name != ".complete":
                total += os.path.getsize(os.path.join(top, name))
                files += 1
    return total, files


def timed(command, env=None):
    """(wall, CPU) seconds of one run, its output thrown away. CPU time is that
    of the run's processes (user and system); it shows less of the machine's
    other load than the wall time does."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, env=env,
                   shell=isinstance(command, str))
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return wall, (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def peak_kib(command, env=None):
    """Peak resident memory of one run, in KiB (GNU time's %M)."""
    out = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, check=True, env=env,
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True).stderr
    return int(out.strip().splitlines()[-1])


class Display:
    """The current display, or a private Xvfb while there is none."""

    def __init__(self, work):
        self.xvfb = None
        self.env = dict(os.environ)
        if os.environ.get("DISPLAY"):
            return
        runtime = os.path.join(work, "runtime")
        os.mkdir(runtime, 0o700)
        ready = os.path.join(work, "display")
        with open(ready, "w") as fd:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(fd.fileno()), "-screen", "0", "1024x600x24",
                 "-nolisten", "tcp"], pass_fds=(fd.fileno(),),
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if os.path.getsize(ready) > 0:
                break
            time.sleep(0.1)
        number = open(ready).read().split()[0]
        self.env.update(DISPLAY=":" + number, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime)

    def close(self):
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait()


def viewer_env(display, work, data_root):
    """Settings that start bench/viewer_launch on `data_root`."""
    config = os.path.join(work, "config-" + str(abs(hash(data_root))))
    folder = os.path.join(config, "viewer_launch")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "viewer_launch.ini"), "w") as f:
        f.write("[viewer_launch]\nUSE_DefaultFolder=1\nDefaultFolder=%s\n" % data_root)
    env = dict(display.env)
    env["XDG_CONFIG_HOME"] = config
    return env


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", action="append", help="build folder (repeatable)")
    parser.add_argument("--card", default="/tmp/kr80a-bench-card")
    parser.add_argument("--folders", type=int, default=2300)
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--no-viewer", action="store_true")
    args = parser.parse_args()
    builds = args.build or ["build"]

    records = write_card(args.card, args.folders)
    bytes_, files = card_bytes(args.card)
    print(f"card: {records} records, {files} files, {bytes_ / 1e6:.1f} MB")
    work = tempfile.mkdtemp(prefix="kr80a-bench-")
    empty = os.path.join(work, "empty-card")
    os.mkdir(empty)
    display = None if args.no_viewer else Display(work)
    try:
        run(args, builds, bytes_, empty, display, work)
    finally:
        if display:
            display.close()
        shutil.rmtree(work, ignore_errors=True)


def run(args, builds, bytes_, empty, display, work):
    cat = "find '%s' -type f -print0 | xargs -0 cat" % args.card
    plans = {}
    for build in builds:
        kr80a = os.path.join(build, "src", "cli", "kr80a")
        plan = {"text": ([kr80a, "tree", args.card], None),
                "json": ([kr80a, "tree", args.card, "--json"], None)}
        if display:
            plan["viewer"] = ([os.path.join(build, "bench", "viewer_launch")],
                              viewer_env(display, work, args.card))
        plans[build] = plan

    # Warm the page cache and every program once.
    timed(cat)
    for plan in plans.values():
        for command, env in plan.values():
            timed(command, env)

    ratios = {build: {} for build in builds}
    walls = {build: {name: [] for name in plans[build]} for build in builds}
    cat_walls = []

    def add(build, name, value):
        ratios[build].setdefault(name, []).append(value)

    for _ in range(args.rounds):
        cat_s, cat_cpu = timed(cat)
        cat_walls.append(cat_s)
        for build in builds:
            got = {name: timed(command, env) for name, (command, env) in plans[build].items()}
            for name, (seconds, _) in got.items():
                walls[build][name].append(seconds)
            for scan in ("text", "json"):
                add(build, scan + "/cat", got[scan][0] / cat_s)
                add(build, scan + "/cat, CPU time", got[scan][1] / cat_cpu)
            if "viewer" in got:
                add(build, "viewer/text", got["viewer"][0] / got["text"][0])
                add(build, "viewer/text, CPU time", got["viewer"][1] / got["text"][1])

    print(f"cat: median {statistics.median(cat_walls) * 1000:.0f} ms over {args.rounds} rounds")
    figures = {}
    for build in builds:
        plan = plans[build]
        kr80a = plan["text"][0][0]
        f = {name: statistics.median(values) for name, values in ratios[build].items()}
        text_base = peak_kib([kr80a, "tree", empty])
        json_base = peak_kib([kr80a, "tree", empty, "--json"])
        f["text memory/card"] = (peak_kib(plan["text"][0]) - text_base) * 1024 / bytes_
        f["json memory/card"] = (peak_kib(plan["json"][0]) - json_base) * 1024 / bytes_
        if display:
            command, env = plan["viewer"]
            sample_env = viewer_env(display, work, os.path.abspath(SAMPLE_CARD))
            f["viewer memory/card"] = (peak_kib(command, env) - peak_kib(command, sample_env)) * 1024 / bytes_
        figures[build] = f
        print(f"\n{build}:")
        for name, values in walls[build].items():
            print(f"  {name:>6}: median {statistics.median(values) * 1000:.0f} ms")

    print("\n| measure | " + " | ".join(builds) + " | bar |")
    print("|---|" + "---|" * len(builds) + "---|")
    for name, limit in BARS.items():
        for measure in (name, name + ", CPU time"):
            if not all(measure in figures[b] for b in builds):
                continue
            cells = []
            for build in builds:
                value = figures[build][measure]
                cells.append(f"{value:.2f}x {'ok' if value <= limit else 'OVER'}")
            print(f"| {measure} | " + " | ".join(cells) + f" | <= {limit}x |")


if __name__ == "__main__":
    main()
