#!/usr/bin/env python3
"""Peak memory of reading a card of hostile files, against the sample card, in one run.

Writes a card whose files are far beyond anything the meter writes: a values
file of 10 million empty lines, 4 GiB files of zero bytes without a line feed
(values, count and multi-channel files; sparse, so they take no room on disk)
and values files of 10,001 lines at the longest a line may be, padded to 4 GiB.
Reports the peak resident memory of `kr80a tree` and of the viewer (under a
private Xvfb, its message boxes answered with Enter until the window shows the
tree) on that card and on the sample card.

It then writes the cards of many short lines (one full line, then lines of a
single field that keep the columns of the line before: 200 files and 20 files
of 10,000 lines) and a folder of 10,000 constellation records beside 50,000
stray files, and reports the peak memory of `kr80a tree`, `kr80a summary` and
the viewer on each as a multiple of the card's bytes (goal: within 2 times the
card's bytes + 64 MiB), and the time of `summary` beside its time on the same
card without the stray files (goal: at most 2 times).

usage: bench/hostile_bench.py [--build build] [--card /tmp/kr80a-hostile-card] [--no-viewer]
                              [--only-short]
"""
import argparse
import os
import shutil
import subprocess
import tempfile
import time

GIB = 1 << 30
LINE_BYTES = 2048
RECORDS = 10000


def sparse(path, prefix, size):
    with open(path, "wb") as f:
        f.write(prefix)
        f.truncate(size)


def full_line(i):
    """A data line of exactly LINE_BYTES bytes with 28 fields and a long title."""
    fields = [b"%d" % i, b"", b"UHF"] + [b"1"] * 25
    fields[1] = b"T" * (LINE_BYTES - len(b",".join(fields)))
    return b",".join(fields) + b"\n"


def full_file(path, size):
    with open(path, "wb") as f:
        f.write(b"header\n" + b"".join(full_line(i) for i in range(RECORDS + 1)))
        f.truncate(size)


def write_card(card):
    shutil.rmtree(card, ignore_errors=True)

    def folder(*parts):
        path = os.path.join(card, *parts)
        os.makedirs(path, exist_ok=True)
        return path

    def count(path, n):
        with open(path, "wb") as f:
            f.write(b"%d\n1.00\n" % n)

    d = folder("EMPTYLINES", "LEVEL")
    count(os.path.join(d, "EMPTYLINES.cnt"), 10000000)
    with open(os.path.join(d, "EMPTYLINES.CSV"), "wb") as f:
        f.write(b"h\n" + b"\n" * 10000000)
    d = folder("LONGLINE", "BER")
    count(os.path.join(d, "LONGLINE.cnt"), 1)
    sparse(os.path.join(d, "LONGLINE.CSV"), b"", 4 * GIB)
    d = folder("LONGCOUNT", "SKY")
    sparse(os.path.join(d, "LONGCOUNT.cnt"), b"", 4 * GIB)
    with open(os.path.join(d, "LONGCOUNT.CSV"), "wb") as f:
        f.write(b"h\n0,t\n")
    d = folder("FULLLINES", "CONSTEL")
    count(os.path.join(d, "FULLLINES.cnt"), RECORDS)
    full_file(os.path.join(d, "FULLLINES.CSV"), 4 * GIB)
    d = folder("FULLLINES", "MULTI")
    count(os.path.join(d, "COUNT.CNT"), 3)
    full_file(os.path.join(d, "01.CSV"), 4 * GIB)
    sparse(os.path.join(d, "02.CSV"), b"h\n", 4 * GIB)


def short_line_card(card, files):
    """`files` values files, each of one full line and 9,999 lines of one field."""
    shutil.rmtree(card, ignore_errors=True)
    for j in range(files):
        name = "S%04d" % j
        d = os.path.join(card, name, "LEVEL")
        os.makedirs(d)
        with open(os.path.join(d, name + ".cnt"), "wb") as f:
            f.write(b"%d\n1.00\n" % RECORDS)
        with open(os.path.join(d, name + ".CSV"), "wb") as f:
            f.write(b"header\n" + full_line(0) + b"".join(b"%d\n" % (i % 10) for i in range(1, RECORDS)))


