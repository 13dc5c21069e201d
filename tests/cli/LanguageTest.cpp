#include "support/CaseName.h"
#include "support/RunKr80a.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace {

// Sets the locale variables of the runs in one test, and puts back what the
// test program had.
class LocaleVariables {
public:
    explicit LocaleVariables(const std::map<std::string, std::string>& values)
    {
        for (const char* name : kNames) {
            if (const char* old = std::getenv(name))
                m_saved[name] = old;
            const auto found = values.find(name);
            if (found == values.end())
                unsetenv(name);
            else
                setenv(name, found->second.c_str(), 1);
        }
    }
    ~LocaleVariables()
    {
        for (const char* name : kNames) {
            const auto found = m_saved.find(name);
            if (found == m_saved.end())
                unsetenv(name);
            else
                setenv(name, found->second.c_str(), 1);
        }
    }
    LocaleVariables(const LocaleVariables&) = delete;
    LocaleVariables& operator=(const LocaleVariables&) = delete;

private:
    static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"};
    std::map<std::string, std::string> m_saved;
};

constexpr const char* kEnglishError = "kr80a: cannot read the data root /no/such/card: ";
constexpr const char* kJapaneseError = "kr80a: データフォルダ /no/such/card を読めません: ";

struct LocaleCase {
    std::string name;
    std::map<std::string, std::string> variables;
    bool japanese;
};

class Language : public testing::TestWithParam<LocaleCase> {};

TEST_P(Language, FollowsTheLocaleOfMessages)
{
    const LocaleVariables locale(GetParam().variables);
    const RunResult run = RunKr80a("tree /no/such/card");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.starts_with(GetParam().japanese ? kJapaneseError : kEnglishError)) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Locales, Language,
    testing::Values(LocaleCase{"Unset", {}, false}, LocaleCase{"C", {{"LANG", "C"}}, false},
                    LocaleCase{"English", {{"LANG", "en_US.UTF-8"}}, false},
                    LocaleCase{"Japanese", {{"LANG", "ja_JP.UTF-8"}}, true},
                    LocaleCase{"JapaneseShort", {{"LANG", "ja"}}, true},
                    LocaleCase{"MessagesJapanese", {{"LANG", "C"}, {"LC_MESSAGES", "ja_JP.UTF-8"}}, true},
                    LocaleCase{"AllOverridesLang", {{"LANG", "ja_JP.UTF-8"}, {"LC_ALL", "C"}}, false},
                    LocaleCase{"AllOverridesMessages", {{"LC_MESSAGES", "C"}, {"LC_ALL", "ja_JP.UTF-8"}}, true},
                    LocaleCase{"NotJapanese", {{"LANG", "jv_ID.UTF-8"}}, false}),
    CaseName());

// The help of the tool and of each command comes from the same command
// table, so one Japanese and one English line of each shows the table is
// translated as a whole, and untouched in English.
TEST(Help, FollowsTheLocaleOfMessages)
{
    struct HelpCase {
        const char* call;
        const char* japanese;
        const char* english;
    };
    const HelpCase cases[] = {
        {"--help", "kr80a はレベルメータ KR80/KR80A", "kr80a reads the memory card of a KR80/KR80A level meter"},
        {"--help", "進捗行を表示しません", "no progress line"},
        {"report --help", "表紙の件名", "the cover's 件名 (subject)"},
        {"summary --help", "一覧表を CSV で書き込みます", "Writes the summary table as CSV"},
    };
    for (const HelpCase& help : cases) {
        for (const bool japanese : {true, false}) {
            const LocaleVariables locale(std::map<std::string, std::string>{{"LANG", japanese ? "ja_JP.UTF-8" : "C"}});
            const RunResult run = RunKr80a(help.call);
            EXPECT_EQ(run.status, 0) << help.call;
            EXPECT_NE(run.out.find(japanese ? help.japanese : help.english), std::string::npos)
                << help.call << (japanese ? " (Japanese)\n" : " (C)\n") << run.out;
            EXPECT_EQ(run.out.find(japanese ? help.english : help.japanese), std::string::npos) << help.call;
        }
    }
}

TEST(Version, PrintsTheVersion)
{
    const RunResult run = RunKr80a("--version");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string("kr80a ") + KR80A_VERSION + "\n");
    EXPECT_EQ(run.err, "");
}

} // namespace
