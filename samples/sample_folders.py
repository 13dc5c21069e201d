"""The measurement folders of the sample card: what was measured where.

Each folder function returns {kind: records} for the single-file kinds,
"MULTI": [channel lines per measurement], and "END_MARK": the kinds whose
values file ends with the end mark line.
"""

import random

from card_records import (
    BS_CONVERTER, BS_DIGITAL, CATV, CATV_BY_MODE, CATV_UPSTREAM, E2_SKYPERFECT,
    KU_CONVERTER, ONE_SEGMENT, OTHER_SATELLITE, OTHER_SATELLITE_CN, SATELLITE,
    SKY_BER, SKY_CN, SKY_LEVEL, TERRESTRIAL, TERRESTRIAL_BY_MODE,
    TERRESTRIAL_DIGITAL, VU_CATV, VU_CATV_ANALOG, ber_record, bs_if_mhz,
    catv_mhz, constel_record, cs_if_mhz, level_record, multi_channels, numbered,
    sky_record, uhf_mhz,
)

TOKYO_CHANNELS = [16, 20, 21, 22, 23, 24, 25, 26, 27, 28]


def rooftop():
    """A house: the UHF and BS/CS dishes on the roof, the booster, a wall socket."""
    uhf = {"band": "UHF", "modulation": "OFDM"}
    level = numbered("L", [
        level_record("屋上 UHFアンテナ直下", TERRESTRIAL_DIGITAL, TERRESTRIAL, **uhf,
                     channel="27", frequency=uhf_mhz(27), level="78.6"),
        level_record("屋上 UHFアンテナ 16ch", TERRESTRIAL_DIGITAL, TERRESTRIAL, **uhf,
                     channel="16", frequency=uhf_mhz(16), level="73.1"),
        level_record("ブースター出力 27ch", TERRESTRIAL_DIGITAL, TERRESTRIAL, **uhf,
                     channel="27", frequency=uhf_mhz(27), level="108.3", correction="10.0"),
        level_record("BSアンテナ BS1", BS_DIGITAL, SATELLITE, band="BS", channel="1",
                     tag="R", frequency=bs_if_mhz(1), level="64.2",
                     modulation="TC8PSK", converter=BS_CONVERTER),
        level_record("BSアンテナ BS15", BS_DIGITAL, SATELLITE, band="BS", channel="15",
                     tag="R", frequency=bs_if_mhz(15), level="61.8",
                     modulation="TC8PSK", converter=BS_CONVERTER),
        level_record("CSアンテナ ND2", E2_SKYPERFECT, SATELLITE, band="N-SAT110",
                     channel="2", tag="R", frequency=cs_if_mhz(2), level="58.4",
                     modulation="QPSK", converter=BS_CONVERTER),
        level_record("居間 テレビ端子", TERRESTRIAL_DIGITAL, TERRESTRIAL_BY_MODE, **uhf,
                     channel="27", frequency=uhf_mhz(27), level="66.0"),
    ])
    ber = numbered("B", [
        ber_record("屋上 27ch BER", TERRESTRIAL_DIGITAL, TERRESTRIAL, **uhf, channel="27",
                   frequency=uhf_mhz(27), level="78.6", cn="31.7", ber="_._____"),
        ber_record("屋上 16ch BER", TERRESTRIAL_DIGITAL, TERRESTRIAL, **uhf, channel="16",
                   frequency=uhf_mhz(16), level="73.1", cn="27.4", ber="2.4E-07"),
        ber_record("BSアンテナ BS15", BS_DIGITAL, SATELLITE, band="BS", channel="15",
                   tag="R", frequency=bs_if_mhz(15), level="61.8", cn="16.2",
                   ber="1.0E-08", modulation="TC8PSK", converter=BS_CONVERTER),
        ber_record("CSアンテナ ND2", E2_SKYPERFECT, SATELLITE, band="N-SAT110",
                   channel="2", tag="R", frequency=cs_if_mhz(2), level="58.4",
                   cn="12.7", ber="3.6E-06", modulation="QPSK", converter=BS_CONVERTER),
    ])
    # Layer B of the terrestrial signal carries 64QAM.
    layer_b = {"band": "UHF", "modulation": "64QAM"}
    constel = numbered("C", [
        constel_record("屋上 27ch 64QAM", TERRESTRIAL_DIGITAL, TERRESTRIAL, **layer_b,
                       channel="27", frequency=uhf_mhz(27), level="78.6", mer="28.7"),
        constel_record("居間 16ch 64QAM", TERRESTRIAL_DIGITAL, TERRESTRIAL, **layer_b,
                       channel="16", frequency=uhf_mhz(16), level="61.2", mer="23.4"),
    ])
    multi = [tokyo_uhf_scan()]
    return {"LEVEL": level, "BER": ber, "CONSTEL": constel, "MULTI": multi}


