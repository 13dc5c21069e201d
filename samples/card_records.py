"""Broadcast helpers for the sample records: channel frequencies, record
classes and one builder per kind, with the values a meter would store."""

from card_format import record

# Record classes: satellite work is class 1 (whole MHz, 105 dBuV limit),
# terrestrial class 2 and CATV class 3 (MHz with decimals, 120.1 dBuV limit).
# Some records leave column 12 at 0 and let the measuring mode decide.
SATELLITE = {"mode": "12", "klass": "1"}
TERRESTRIAL = {"mode": "30", "klass": "2"}
CATV = {"mode": "45", "klass": "3"}
TERRESTRIAL_BY_MODE = {"mode": "31", "klass": "0"}
CATV_BY_MODE = {"mode": "46", "klass": "0"}

# Broadcast system codes (column 18).
TERRESTRIAL_DIGITAL, ONE_SEGMENT, BS_DIGITAL, E2_SKYPERFECT = 0, 1, 2, 3
SKY_LEVEL, SKY_BER, SKY_CN = 4, 5, 6
VU_CATV, VU_CATV_ANALOG, OTHER_SATELLITE, OTHER_SATELLITE_CN = 7, 8, 9, 10
CATV_UPSTREAM = 11

BS_CONVERTER = "10.678"   # GHz, BS/110 degree CS dish
KU_CONVERTER = "11.200"   # GHz, Ku-band dish of the other satellites


def uhf_mhz(channel):
    """Centre of an ISDB-T UHF channel 13 to 62 (6 MHz raster, +1/7 MHz)."""
    return "%.6f" % (473 + (channel - 13) * 6 + 1 / 7)


def catv_mhz(channel):
    """Centre of a CATV channel C13 to C63."""
    if channel <= 22:
        return "%.2f" % (111 + (channel - 13) * 6)
    return "%.2f" % (225 + (channel - 23) * 6)


def bs_if_mhz(channel):
    """First IF of BS channel 1, 3, ... 23 behind a 10.678 GHz converter."""
    return "%.2f" % (1049.48 + (channel - 1) / 2 * 38.36)


def cs_if_mhz(channel):
    """First IF of 110 degree CS channel ND2, ND4, ... ND24."""
    return "%.2f" % (1613 + (channel - 2) / 2 * 40)


def numbered(prefix, records):
    """Column 0 of each record: the kind letter and its number in the file."""
    for number, fields in enumerate(records, start=1):
        fields[0] = "%s%02d" % (prefix, number)
    return records


def level_record(title, system, klass, **values):
    defaults = {"cn": "---.-", "ber": "-.-----", "mer": "---.-", "correction": "OFF"}
    return record(title=title, system=system, **klass, **{**defaults, **values})


def ber_record(title, system, klass, **values):
    defaults = {"correction": "OFF", "mer": "---.-"}
    return record(title=title, system=system, **klass, **{**defaults, **values})


def sky_record(title, system, **values):
    defaults = {
        "band": "JCSAT-3A", "channel": "12", "tag": "H", "frequency": "1273.00",
        "band2": "JCSAT-4A", "channel2": "8", "tag2": "V",
        "level": "---.-", "cn": "---.-", "ber": "-.-----",
        "level2": "---.-", "cn2": "---.-", "ber2": "-.-----",
        "modulation": "QPSK", "converter": KU_CONVERTER,
        "correction": "OFF", "correction2": "OFF",
    }
    return record(title=title, system=system, **SATELLITE, **{**defaults, **values})


def constel_record(title, system, klass, **values):
    defaults = {"correction": "OFF", "cn": "---.-"}
    return record(title=title, system=system, **klass, **{**defaults, **values})


def multi_channels(title, band, group, channels, scale, range_code, cursor, klass, system):
    """One MULTI measurement: a line per channel (name, MHz, level, modulation,
    converter, correction), the measurement's settings repeated on each line."""
    lines = []
    for number, (name, mhz, level, modulation, converter, correction) in enumerate(channels, 1):
        lines.append(record(
            number="%02d" % number, title=title, band=band, channel=name,
            frequency=mhz, level=level, modulation=modulation, converter=converter,
            correction=correction, scale=scale, range=range_code, group=group,
            cursor=cursor, channels=len(channels), system=system, **klass))
    return lines
