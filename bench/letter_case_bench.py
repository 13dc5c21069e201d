#!/usr/bin/env python3
"""Times the scan of a card of 3,000 multi-channel files named exactly as the
meter names them against the same card with every name in lower case (as a FAT
card mounted with shortname=lower shows it), in paired rounds of one run.

usage: bench/letter_case_bench.py [--kr80a build/src/cli/kr80a]
                                  [--card /tmp/kr80a-case-card] [--files 3000] [--rounds 5]
"""
import argparse
import os
import random
import shutil
import statistics
import subprocess
import time

HEADER = b"No,Title,Band,Ch,Freq,Mod,Level,CN,MER,Conv,Corr,Class,BER,a,b,c,Cursor,Count,System,d,e,f,g,h,Level2,i,j,Corr2\r\n"


def channel_line(rng, i):
    fields = [b"2026/12/01 10:%02d" % (i % 60), ("測定" + str(i)).encode("cp932"), b"UHF",
              b"%d" % rng.randint(13, 62), b"%.2f" % rng.uniform(470, 710), b"64QAM",
              b"%.1f" % rng.uniform(40, 90), b"%.1f" % rng.uniform(15, 35),
              b"%.1f" % rng.uniform(15, 35), b"*", b"OFF", b"1", b"1.0E-8", b"", b"", b"",
              b"1", b"3", b"0", b"", b"", b"", b"", b"", b"0.0", b"", b"", b"0.0"]
    return b",".join(fields) + b"\r\n"


def write_multi_card(card, files, lower):
    """One folder whose MULTI sub-folder holds `files` values files."""
    rng = random.Random(2)
    name = (lambda n: n.lower()) if lower else (lambda n: n)
    shutil.rmtree(card, ignore_errors=True)
    folder = os.path.join(card, "SITE", name("MULTI"))
    os.makedirs(folder)
    with open(os.path.join(folder, name("COUNT.CNT")), "wb") as f:
        f.write(b"%d\n1.00\n" % files)
    for j in range(1, files + 1):
        with open(os.path.join(folder, name("%02d.CSV" % j)), "wb") as f:
            f.write(HEADER + b"".join(channel_line(rng, i) for i in range(3)))


def timed(command):
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kr80a", default="build/src/cli/kr80a")
    parser.add_argument("--card", default="/tmp/kr80a-case-card")
    parser.add_argument("--files", type=int, default=3000)
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()

    exact, lower = args.card + "-exact", args.card + "-lower"
    write_multi_card(exact, args.files, lower=False)
    write_multi_card(lower, args.files, lower=True)
    times = {exact: [], lower: []}
    for card in (exact, lower):
        timed([args.kr80a, "tree", card])  # warm the page cache
    for _ in range(args.rounds):
        for card in (exact, lower):
            times[card].append(timed([args.kr80a, "tree", card]))
    exact_s, lower_s = statistics.median(times[exact]), statistics.median(times[lower])
    print(f"{args.files} multi-channel files: exact names {exact_s * 1000:.0f} ms, lower case "
          f"{lower_s * 1000:.0f} ms = {lower_s / exact_s:.2f} x (goal: at most 1.2 x)")


if __name__ == "__main__":
    main()
