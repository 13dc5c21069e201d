#!/usr/bin/env python3
"""Peak memory of reading a card of hostile files, against the sample card, in one run.

Writes a card whose files are far beyond anything the meter writes: a values
file of 10 million empty lines, 4 GiB files of zero bytes without a line feed
(values, count and multi-channel files; sparse, so they take no room on disk)
and values files of 10,001 lines at the longest a line may be, padded to 4 GiB.
Reports the peak resident memory of `kr80a tree` and of the viewer (under a
private Xvfb, its message boxes answered with Enter until the window shows the
tree) on that card and on the sample card.

usage: bench/hostile_bench.py [--build build] [--card /tmp/kr80a-hostile-card] [--no-viewer]
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


def tree_peak_kib(kr80a, card):
    """Peak resident memory of `kr80a tree CARD`, in KiB (GNU time's %M)."""
    out = subprocess.run(["/usr/bin/time", "-f", "%M", kr80a, "tree", card],
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True).stderr
    return int(out.strip().splitlines()[-1])


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
    args = parser.parse_args()
    sample = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples", "KR80A")
    kr80a = os.path.join(args.build, "src", "cli", "kr80a")
    viewer = os.path.join(args.build, "src", "app", "KR80A_Viewer")

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
