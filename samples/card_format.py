"""How the meter writes its files: record columns, count files, values files.

Every values file starts with a header line and holds one record per line of
28 comma-separated fields; texts are Shift-JIS (code page 932). The meter ends
its values lines with CR LF, so the CR stays in the last field (column 27),
which only the second SKY row reads, trimmed. Count files end their lines with
LF alone, because the version line must be exactly "1.00".
"""

import os

COLUMN_COUNT = 28

# Column numbers of a record line, named after what they hold.
COLUMNS = {
    "number": 0,       # record tag; for CONSTEL its last 3 bytes name the dot picture
    "title": 1,        # caption, shown in the tree label and the data-name field
    "band": 2,         # band name, or satellite name on satellite layouts
    "channel": 3,
    "tag": 4,          # class 1: modulation / channel tag (polarisation)
    "frequency": 5,    # MHz
    "level": 6,        # dBuV or a placeholder
    "cn": 7,           # C/N dB or a placeholder
    "modulation": 8,   # classes 2 and 3: modulation
    "converter": 9,    # GHz; "*" when no converter is used
    "correction": 10,  # "OFF" or a value in dB
    "mode": 11,        # measuring mode; decides the class when column 12 does not
    "klass": 12,       # record class 1 to 3, or 0 when the mode decides
    "scale": 13,       # MULTI: scale offset in half spans
    "range": 14,       # MULTI: 0 = 8 dB, 1 = 4 dB, 2 = 2 dB per division
    "group": 15,       # MULTI: "VU/CATV" or the satellite group's name
    "cursor": 16,      # MULTI: channel under the cursor at first
    "channels": 17,    # MULTI: number of channel lines of the file
    "system": 18,      # broadcast system code
    "ber": 19,
    "mer": 20,
    "band2": 21,       # SKY second row ...
    "channel2": 22,
    "tag2": 23,
    "level2": 24,
    "ber2": 25,
    "cn2": 26,
    "correction2": 27,
}

HEADER = ("No,タイトル,バンド名,チャンネル,偏波,周波数,レベル,C/N,変調方式,コンバータ,"
          "補正,モード,クラス,スケール,レンジ,グループ,カーソル,チャンネル数,"
          "システム,BER,MER,衛星名2,チャンネル2,偏波2,レベル2,BER2,C/N2,補正2").split(",")

LINE_END = b"\r\n"
# Ends the data of a values file; the meter writes it after the last record.
END_MARK = "*END"


def record(**values):
    """A record line's 28 fields; columns not named stay empty."""
    fields = [""] * COLUMN_COUNT
    for name, value in values.items():
        fields[COLUMNS[name]] = str(value)
    return fields


def encode_line(fields):
    text = ",".join(fields)
    if any("," in field or "\n" in field for field in fields):
        raise ValueError("a field may hold neither comma nor line feed: " + text)
    return text.encode("cp932") + LINE_END


def values_file_bytes(records, end_mark=False):
    lines = [encode_line(HEADER)]
    for fields in records:
        if fields[0].startswith("*"):
            raise ValueError("column 0 beginning with '*' would end the data")
        lines.append(encode_line(fields))
    if end_mark:
        lines.append(encode_line([END_MARK]))
    return b"".join(lines)


def count_file_bytes(count):
    return b"%d\n1.00\n" % count


def write_bytes(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def write_single_file_kind(root, folder, kind, records, end_mark=False):
    """F/KIND/F.cnt and F/KIND/F.CSV of LEVEL, BER, SKY or CONSTEL."""
    base = os.path.join(root, folder, kind, folder)
    write_bytes(base + ".cnt", count_file_bytes(len(records)))
    write_bytes(base + ".CSV", values_file_bytes(records, end_mark))
    return base + "."


def write_multi_kind(root, folder, measurements):
    """F/MULTI/COUNT.CNT and one NN.CSV per measurement (its channel lines)."""
    base = os.path.join(root, folder, "MULTI")
    write_bytes(os.path.join(base, "COUNT.CNT"), count_file_bytes(len(measurements)))
    for number, channels in enumerate(measurements, start=1):
        write_bytes(os.path.join(base, "%02d.CSV" % number), values_file_bytes(channels))
