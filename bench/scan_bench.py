#!/usr/bin/env python3
"""Measures the card scan against reading the same files with cat, in one run.

Generates a large card (over 200,000 records of all five kinds, over 20 MB),
then times `kr80a tree CARD > /dev/null` and `cat <every file> > /dev/null`
side by side, several rounds each, and reports the scan's peak memory next to
the card's size and the program's own baseline (its peak on an empty card).
Then times the scan of a card of 3,000 multi-channel files named exactly as
the meter names them against the same card with every name in lower case.

usage: bench/scan_bench.py [--kr80a build/src/cli/kr80a] [--card /tmp/kr80a-bench-card]
                           [--folders 2300] [--rounds 5]
"""
import argparse
import os
import random
import resource
import shutil
import subprocess
import statistics
import time

LEVEL_LINES, BER_LINES, SKY_LINES, CONSTEL_LINES = 25, 25, 25, 10
MULTI_FILES, MULTI_CHANNELS = 5, 20
HEADER = "No,Title,Band,Ch,Freq,Mod,Level,CN,MER,Conv,Corr,Class,BER,a,b,c,Cursor,Count,System,d,e,f,g,h,Level2,i,j,Corr2\r\n"


def record_line(rng, kind, i, channels=0):
    title = ("測定" + str(i)).encode("cp932")
    fields = [b"2026/12/01 10:%02d" % (i % 60), title, b"UHF", b"%d" % rng.randint(13, 62),
              b"%.2f" % rng.uniform(470, 710), b"64QAM", b"%.1f" % rng.uniform(40, 90),
              b"%.1f" % rng.uniform(15, 35), b"%.1f" % rng.uniform(15, 35), b"*", b"OFF",
              b"%d" % rng.randint(1, 3), b"1.0E-8", b"", b"", b"", b"1", b"%d" % channels,
              b"%d" % rng.randint(0, 9), b"", b"", b"", b"", b"", b"%.1f" % rng.uniform(40, 90),
              b"", b"", b"0.0"]
    return b",".join(fields) + b"\r\n"


def write_card(card, folders):
    rng = random.Random(1)
    shutil.rmtree(card, ignore_errors=True)
    records = 0
    for n in range(folders):
        name = "SITE%05d" % n
        for kind, lines in (("LEVEL", LEVEL_LINES), ("BER", BER_LINES), ("SKY", SKY_LINES),
                            ("CONSTEL", CONSTEL_LINES)):
            folder = os.path.join(card, name, kind)
            os.makedirs(folder)
            with open(os.path.join(folder, name + ".cnt"), "wb") as f:
                f.write(b"%d\n1.00\n" % lines)
            with open(os.path.join(folder, name + ".CSV"), "wb") as f:
                f.write(HEADER.encode() + b"".join(record_line(rng, kind, i) for i in range(lines)))
            records += lines
        folder = os.path.join(card, name, "MULTI")
        os.makedirs(folder)
        with open(os.path.join(folder, "COUNT.CNT"), "wb") as f:
            f.write(b"%d\n1.00\n" % MULTI_FILES)
        for j in range(1, MULTI_FILES + 1):
            with open(os.path.join(folder, "%02d.CSV" % j), "wb") as f:
                f.write(HEADER.encode() + b"".join(
                    record_line(rng, "MULTI", i, MULTI_CHANNELS) for i in range(MULTI_CHANNELS)))
            records += 1
    return records


def write_multi_card(card, files, lower):
    """One folder whose MULTI sub-folder holds `files` values files; with `lower`
    every name is in lower case, as a FAT card mounted with shortname=lower shows it."""
    rng = random.Random(2)
    name = (lambda n: n.lower()) if lower else (lambda n: n)
    shutil.rmtree(card, ignore_errors=True)
    folder = os.path.join(card, "SITE", name("MULTI"))
    os.makedirs(folder)
    with open(os.path.join(folder, name("COUNT.CNT")), "wb") as f:
        f.write(b"%d\n1.00\n" % files)
    for j in range(1, files + 1):
        with open(os.path.join(folder, name("%02d.CSV" % j)), "wb") as f:
            f.write(HEADER.encode() + b"".join(record_line(rng, "MULTI", i, 3) for i in range(3)))


def compare_letter_case(kr80a, base, rounds, files=3000):
    """Times the scan of the same multi-channel card with exact and with lower-case names."""
    exact, lower = base + "-exact", base + "-lower"
    write_multi_card(exact, files, lower=False)
    write_multi_card(lower, files, lower=True)
    times = {exact: [], lower: []}
    for card in (exact, lower):
        timed([kr80a, "tree", card])
    for _ in range(rounds):
        for card in (exact, lower):
            times[card].append(timed([kr80a, "tree", card]))
    exact_s, lower_s = statistics.median(times[exact]), statistics.median(times[lower])
    print(f"{files} multi-channel files: exact names {exact_s * 1000:.0f} ms, lower case "
          f"{lower_s * 1000:.0f} ms = {lower_s / exact_s:.2f} x (goal: at most 1.2 x)")


def card_files(card):
    paths = []
    for top, _, names in os.walk(card):
        paths.extend(os.path.join(top, name) for name in names)
    return sorted(paths)


def timed(command, **kwargs):
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, **kwargs)
    return time.perf_counter() - start


def peak_kib(command):
    """Peak resident memory of one run, in KiB (GNU time's %M)."""
    out = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, check=True,
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True).stderr
    return int(out.strip().splitlines()[-1])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kr80a", default="build/src/cli/kr80a")
    parser.add_argument("--card", default="/tmp/kr80a-bench-card")
    parser.add_argument("--folders", type=int, default=2300)
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()

    records = write_card(args.card, args.folders)
    files = card_files(args.card)
    card_bytes = sum(os.path.getsize(p) for p in files)
    print(f"card: {records} records, {len(files)} files, {card_bytes / 1e6:.1f} MB")

    # cat gets all files in as few processes as the argument limit allows.
    cat = ["xargs", "-0", "cat"]
    listing = "\0".join(files).encode()
    scan = [args.kr80a, "tree", args.card]
    timed(scan)  # warm the page cache for both
    cat_times, scan_times = [], []
    for _ in range(args.rounds):
        cat_times.append(timed(cat, input=listing))
        scan_times.append(timed(scan))
    cat_s, scan_s = statistics.median(cat_times), statistics.median(scan_times)
    print(f"cat:  median {cat_s * 1000:.0f} ms over {args.rounds} rounds")
    print(f"scan: median {scan_s * 1000:.0f} ms over {args.rounds} rounds "
          f"= {scan_s / cat_s:.1f} x cat (goal: at most 5 x)")

    empty = os.path.join(args.card, "..", "kr80a-bench-empty")
    os.makedirs(empty, exist_ok=True)
    baseline = peak_kib([args.kr80a, "tree", empty])
    peak = peak_kib(scan)
    budget = 3 * card_bytes / 1024 + baseline
    print(f"peak memory: {peak / 1024:.1f} MiB (baseline {baseline / 1024:.1f} MiB; "
          f"goal: at most 3 x card + baseline = {budget / 1024:.1f} MiB)")

    compare_letter_case(args.kr80a, args.card, args.rounds)


if __name__ == "__main__":
    main()