def stray_card(card, strays):
    """10,000 constellation records without their dot pictures, beside `strays` other files."""
    shutil.rmtree(card, ignore_errors=True)
    d = os.path.join(card, "STRAY", "CONSTEL")
    os.makedirs(d)
    with open(os.path.join(d, "STRAY.cnt"), "wb") as f:
        f.write(b"%d\n1.00\n" % RECORDS)
    line = b"%d,T,UHF,13ch,473.142857,64QAM,60.0,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n"
    with open(os.path.join(d, "STRAY.CSV"), "wb") as f:
        f.write(b"header\n" + b"".join(line % i for i in range(1, RECORDS + 1)))
    for i in range(strays):
        with open(os.path.join(d, "X%05d.TXT" % i), "wb"):
            pass


def card_bytes(card):
    return sum(os.path.getsize(os.path.join(top, n)) for top, _, names in os.walk(card) for n in names)


def command_peak_kib(kr80a, *args):
    """Peak resident memory of `kr80a ARGS`, in KiB (GNU time's %M), and its wall time."""
    start = time.monotonic()
    out = subprocess.run(["/usr/bin/time", "-f", "%M", kr80a, *args],
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True).stderr
    return int(out.strip().splitlines()[-1]), time.monotonic() - start


def tree_peak_kib(kr80a, card):
    """Peak resident memory of `kr80a tree CARD`, in KiB."""
    return command_peak_kib(kr80a, "tree", card)[0]


def report_short_cards(kr80a, viewer, base, work, display):
    """Peaks above the sample card's, each as a multiple of the card's bytes."""
    for files in (20, 200):
        card = os.path.join(work, "short%d" % files)
        short_line_card(card, files)
        size = card_bytes(card)
        figures = [("tree", command_peak_kib(kr80a, "tree", card)[0] - base["tree"]),
                   ("tree --json", command_peak_kib(kr80a, "tree", card, "--json")[0] - base["json"]),
                   ("summary", command_peak_kib(kr80a, "summary", card)[0] - base["summary"])]
        if display:
            figures.append(("viewer", viewer_peak_kib(viewer, card, display, work) - base["viewer"]))
        goal = 2 * size + 64 * (1 << 20)
        for name, kib in figures:
            print(f"{files} files of short lines ({size / 1024:.0f} KiB), {name}: {kib / 1024:.1f} MiB "
                  f"above the sample card = {kib * 1024 / size:.1f}x the card "
                  f"(goal: within 2x + 64 MiB = {goal / (1 << 20):.1f} MiB) "
                  f"{'ok' if kib * 1024 <= goal else 'OVER'}")
        shutil.rmtree(card)


def report_stray_card(kr80a, work):
    plain, strays = os.path.join(work, "plain"), os.path.join(work, "strays")
    stray_card(plain, 0)
    stray_card(strays, 50000)
    times = [command_peak_kib(kr80a, "summary", c)[1] for c in (plain, strays)]
    print(f"summary of 10,000 records: {times[0]:.2f} s alone, {times[1]:.2f} s beside 50,000 stray "
          f"files = {times[1] / times[0]:.2f}x (goal: at most 2x)")
    shutil.rmtree(plain)
    shutil.rmtree(strays)


def high_water_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def xdotool(display, *args):
    return subprocess.run(["xdotool", *args], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          env=dict(os.environ, DISPLAY=display), text=True).stdout.split()


