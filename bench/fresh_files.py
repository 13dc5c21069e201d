"""Keeps a bench's timing of many new files clear of its own deletions.

ext4 without a journal does not hand out an inode again for a while after
it was freed (a minute, six while its inode table block waits to be
written, so that a crash leaves deleted files recoverable), and looks past
every such inode each time it makes a file. An export of 207,000 pictures
made within minutes of deleting as many spends 20-40 s more in the kernel
than one made later: a cost of what ran before, not of the export. So a
bench deletes what it wrote through `remove`, which notes the time in one
stamp that every bench shares, and calls `wait_after_removal` before it
times the next export,
which waits out the rest of that time (with a margin) where the file system
is of that kind.
"""
import os
import shutil
import tempfile
import time

SETTLE_SECONDS = 400  # six minutes and a margin


# When a bench last deleted pictures, whichever bench and folder it was.
STAMP = os.path.join(tempfile.gettempdir(), "kr80a-bench-removed")


def journal_less_ext4(path):
    """Whether `path` lies on an ext4 file system without a journal."""
    while not os.path.exists(path):
        path = os.path.dirname(path) or "."
    device = os.stat(path).st_dev
    block = os.path.realpath(f"/sys/dev/block/{os.major(device)}:{os.minor(device)}")
    try:
        with open(f"/sys/fs/ext4/{os.path.basename(block)}/journal_task") as task:
            return task.read().strip() == "<none>"
    except OSError:
        return False


def remove(folder):
    """Deletes `folder` and notes when, if it held anything."""
    if not os.path.exists(folder):
        return
    shutil.rmtree(folder, ignore_errors=True)
    os.sync()
    with open(STAMP, "w") as stamp:
        stamp.write(f"{time.time()}\n")


def wait_after_removal(folder):
    """Sleeps out what is left of SETTLE_SECONDS since a bench last deleted
    pictures, where `folder` lies on a file system that needs it."""
    try:
        with open(STAMP) as stamp:
            removed = float(stamp.read())
    except (OSError, ValueError):
        return
    left = removed + SETTLE_SECONDS - time.time()
    if left > 0 and journal_less_ext4(folder):
        print(f"waiting {left:.0f} s: ext4 without a journal skips the inodes a bench freed "
              f"{SETTLE_SECONDS - left:.0f} s ago, at a cost to every new file", flush=True)
        time.sleep(left)
