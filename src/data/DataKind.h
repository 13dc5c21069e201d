#pragma once

// What a tree item stands for: a kind root or measurement folder
// (kindFolder), or a record of one of the five kinds the meter measures.
// The numbers are the meter's own; 1 is never used.
enum DataKind {
    kindFolder = 0,
    kindLevel = 2,
    kindBer = 3,
    kindSky = 4,
    kindConstel = 5,
    kindMulti = 6,
};

// The five record kinds in tree order: the order of the kind roots, and the
// order in which the scan reads a measurement folder's sub-folders.
constexpr DataKind kRecordKinds[] = {kindLevel, kindBer, kindSky, kindConstel, kindMulti};

// The sub-folder of a measurement folder that holds a kind's files, as the
// meter names it; an export mirrors the card with the same names. Empty for
// kindFolder.
constexpr const char* KindFolderName(DataKind kind)
{
    switch (kind) {
    case kindLevel: return "LEVEL";
    case kindBer: return "BER";
    case kindSky: return "SKY";
    case kindConstel: return "CONSTEL";
    case kindMulti: return "MULTI";
    default: return "";
    }
}

// A kind's root label in the tree (UTF-8), which the report and the summary
// table also use as the kind's heading. Empty for kindFolder.
constexpr const char* KindHeading(DataKind kind)
{
    switch (kind) {
    case kindLevel: return "レベル測定データ";
    case kindBer: return "BER測定データ";
    case kindSky: return "スカパー測定データ";
    case kindConstel: return "コンスタレーションデータ";
    case kindMulti: return "多チャンネルデータ";
    default: return "";
    }
}
