#include "screens/ScreenLabels.h"

#include "data/CDataItem.h"
#include "screens/RecordDisplay.h"
#include "screens/ScreenTestSupport.h"

#include <gtest/gtest.h>

namespace {

// The labels read from the item alone must be the ones its screen shows, for
// every kind and for system codes each screen knows, does not know, or reads
// from odd text (the atoi rule).
TEST(ScreenLabels, SingleLineRecordsGiveWhatTheirScreenShows)
{
    const char* codes[] = {"-1", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12",
                           " 7", "07", "3x", "x", ""};
    for (const DataKind kind : {kindLevel, kindBer, kindSky, kindConstel}) {
        for (const char* code : codes) {
            SCOPED_TRACE(::testing::Message() << "kind " << kind << " code '" << code << "'");
            RecordRow row;
            row.SetColumn(1, EncodeCardText("屋上 Ａ-1"));
            row.SetColumn(3, "27");
            row.SetColumn(18, code);
            const CDataItem item(kind, 1, "1", "/card/F/K/F.CSV", &row);
            RecordDisplay display;
            display.Select(&item);
            EXPECT_EQ(RecordSystemLabel(item), display.LabelText(RecordDisplay::kSystemLabel));
            EXPECT_EQ(RecordCaption(item), display.LabelText(RecordDisplay::kCaption));
        }
    }
}

TEST(ScreenLabels, MultiChannelRecordsGiveWhatTheirScreenShows)
{
    for (const char* group : {"VU/CATV", "VU/CATV  ", "vu/catv", "BS", "CS1 ", ""}) {
        SCOPED_TRACE(group);
        CDataItem item(kindMulti, 1, "1", "/card/F/MULTI/01.CSV");
        std::vector<RecordRow> rows = MultiCard{.group = group}.Rows({"60.0", "61.0"});
        rows[1].SetColumn(1, "SECOND"); // the first channel's name is the record's
        item.m_channels = rows;
        RecordDisplay display;
        display.Select(&item);
        EXPECT_EQ(RecordSystemLabel(item), display.LabelText(RecordDisplay::kSystemLabel));
        EXPECT_EQ(RecordCaption(item), display.LabelText(RecordDisplay::kCaption));
    }
}

TEST(ScreenLabels, FoldersHaveNone)
{
    const CDataItem folder(kindFolder, 0, "", "");
    EXPECT_EQ(RecordCaption(folder), "");
    EXPECT_EQ(RecordSystemLabel(folder), "");
}

} // namespace
