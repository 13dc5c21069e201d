#!/usr/bin/env python3
"""Writes the bundled sample card samples/KR80A from scratch.

Usage: python3 samples/make_sample_card.py [OUTPUT_FOLDER]

The output is the same on every run (fixed random seeds), so the committed
card changes only when this script does. Standard library only.
"""

import os
import shutil
import sys

sys.dont_write_bytecode = True  # keep samples/ free of __pycache__

from card_format import COLUMNS, write_bytes, write_multi_kind, write_single_file_kind  # noqa: E402
from dot_picture import constellation_picture  # noqa: E402
from sample_folders import FOLDERS  # noqa: E402

SINGLE_FILE_KINDS = ("LEVEL", "BER", "SKY", "CONSTEL")
DEFAULT_OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "KR80A")


def write_pictures(base, records, folder):
    """One dot picture per CONSTEL record, named by the last three bytes of
    its column 0, drawn with its modulation and the MER it records."""
    for fields in records:
        extension = fields[COLUMNS["number"]][-3:]
        modulation = fields[COLUMNS["modulation"]]
        mer = float(fields[COLUMNS["mer"]])
        seed = folder + "/" + extension  # a different cloud for every record
        write_bytes(base + extension, constellation_picture(modulation, mer, seed))


def write_folder(root, name, kinds):
    end_mark = kinds.get("END_MARK", [])
    for kind in SINGLE_FILE_KINDS:
        if kind in kinds:
            base = write_single_file_kind(root, name, kind, kinds[kind], kind in end_mark)
            if kind == "CONSTEL":
                write_pictures(base, kinds[kind], name)
    if "MULTI" in kinds:
        write_multi_kind(root, name, kinds["MULTI"])


def card_size(root):
    return sum(os.path.getsize(os.path.join(folder, name))
               for folder, _, names in os.walk(root) for name in names)


def clear_output(root, is_default):
    """Removes an earlier card. A folder given on the command line is only
    cleared when it holds nothing but this card's folders, so a slip of the
    argument cannot delete anything else."""
    if not os.path.isdir(root):
        return
    strangers = set(os.listdir(root)) - set(FOLDERS)
    if strangers and not is_default:
        names = sorted(strangers)
        sys.exit("%s holds more than a sample card (%s%s); not touched"
                 % (root, ", ".join(names[:3]), ", ..." if len(names) > 3 else ""))
    shutil.rmtree(root)


def main(argv):
    if len(argv) > 2:
        sys.exit("usage: make_sample_card.py [OUTPUT_FOLDER]")
    root = argv[1] if len(argv) == 2 else DEFAULT_OUTPUT
    clear_output(root, is_default=len(argv) == 1)
    for name, make in FOLDERS.items():
        write_folder(root, name, make())
    print("%s: %d bytes" % (root, card_size(root)))


if __name__ == "__main__":
    main(sys.argv)