def tokyo_uhf_scan():
    levels = ["71.8", "74.3", "76.9", "77.2", "75.8", "78.4", "74.1", "76.6", "78.6", "75.0"]
    channels = [(str(ch), uhf_mhz(ch), level, "OFDM", "", "OFF")
                for ch, level in zip(TOKYO_CHANNELS, levels)]
    return multi_channels("屋上 UHF 10波", "UHF", "VU/CATV", channels, scale=1,
                          range_code=0, cursor=9, klass=TERRESTRIAL, system=VU_CATV)


def mansion():
    """An apartment block fed by CATV: head-end amplifier, sockets, upstream."""
    level = numbered("L", [
        level_record("MDF室 増幅器出力 C13", VU_CATV, CATV, band="CATV", channel="C13",
                     frequency=catv_mhz(13), level="98.5", modulation="64QAM"),
        level_record("MDF室 増幅器出力 C35", VU_CATV, CATV, band="CATV", channel="C35",
                     frequency=catv_mhz(35), level="97.2", modulation="64QAM"),
        level_record("ヘッドエンド出力 C63", VU_CATV, CATV, band="CATV", channel="C63",
                     frequency=catv_mhz(63), level="~~~.~", modulation="64QAM"),
        level_record("305号室 端子 27ch", VU_CATV, CATV_BY_MODE, band="UHF", channel="27",
                     frequency=uhf_mhz(27), level="71.4", modulation="OFDM"),
        level_record("305号室 端子 FM", VU_CATV_ANALOG, CATV, band="FM", channel="FM",
                     frequency="80.00", level="62.7", modulation="FM"),
        level_record("上り信号 リターン", CATV_UPSTREAM, CATV, band="UP", channel="U2",
                     frequency="30.00", level="101.2", modulation="QPSK"),
        level_record("501号室 端子 C52", VU_CATV, CATV, band="CATV", channel="C52",
                     frequency=catv_mhz(52), level="___._", modulation="64QAM"),
    ])
    ber = numbered("B", [
        ber_record("MDF室 C35 64QAM", VU_CATV, CATV, band="CATV", channel="C35",
                   frequency=catv_mhz(35), level="97.2", cn="---.-", mer="38.2",
                   ber="_._____", modulation="64QAM"),
        ber_record("305号室 27ch OFDM", VU_CATV, CATV, band="UHF", channel="27",
                   frequency=uhf_mhz(27), level="71.4", cn="29.9", mer="---.-",
                   ber="1.3E-06", modulation="OFDM"),
        ber_record("501号室 C13 64QAM", VU_CATV, CATV, band="CATV", channel="C13",
                   frequency=catv_mhz(13), level="48.0", cn="---.-", mer="19.5",
                   ber="~.~~~~~", modulation="64QAM"),
    ])
    constel = numbered("C", [
        constel_record("MDF室 C35 64QAM", VU_CATV, CATV, band="CATV", channel="C35",
                       frequency=catv_mhz(35), level="97.2", modulation="64QAM", mer="36.2"),
        constel_record("305号室 C44 256QAM", VU_CATV, CATV, band="CATV", channel="C44",
                       frequency=catv_mhz(44), level="68.3", modulation="256QAM", mer="33.0"),
    ])
    return {"LEVEL": level, "BER": ber, "CONSTEL": constel, "MULTI": [catv_scan()]}


