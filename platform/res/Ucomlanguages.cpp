#include "res/Ucomlanguages.h"

#include "rtl/Strings.h"

namespace {

// Never destroyed itself (texts may be fetched from other modules' exit hooks); the
// module it holds is replaced or removed by SetComLanguages.
std::unique_ptr<TLanguagesDM>& Module() {
    static auto& module = *new std::unique_ptr<TLanguagesDM>;
    return module;
}

void Translate(const std::unordered_map<std::string, std::string>& phrases, std::string& text) {
    const auto it = phrases.find(text);
    text = it == phrases.end() ? std::string() : it->second;
}

}  // namespace

TEnglishLanguagesDM::TEnglishLanguagesDM() {
    // Within each map the first entry with a given Russian text decides its English one;
    // the entries of the map's own kind come first.
    for (const bool report : {false, true})
        for (const auto& e : res::AllEntries())
            if (e.Report == report) aplPhrases_.emplace(e.Russian, e.English);
    for (const bool report : {true, false})
        for (const auto& e : res::AllEntries())
            if (e.Report == report) repPhrases_.emplace(e.Russian, e.English);
}

void TEnglishLanguagesDM::RESOURCE_APL_TXT(std::string& text) const { Translate(aplPhrases_, text); }

void TEnglishLanguagesDM::RESOURCE_REP_TXT(std::string& text) const { Translate(repPhrases_, text); }

void TEnglishLanguagesDM::AddPhrase(std::string russian, std::string english) {
    repPhrases_[russian] = english;
    aplPhrases_[std::move(russian)] = std::move(english);
}

TLanguagesDM* GetComLanguages() { return Module().get(); }

void SetComLanguages(std::unique_ptr<TLanguagesDM> module) { Module() = std::move(module); }

std::string TranslateAplText(const res::TAplResString& resource) {
    std::string text = resource.Text();
    if (TLanguagesDM* lm = GetComLanguages(); lm && lm->IsNecessaryAplTrans()) {
        std::string translated = text;
        lm->RESOURCE_APL_TXT(translated);
        if (!translated.empty()) text = std::move(translated);
    }
    return text;
}

std::string CaseMessageTxt(std::string_view russian, std::string_view english) {
    const TLanguagesDM* lm = GetComLanguages();
    const bool russianUser = !lm || lm->GET_USER_APL_LANG_ID() == LANG_ID_RUSSIAN;
    return std::string(russianUser ? russian : english);
}

bool RusCharExists(std::string_view text) { return rtl::HasCyrillic(text); }
