#pragma once

#include <string_view>

// The rules of choosing a data root that the main window and the options
// dialog share. No Qt here.

// Shown when the chooser gave an empty path.
inline constexpr const char* kNoFolderChosen = "フォルダが選択されませんでした。\nフォルダ選択を中止します";
// Asked before a folder that fails IsInstrumentFolder is taken.
inline constexpr const char* kNotInstrumentFolder =
    "KR80かKR80A以外のフォルダを選択した場合\n正常にデータが読み込めない可能性があります。\nよろしいですか？";

// True when the whole path ends in exactly "KR80" or "KR80A", byte for byte
// and case-sensitively: the meter names its folder so. Only the end of the
// path counts, so "/data/MYKR80" passes and "/media/KR80A/" does not.
bool IsInstrumentFolder(std::string_view path);