def catv_scan():
    """C13 to C52 at a socket: the cable's tilt, two empty channels below the
    range and one the meter skipped."""
    rng = random.Random(4052)
    channels = []
    for ch in range(13, 53):
        level = "%.1f" % (76.5 - 0.22 * (ch - 13) + rng.uniform(-1.5, 1.5))
        if ch in (29, 30):
            level = "___._"
        elif ch == 47:
            level = "---.-"
        channels.append(("C%d" % ch, catv_mhz(ch), level, "64QAM", "", "OFF"))
    return multi_channels("305号室 CATV 40波", "CATV", "VU/CATV", channels, scale=2,
                          range_code=1, cursor=23, klass=CATV, system=VU_CATV)


def satdish():
    """Aligning dishes: BS/110 degree CS behind a 10.678 GHz converter, and
    the SkyPerfect satellites JCSAT-3A and JCSAT-4A behind a Ku converter."""
    bs = {"band": "BS", "tag": "R", "modulation": "TC8PSK", "converter": BS_CONVERTER}
    cs = {"band": "N-SAT110", "tag": "R", "modulation": "QPSK", "converter": BS_CONVERTER}
    ku = {"tag": "H", "modulation": "QPSK", "converter": KU_CONVERTER}
    level = numbered("L", [
        level_record("BS1 LNB出力", BS_DIGITAL, SATELLITE, **bs, channel="1",
                     frequency=bs_if_mhz(1), level="72.5"),
        level_record("BS23 LNB出力", BS_DIGITAL, SATELLITE, **bs, channel="23",
                     frequency=bs_if_mhz(23), level="70.1"),
        level_record("ND24 LNB出力", E2_SKYPERFECT, SATELLITE, **cs, channel="24",
                     frequency=cs_if_mhz(24), level="66.8"),
        level_record("JCSAT-3A TP12", OTHER_SATELLITE, SATELLITE, **ku, band="JCSAT-3A",
                     channel="12", frequency="1273.00", level="59.3"),
        level_record("JCSAT-4A TP8 C/N", OTHER_SATELLITE_CN, SATELLITE, **ku,
                     band="JCSAT-4A", channel="8", frequency="1333.00", level="57.6",
                     cn="11.8"),
        level_record("BS3 分配器出力", BS_DIGITAL, SATELLITE, **{**bs, "converter": "*"},
                     channel="3", frequency=bs_if_mhz(3), level="52.4"),
        level_record("ブースター出力 BS11", BS_DIGITAL, SATELLITE, **bs, channel="11",
                     frequency=bs_if_mhz(11), level="106.5"),
        level_record("ケーブル損失補正 BS11", BS_DIGITAL, SATELLITE, **bs, channel="11",
                     frequency=bs_if_mhz(11), level="99.8", correction="6.0"),
    ])
    ber = numbered("B", [
        ber_record("BS1 LNB出力", BS_DIGITAL, SATELLITE, **bs, channel="1",
                   frequency=bs_if_mhz(1), level="72.5", cn="19.4", ber="_._____"),
        ber_record("ND24 LNB出力", E2_SKYPERFECT, SATELLITE, **cs, channel="24",
                   frequency=cs_if_mhz(24), level="66.8", cn="14.1", ber="8.0E-07"),
        ber_record("JCSAT-3A TP12", OTHER_SATELLITE, SATELLITE, **ku, band="JCSAT-3A",
                   channel="12", frequency="1273.00", level="59.3", cn="26.0",
                   ber="_._____"),
        ber_record("降雨時 BS15", BS_DIGITAL, SATELLITE, **bs, channel="15",
                   frequency=bs_if_mhz(15), level="55.1", cn="3.8", ber="~.~~~~~"),
    ])
    sky = numbered("S", [
        sky_record("スカパー! 2衛星 レベル", SKY_LEVEL, level="62.4", level2="58.9",
                   correction2="3.0"),
        sky_record("スカパー! 2衛星 BER", SKY_BER, level="62.4", level2="58.9",
                   ber="2.0E-08", ber2="_._____"),
        sky_record("スカパー! 2衛星 C/N", SKY_CN, cn="14.2", cn2="12.6"),
        sky_record("降雨時 C/N", SKY_CN, cn="4.1", cn2="___._"),
    ])
    return {"LEVEL": level, "BER": ber, "SKY": sky,
            "MULTI": [bs_cs_scan(), bs_scan_fine()]}


