#include "ViewerFixture.h"
#include "support/CaseName.h"

namespace {

const char* const kNotInstrumentFolder =
    "KR80かKR80A以外のフォルダを選択した場合\n正常にデータが読み込めない可能性があります。\nよろしいですか？";

std::string Offer(const std::string& parent, const std::string& name)
{
    return parent + " に" + name + "フォルダがあります。\nこのフォルダを開きますか？";
}

struct OfferCase {
    const char* name;
    // Folders made inside the chosen folder "CARD" (a trailing "!" makes a file).
    std::vector<std::string> inside;
    // The folder chosen, relative to the temporary card.
    std::string chosen;
    // The answers, in order, to the questions asked.
    std::vector<bool> answers;
    // The meter's folder offered (empty: none), whether the warning comes,
    // and the folder opened in the end (empty: nothing opened).
    std::string offered;
    bool warned;
    std::string opened;
};

class InstrumentOfferTest : public ViewerTest, public testing::WithParamInterface<OfferCase> {};

// Picking the card itself rather than the meter's folder on it is the most
// common first step: the folder inside is offered, and Yes opens it without
// the warning.
TEST_P(InstrumentOfferTest, OffersTheMetersFolderInsideTheChosenOne)
{
    const OfferCase& c = GetParam();
    Start("[KR80A_Viewer]\n");
    for (const std::string& name : c.inside) {
        if (name.ends_with('!'))
            m_card.Write("CARD/" + name.substr(0, name.size() - 1), "not a folder\n");
        else
            m_card.Write("CARD/" + name + "/A/LEVEL/A.CSV", "h\n" + MeasurementLine(name, "0"));
    }
    const std::string chosen = m_card.Path(c.chosen);
    m_chooser.m_answer = chosen;
    m_messages.m_answers = c.answers;
    m_messages.m_answer = false;
    m_window->SelectDataFolder();

    std::vector<std::string> asked;
    if (!c.offered.empty())
        asked.push_back(Offer(chosen, c.offered));
    if (c.warned)
        asked.push_back(kNotInstrumentFolder);
    EXPECT_EQ(m_messages.m_shown, asked);
    const std::string opened = c.opened.empty() ? std::string() : m_card.Path(c.opened);
    EXPECT_EQ(ShownFolder(), opened);
    EXPECT_EQ(ChooserStartsAt(), opened);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, InstrumentOfferTest,
    testing::Values(
        OfferCase{"TheMetersFolderItself", {"KR80A"}, "CARD/KR80A", {}, "", false, "CARD/KR80A"},
        OfferCase{"ParentYes", {"KR80A"}, "CARD", {true}, "KR80A", false, "CARD/KR80A"},
        OfferCase{"ParentNoThenWarnedAndRefused", {"KR80A"}, "CARD", {false, false}, "KR80A", true, ""},
        OfferCase{"ParentNoThenWarnedAndTaken", {"KR80A"}, "CARD", {false, true}, "KR80A", true, "CARD"},
        OfferCase{"OlderMeter", {"KR80"}, "CARD", {true}, "KR80", false, "CARD/KR80"},
        OfferCase{"BothOffersKr80a", {"KR80", "KR80A"}, "CARD", {true}, "KR80A", false, "CARD/KR80A"},
        OfferCase{"LowerCaseAsListed", {"kr80a"}, "CARD", {true}, "kr80a", false, "CARD/kr80a"},
        OfferCase{"AFileIsNoFolder", {"KR80A!"}, "CARD", {false}, "", true, ""},
        OfferCase{"Neither", {"DATA"}, "CARD", {true}, "", true, "CARD"},
        OfferCase{"OnlyDirectlyInside", {"X/KR80A"}, "CARD", {false}, "", true, ""}),
    CaseName());

} // namespace
