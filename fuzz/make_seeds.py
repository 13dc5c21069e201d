#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target from the sample card (samples/KR80A).

Each target's corpus lives in fuzz/corpus/TARGET and stays small: one seed per
sample file or measurement folder, dot pictures cut short (the rest of a short
picture counts as clear). Run it again when the sample card changes: it
rewrites the seeds and keeps every other file of a corpus, such as an input
that once made a target fail.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
CARD = os.path.join(HERE, "..", "samples", "KR80A")
KINDS = ["LEVEL", "BER", "SKY", "CONSTEL", "MULTI"]  # the screens target's first byte, 0 to 4
PICTURE_BYTES = 512
# The screens target's panel keys, one a byte: key (left, right, up, down,
# enter) plus 5 for shift. Right, enter, shift+right, left, shift+left, shift+up.
KEYS = bytes([1, 4, 6, 0, 5, 7])


def files(folder):
    for top, _, names in sorted(os.walk(folder)):
        for name in sorted(names):
            path = os.path.join(top, name)
            yield os.path.relpath(path, CARD), open(path, "rb").read()


def corpus(target):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    return lambda name, data: open(os.path.join(folder, name), "wb").write(data)


def main():
    card_files, screens, card_folder = corpus("fuzz_card_files"), corpus("fuzz_screens"), corpus("fuzz_card_folder")
    for site in sorted(os.listdir(CARD)):
        entries = []
        for relative, data in files(os.path.join(CARD, site)):
            kind = relative.split(os.sep)[1]
            picture = not relative.upper().endswith((".CSV", ".CNT"))
            seed_name = relative.replace(os.sep, "_")
            if picture:
                data = data[:PICTURE_BYTES]
            else:
                card_files(seed_name, data)
            if relative.upper().endswith(".CSV"):
                stem = os.path.splitext(relative)[0]
                pictures = [d for r, d in files(os.path.join(CARD, site))
                            if os.path.splitext(r)[0] == stem and not r.upper().endswith((".CSV", ".CNT"))]
                picture_bytes = pictures[0][:PICTURE_BYTES] if pictures else b""
                screens(seed_name, bytes([KINDS.index(kind)]) + data + b"\x1e" + picture_bytes + b"\x1e" + KEYS)
            entries.append(relative.encode() + b"\n" + data)
        card_folder(site, b"\x1e".join(entries))
    link_seeds(card_folder)
    settings_writer_seeds(corpus("fuzz_settings_writer"))


def link_seeds(card_folder):
    """Cards with links out of the card, inside it, and in loops (0x1D entries)."""
    level = b"h\n1,title,UHF,27\n2,two,UHF,28\n"
    constel = b"h\nA.C01,one,UHF\nA.C02,two,UHF\n"
    def link(path, target):
        return b"\x1d" + path + b"\n" + target
    def file(path, data):
        return path + b"\n" + data
    card_folder("links-out", b"\x1e".join([
        file(b"Out/LEVEL/Out.cnt", b"1\n1.00\n"), link(b"Out/LEVEL/Out.CSV", b"~F/LEVEL/F.CSV"),
        link(b"Away", b"~F"), file(b"C/CONSTEL/C.cnt", b"2\n1.00\n"), file(b"C/CONSTEL/C.CSV", constel),
        link(b"C/CONSTEL/C.C01", b"~F.C01"), file(b"C/CONSTEL/c.c02", b"1,1\n")]))
    card_folder("links-in-and-loops", b"\x1e".join([
        file(b"In/LEVEL/In.cnt", b"2\n1.00\n"), file(b"In/LEVEL/In.CSV", level),
        file(b"Linked/LEVEL/Linked.cnt", b"2\n1.00\n"), link(b"Linked/LEVEL/Linked.CSV", b"In/LEVEL/In.CSV"),
        link(b"Twin", b"In"), link(b"In/LEVEL/Root", b""), file(b"Loop/BER/Loop.cnt", b"1\n1.00\n"),
        link(b"Loop/BER/Loop.CSV", b"Loop/BER/Loop.CSV"), link(b"Self", b"Self")]))


def settings_writer_seeds(seed):
    """The key's byte, the value's line, the rest of the settings file."""
    seed("replace-crlf.ini", b"\x02/media/u/KR80A\r\n[KR80A_Viewer]\r\nUSE_DefaultFolder=1\r\n"
                             b"DefaultFolder=/old\r\n\r\n[Other]\r\nFolder=x\r\n")
    seed("new-key.ini", b"\x05  blanks kept  \n[kr80a_viewer]\nFolder=/a\n\n[KR80A_Viewer]\nUSE_LastFolder=0")
    seed("new-section.ini", b"\x08value\n; no section of that name\nFolder=top\n")
    seed("line-break.ini", b"\x04a\rb\n[KR80A_Viewer]\nFolder=kept\n")


if __name__ == "__main__":
    main()