BS_CHANNELS = [("BS%d" % ch, bs_if_mhz(ch)) for ch in range(1, 24, 2)]
CS_CHANNELS = [("ND%d" % ch, cs_if_mhz(ch)) for ch in range(2, 17, 2)]


def satellite_channels(rng, names, mean_level, spread, modulation, correction):
    """Channel lines behind the BS/CS converter, levels scattered around a mean."""
    return [(name, mhz, "%.1f" % (mean_level + rng.uniform(-spread, spread)), modulation,
             BS_CONVERTER, correction) for name, mhz in names]


def bs_cs_scan():
    """The 12 BS and the first 8 CS channels behind the converter."""
    rng = random.Random(2020)
    channels = (satellite_channels(rng, BS_CHANNELS, 71.5, 2.0, "TC8PSK", "OFF") +
                satellite_channels(rng, CS_CHANNELS, 65.0, 2.0, "QPSK", "OFF"))
    return multi_channels("BS・CS 右旋 20波", "BS･CS", "右旋", channels, scale=0,
                          range_code=0, cursor=1, klass=SATELLITE, system=BS_DIGITAL)


def bs_scan_fine():
    """The BS channels again at 4 dB per division, with the cable loss corrected."""
    rng = random.Random(1212)
    channels = satellite_channels(rng, BS_CHANNELS, 73.0, 2.5, "TC8PSK", "3.0")
    return multi_channels("BS 12波 ケーブル補正", "BS", "右旋", channels, scale=1,
                          range_code=1, cursor=8, klass=SATELLITE, system=BS_DIGITAL)


def oneseg():
    """One-segment reception in a car; the one-segment layer is QPSK."""
    seg = {"band": "UHF", "modulation": "QPSK"}
    ber = numbered("B", [
        ber_record("車載 21ch ワンセグ", ONE_SEGMENT, TERRESTRIAL, **seg, channel="21",
                   frequency=uhf_mhz(21), level="58.3", mer="24.6", ber="_._____"),
        ber_record("車載 27ch ワンセグ", ONE_SEGMENT, TERRESTRIAL, **seg, channel="27",
                   frequency=uhf_mhz(27), level="66.9", mer="31.2", ber="_._____"),
        ber_record("トンネル出口 16ch", ONE_SEGMENT, TERRESTRIAL, **seg, channel="16",
                   frequency=uhf_mhz(16), level="34.5", mer="8.2", ber="4.5E-04"),
        ber_record("地下駐車場 22ch", ONE_SEGMENT, TERRESTRIAL_BY_MODE, **seg, channel="22",
                   frequency=uhf_mhz(22), level="___._", mer="---.-", ber="-.-----"),
    ])
    constel = numbered("C", [
        constel_record("車載 21ch QPSK", ONE_SEGMENT, TERRESTRIAL, **seg, channel="21",
                       frequency=uhf_mhz(21), level="58.3", mer="18.4"),
        constel_record("トンネル出口 16ch QPSK", ONE_SEGMENT, TERRESTRIAL, **seg,
                       channel="16", frequency=uhf_mhz(16), level="34.5", mer="11.0"),
    ])
    return {"BER": ber, "CONSTEL": constel, "END_MARK": ["BER"]}


FOLDERS = {
    "ROOFTOP": rooftop,
    "MANSION": mansion,
    "SATDISH": satdish,
    "ONESEG": oneseg,
}
