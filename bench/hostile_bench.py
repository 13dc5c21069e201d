#!/usr/bin/env python3
"""Peak memory of reading a card of hostile files, against the sample card, in one run.

Writes a card whose files are far beyond anything the meter writes: a values
file of 10 million empty lines, 4 GiB files of zero bytes without a line feed
(values, count and multi-channel files; sparse, so they take no room on disk)
and values files of 10,001 lines at the longest a line may be, padded to 4 GiB.
Reports the peak resident memory of `kr80a tree` and of the viewer (under a
private Xvfb, its message boxes answered with Enter until the window shows the
tree) on that card and on the sample card.

It then writes the cards of the table of hostile cards and reports, for each,
the peak resident memory of `kr80a tree`, `tree --json`, `summary` (to standard
output and with -o), `export`, `report` and the viewer, each as a multiple of
the bytes the scan reads from the card (links inside the card read their
target again), beside the goal of 2 times those bytes + 64 MiB:
- short lines: one full line, then lines of a single field that keep the
  columns of the line before (200 files and 20 files of 10,000 lines; export
  and report on a card of `--handon-files` such files, 2 by default, since
  they write a picture or a PDF block per record);
- stray files: a folder of 10,000 constellation records beside 50,000 other
  files, with the time of `summary` and `export` beside their time on the same
  card without the stray files (goal: at most 2 times);
- links: values files, a folder and a dot picture linked out of the card to a
  large file and a measurement folder beside it, links inside the card
  (twenty folders of 1,000 records whose values file is a
  link to one inside the card), links to the card itself and to themselves;
  the scan lists what it left out (printed) and reads the rest.
Every figure is the absolute peak; the sample card's peaks are printed first,
for the program's own share.

usage: bench/hostile_bench.py [--build build] [--card /tmp/kr80a-hostile-card] [--no-viewer]
                              [--only-short] [--handon-files 2]
"""
import argparse
import json
import os
import shutil
import statistics
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


def short_line_card(card, files, records=RECORDS):
    """`files` values files, each of one full line and then lines of one field."""
    shutil.rmtree(card, ignore_errors=True)
    for j in range(files):
        name = "S%04d" % j
        d = os.path.join(card, name, "LEVEL")
        os.makedirs(d)
        with open(os.path.join(d, name + ".cnt"), "wb") as f:
            f.write(b"%d\n1.00\n" % records)
        with open(os.path.join(d, name + ".CSV"), "wb") as f:
            f.write(b"header\n" + full_line(0) + b"".join(b"%d\n" % (i % 10) for i in range(1, records)))


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


def command_run(kr80a, *args):
    """Peak resident memory of `kr80a ARGS` in KiB (GNU time's %M), its wall
    time and its processor time (user + system), in seconds."""
    start = time.monotonic()
    out = subprocess.run(["/usr/bin/time", "-f", "%M %U %S", kr80a, *args],
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True).stderr
    peak, user, system = out.strip().splitlines()[-1].split()
    return int(peak), time.monotonic() - start, float(user) + float(system)


def command_peak_kib(kr80a, *args):
    """Peak resident memory of `kr80a ARGS`, in KiB, and its wall time."""
    peak, wall, _ = command_run(kr80a, *args)
    return peak, wall


def tree_peak_kib(kr80a, card):
    """Peak resident memory of `kr80a tree CARD`, in KiB."""
    return command_peak_kib(kr80a, "tree", card)[0]


