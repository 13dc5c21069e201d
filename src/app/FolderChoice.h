#pragma once

#include <string>
#include <string_view>

class Messages;

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

// The name, as the folder's listing spells it, of the meter's folder lying
// directly in `folder`: a folder named "KR80A" or else "KR80", letter case
// ignored (a card's FAT file system may show it in lower case). Empty when
// there is none or `folder` cannot be listed.
std::string InstrumentFolderInside(const std::string& folder);

// "folder/name", without doubling a slash that ends `folder`.
std::string JoinFolder(const std::string& folder, const std::string& name);

// Users often pick the card itself rather than the meter's folder on it.
// When `path` is not an instrument folder but holds one, asks whether to open
// that one instead; on Yes `path` becomes it and the result is true. The
// folder offered is taken without the instrument-folder warning: the user has
// just agreed to it.
bool OfferInstrumentFolder(Messages& messages, std::string& path);