def viewer_peak_kib(viewer, card, display, work):
    """Peak resident memory of the viewer from its start until its window shows."""
    name = os.path.basename(viewer)
    config = os.path.join(work, "config-" + str(time.monotonic_ns()))
    os.makedirs(os.path.join(config, name))
    with open(os.path.join(config, name, name + ".ini"), "w") as f:
        f.write(f"[{name}]\nUSE_DefaultFolder=1\nDefaultFolder={card}\n")
    env = dict(os.environ, XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=os.path.join(work, "runtime"),
               DISPLAY=display, QT_QPA_PLATFORM="xcb")
    process = subprocess.Popen([viewer], env=env)
    try:
        deadline = time.monotonic() + 300
        while time.monotonic() < deadline:
            if xdotool(display, "search", "--all", "--onlyvisible", "--pid", str(process.pid), "--name", "KR80A/80 CSV"):
                time.sleep(0.5)
                return high_water_kib(process.pid)
            # The scan's message boxes, captioned with the application's name.
            for box in xdotool(display, "search", "--all", "--onlyvisible", "--pid", str(process.pid), "--name", "^" + name + "$"):
                xdotool(display, "key", "--window", box, "Return")
            time.sleep(0.2)
        raise RuntimeError("the viewer's window did not appear")
    finally:
        process.kill()
        process.wait()


def start_xvfb(work):
    """A private X server; it picks a free display and writes its number when ready."""
    display_file = os.path.join(work, "display")
    with open(display_file, "w") as out:
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(out.fileno()), "-screen", "0", "1024x600x24",
                                 "-nolisten", "tcp"], pass_fds=(out.fileno(),),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        if os.path.getsize(display_file) > 0:
            break
        time.sleep(0.1)
    with open(display_file) as f:
        return xvfb, ":" + f.read().strip()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default="build")
    parser.add_argument("--card", default="/tmp/kr80a-hostile-card")
    parser.add_argument("--no-viewer", action="store_true")
    parser.add_argument("--only-short", action="store_true", help="only the short-line and stray-file cards")
    args = parser.parse_args()
    sample = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples", "KR80A")
    kr80a = os.path.join(args.build, "src", "cli", "kr80a")
    viewer = os.path.join(args.build, "src", "app", "KR80A_Viewer")

    base = {"tree": command_peak_kib(kr80a, "tree", sample)[0],
            "json": command_peak_kib(kr80a, "tree", sample, "--json")[0],
            "summary": command_peak_kib(kr80a, "summary", sample)[0]}
    with tempfile.TemporaryDirectory() as work:
        display = None
        if not args.no_viewer:
            os.mkdir(os.path.join(work, "runtime"), 0o700)
            xvfb, display = start_xvfb(work)
        try:
            if display:
                base["viewer"] = viewer_peak_kib(viewer, sample, display, work)
            report_short_cards(kr80a, viewer, base, work, display)
            report_stray_card(kr80a, work)
        finally:
            if display:
                xvfb.kill()
                xvfb.wait()
    if args.only_short:
        return

    write_card(args.card)
    apparent = sum(os.path.getsize(os.path.join(top, n)) for top, _, names in os.walk(args.card) for n in names)
    print(f"hostile card: {apparent / GIB:.1f} GiB of files (sparse), largest 4 GiB")

    base, hostile = tree_peak_kib(kr80a, sample), tree_peak_kib(kr80a, args.card)
    print(f"kr80a tree: sample card {base / 1024:.1f} MiB, hostile card {hostile / 1024:.1f} MiB "
          f"(goal: under 256 MiB)")
    if args.no_viewer:
        return
    with tempfile.TemporaryDirectory() as work:
        os.mkdir(os.path.join(work, "runtime"), 0o700)
        xvfb, display = start_xvfb(work)
        try:
            base = viewer_peak_kib(viewer, sample, display, work)
            hostile = viewer_peak_kib(viewer, args.card, display, work)
        finally:
            xvfb.kill()
            xvfb.wait()
    print(f"viewer:     sample card {base / 1024:.1f} MiB, hostile card {hostile / 1024:.1f} MiB "
          f"(goal: under 512 MiB)")


if __name__ == "__main__":
    main()