def link_card(card, outside):
    """Links out of the card, in it and in loops, beside two plain folders."""
    shutil.rmtree(card, ignore_errors=True)
    shutil.rmtree(outside, ignore_errors=True)
    short_line_card(outside, 1)  # outside/S0000/LEVEL: 10,000 records
    with open(os.path.join(outside, "key.pem"), "wb") as f:
        f.write(bytes(range(256)) * 64 * 1024)  # 16 MiB that must never be read
    # Two folders of 1,000 records each, so that export and report stay short.
    short_line_card(card, 2, 1000)
    os.symlink(os.path.join(outside, "S0000"), os.path.join(card, "AWAY"))
    d = os.path.join(card, "OUT", "LEVEL")
    os.makedirs(d)
    with open(os.path.join(d, "OUT.cnt"), "wb") as f:
        f.write(b"10000\n1.00\n")
    os.symlink(os.path.join(outside, "key.pem"), os.path.join(d, "OUT.CSV"))
    d = os.path.join(card, "DOTS", "CONSTEL")
    os.makedirs(d)
    with open(os.path.join(d, "DOTS.cnt"), "wb") as f:
        f.write(b"1\n1.00\n")
    with open(os.path.join(d, "DOTS.CSV"), "wb") as f:
        f.write(b"header\nA.C01,T,UHF,13ch,473.142857,64QAM,60.0,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n")
    os.symlink(os.path.join(outside, "key.pem"), os.path.join(d, "DOTS.C01"))
    # Twenty folders whose values file is a link to one inside the card: read 21 times.
    for i in range(20):
        name = "TWIN%02d" % i
        d = os.path.join(card, name, "LEVEL")
        os.makedirs(d)
        shutil.copy(os.path.join(card, "S0000", "LEVEL", "S0000.cnt"), os.path.join(d, name + ".cnt"))
        os.symlink(os.path.join("..", "..", "S0000", "LEVEL", "S0000.CSV"), os.path.join(d, name + ".CSV"))
    os.symlink("S0000", os.path.join(card, "SAME"))
    os.symlink(".", os.path.join(card, "S0001", "ROOT"))
    os.symlink("..", os.path.join(card, "S0001", "LEVEL", "UP"))
    d = os.path.join(card, "LOOP", "BER")
    os.makedirs(d)
    with open(os.path.join(d, "LOOP.cnt"), "wb") as f:
        f.write(b"1\n1.00\n")
    os.symlink("LOOP.CSV", os.path.join(d, "LOOP.CSV"))


def bytes_read(card):
    """The bytes a scan may read: every file of a sub-folder of a measurement
    folder (CARD/FOLDER/KIND/FILE), once for each such path, where it leads to
    a file inside the card."""
    root = os.path.realpath(card)
    total = 0
    for top, folders, names in os.walk(card, followlinks=True):
        depth = 0 if top == card else len(os.path.relpath(top, card).split(os.sep))
        real = os.path.realpath(top)
        if depth >= 2 or (real != root and not real.startswith(root + os.sep)):
            folders[:] = []
        if depth != 2 or not (real == root or real.startswith(root + os.sep)):
            continue
        for name in names:
            path = os.path.join(top, name)
            if os.path.realpath(path).startswith(root + os.sep) and os.path.isfile(path):
                total += os.path.getsize(path)
    return total


def handon_commands(card, work):
    """The hand-on commands on `card`, each writing into `work`."""
    out = os.path.join(work, "out")
    return [("export", ["export", card, out, "--quiet"], out),
            ("report", ["report", card, "-o", os.path.join(work, "r.pdf"), "--quiet"], None)]


def memory_figures(kr80a, viewer, card, work, display, handon=True):
    """(name, peak KiB) of every program on `card`."""
    figures = [("tree", command_peak_kib(kr80a, "tree", card)[0]),
               ("tree --json", command_peak_kib(kr80a, "tree", card, "--json")[0]),
               ("summary", command_peak_kib(kr80a, "summary", card)[0]),
               ("summary -o", command_peak_kib(kr80a, "summary", card, "-o", os.path.join(work, "t.csv"))[0])]
    if handon:
        for name, args, out in handon_commands(card, work):
            figures.append((name, command_peak_kib(kr80a, *args)[0]))
            if out:
                shutil.rmtree(out, ignore_errors=True)
    if display:
        figures.append(("viewer", viewer_peak_kib(viewer, card, display, work)))
    return figures


def print_figures(title, card, figures):
    size = bytes_read(card)
    goal = 2 * size + 64 * (1 << 20)
    print(f"{title}: {size / 1024:.0f} KiB read from the card (goal: peak within 2x + 64 MiB = "
          f"{goal / (1 << 20):.1f} MiB)")
    for name, kib in figures:
        print(f"  {name:12} peak {kib / 1024:7.1f} MiB = {kib * 1024 / size:8.1f}x the card  "
              f"{'ok' if kib * 1024 <= goal else 'OVER'}")


