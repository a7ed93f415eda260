// The language service: which text a user sees with and without a language module.
#include "res/Ucomrepresources.h"
#include "res/Ucomresources.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

class Languages : public ::testing::Test {
protected:
    void SetUp() override { SetComLanguages(nullptr); }
    void TearDown() override { SetComLanguages(nullptr); }
    static void InstallEnglish() { SetComLanguages(std::make_unique<TEnglishLanguagesDM>()); }
};

// A language module that knows no translation at all.
class TSilentLanguagesDM : public TLanguagesDM {
public:
    explicit TSilentLanguagesDM(bool necessary) : necessary_(necessary) {}
    bool IsNecessaryAplTrans() const override { return necessary_; }
    bool IsNecessaryRepTrans() const override { return necessary_; }
    void RESOURCE_APL_TXT(std::string& text) const override { text.clear(); }
    void RESOURCE_REP_TXT(std::string& text) const override { text.clear(); }
    int GET_USER_APL_LANG_ID() const override { return LANG_ID_RUSSIAN; }

private:
    bool necessary_;
};

TEST_F(Languages, ApplicationTextsAreRussianWithoutModuleAndEnglishWithIt) {
    EXPECT_EQ(GetComLanguages(), nullptr);
    EXPECT_EQ(TranslateAplText(rstrError), "Ошибка");
    EXPECT_EQ(std::string(rstrError), "Ошибка");  // used directly: the source text
    InstallEnglish();
    ASSERT_NE(GetComLanguages(), nullptr);
    EXPECT_EQ(TranslateAplText(rstrError), "Error");
    EXPECT_EQ(TranslateAplText(rstr_fmtmsg_ServiceIsNotFound), "Service %s was not found.");
    EXPECT_EQ(std::string(rstrError), "Ошибка") << "the resource itself stays untranslated";
    EXPECT_EQ(TranslateAplText(rstr_fmtcnf_CreteFldr), "The folder \"%s\" does not exist.\r\nCreate it?");
}

TEST_F(Languages, EveryApplicationTextTranslatesToItsOwnEnglish) {
    for (const res::TResEntry& e : res::AllEntries()) {
        if (e.Report) continue;
        const std::string name(e.Name);
        EXPECT_EQ(TranslateAplText(res::TAplResString(name.c_str())), e.Russian) << name;
    }
    InstallEnglish();
    for (const res::TResEntry& e : res::AllEntries()) {
        if (e.Report) continue;
        const std::string name(e.Name);
        EXPECT_EQ(TranslateAplText(res::TAplResString(name.c_str())), e.English) << name;
    }
}

// Translation goes by the Russian text, so two report texts sharing one Russian text
// cannot both get their own English; every other report text must — including those
// whose Russian text is also an application text ("Уведомление", "По").
TEST_F(Languages, ReportTextsReadInTheReportLanguage) {
    const std::string period = rrstr_fmt_Period;
    EXPECT_EQ(period, "за период с %s по %s");
    InstallEnglish();
    EXPECT_EQ(std::string(rrstr_fmt_Period), "for the period from %s to %s");
    EXPECT_EQ(rrstrNotice.Text(), "Notice");
    EXPECT_EQ(rrstr_ToPeriod.Text(), "To");
    EXPECT_EQ(TranslateAplText(rstrNotification), "Notification");
    EXPECT_EQ(TranslateAplText(rstr_Until), "Until");

    std::map<std::string, int> reportUses;
    for (const res::TResEntry& e : res::AllEntries())
        if (e.Report) ++reportUses[e.Russian];
    for (const res::TResEntry& e : res::AllEntries()) {
        if (!e.Report || reportUses[e.Russian] > 1) continue;
        const std::string name(e.Name);
        EXPECT_EQ(res::TRepResString(name.c_str()).Text(), e.English) << name;
    }
}

TEST_F(Languages, UnknownOrUnwantedTranslationLeavesTheRussianText) {
    SetComLanguages(std::make_unique<TSilentLanguagesDM>(true));
    EXPECT_EQ(TranslateAplText(rstrError), "Ошибка");
    EXPECT_EQ(std::string(rrstr_fmt_Period), "за период с %s по %s");

    SetComLanguages(std::make_unique<TEnglishLanguagesDM>());
    EXPECT_EQ(TranslateAplText(res::TAplResString("no_such_name")), "");

    auto english = std::make_unique<TEnglishLanguagesDM>();
    std::string text = "Карточный отчёт";
    english->RESOURCE_APL_TXT(text);
    EXPECT_EQ(text, "") << "an unknown phrase is left empty";
    english->AddPhrase("Карточный отчёт", "Card report");
    text = "Карточный отчёт";
    english->RESOURCE_REP_TXT(text);
    EXPECT_EQ(text, "Card report");
}

TEST_F(Languages, CaseMessageTxtPicksByTheUsersLanguage) {
    EXPECT_EQ(CaseMessageTxt("Да", "Yes"), "Да");
    SetComLanguages(std::make_unique<TSilentLanguagesDM>(false));
    EXPECT_EQ(CaseMessageTxt("Да", "Yes"), "Да");
    InstallEnglish();
    EXPECT_EQ(CaseMessageTxt("Да", "Yes"), "Yes");
}

TEST(RusCharExists, TellsCyrillicLetters) {
    const std::pair<const char*, bool> cases[] = {
        {"", false},         {"Report 2024", false}, {"Отчёт", true},     {"card Ё", true},
        {"ё", true},         {"café №5 «x»", false}, {"Ґ", true},         {"\xD0", false},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(RusCharExists(text), expected) << text;
}

}  // namespace