def report_short_cards(kr80a, viewer, work, display, handon_files):
    for files in (20, 200):
        card = os.path.join(work, "short%d" % files)
        short_line_card(card, files)
        print_figures(f"{files} files of short lines", card,
                      memory_figures(kr80a, viewer, card, work, display, handon=False))
        shutil.rmtree(card)
    card = os.path.join(work, "short%d" % handon_files)
    short_line_card(card, handon_files)
    print_figures(f"{handon_files} files of short lines", card, memory_figures(kr80a, viewer, card, work, display))
    shutil.rmtree(card)


def timed(kr80a, args, out=None):
    """(wall, processor) seconds of one run."""
    _, wall, cpu = command_run(kr80a, *args)
    if out:
        shutil.rmtree(out, ignore_errors=True)
    return wall, cpu


def report_stray_card(kr80a, viewer, work, display):
    plain, strays = os.path.join(work, "plain"), os.path.join(work, "strays")
    stray_card(plain, 0)
    stray_card(strays, 50000)
    out = os.path.join(work, "out")
    # Runs alternate between the two cards and the median counts, since a
    # shared machine's load moves the wall time from one run to the next.
    for name in ("summary", "export"):
        runs = {plain: [], strays: []}
        for _ in range(3):
            for card in (plain, strays):
                more = [out, "--quiet"] if name == "export" else []
                runs[card].append(timed(kr80a, [name, card, *more], out))
        wall = [statistics.median(r[0] for r in runs[c]) for c in (plain, strays)]
        cpu = [statistics.median(r[1] for r in runs[c]) for c in (plain, strays)]
        print(f"{name} of 10,000 records, median of 3: {wall[0]:.2f} s alone, {wall[1]:.2f} s beside 50,000 "
              f"stray files = {wall[1] / wall[0]:.2f}x wall; processor {cpu[0]:.2f} s and {cpu[1]:.2f} s = "
              f"{cpu[1] / cpu[0]:.2f}x (goal: at most 2x)")
    print_figures("10,000 records beside 50,000 stray files", strays,
                  memory_figures(kr80a, viewer, strays, work, display))
    shutil.rmtree(plain)
    shutil.rmtree(strays)


def report_link_card(kr80a, viewer, work, display):
    card, outside = os.path.join(work, "links"), os.path.join(work, "beside")
    link_card(card, outside)
    tree = json.loads(subprocess.run([kr80a, "tree", card, "--json"], stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL).stdout)
    print(f"links card: {len(tree['leftOut'])} left out:")
    for left in tree["leftOut"]:
        print(f"  {os.path.relpath(left['path'], card)}: {left['reason']}")
    print_figures("links out, in and in loops", card, memory_figures(kr80a, viewer, card, work, display))
    shutil.rmtree(card)
    shutil.rmtree(outside)


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
    parser.add_argument("--only-short", action="store_true", help="only the table of hostile cards")
    parser.add_argument("--handon-files", type=int, default=2,
                        help="files of short lines in the card that export and report run on")
    parser.add_argument("--work", default=None, help="where the cards are written (a temporary folder)")
    args = parser.parse_args()
    sample = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "samples", "KR80A")
    kr80a = os.path.join(args.build, "src", "cli", "kr80a")
    viewer = os.path.join(args.build, "src", "app", "KR80A_Viewer")

    with tempfile.TemporaryDirectory(dir=args.work) as work:
        display = None
        if not args.no_viewer:
            os.mkdir(os.path.join(work, "runtime"), 0o700)
            xvfb, display = start_xvfb(work)
        try:
            print_figures("the sample card", sample, memory_figures(kr80a, viewer, sample, work, display))
            report_short_cards(kr80a, viewer, work, display, args.handon_files)
            report_stray_card(kr80a, viewer, work, display)
            report_link_card(kr80a, viewer, work, display)
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
