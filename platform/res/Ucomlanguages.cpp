#include "res/Ucomlanguages.h"

#include "rtl/Strings.h"

namespace {

// Never destroyed itself (texts may be fetched from other modules' exit hooks); the
// module it holds is replaced or removed by SetComLanguages.
std::unique_ptr<TLanguagesDM>& Module() {
    static auto& module = *new std::unique_ptr<TLanguagesDM>;
    return module;
}

}  // namespace

TEnglishLanguagesDM::TEnglishLanguagesDM() {
    // The first entry with a given Russian text decides its English one.
    for (const auto& e : res::AllEntries()) phrases_.emplace(e.Russian, e.English);
}

void TEnglishLanguagesDM::RESOURCE_APL_TXT(std::string& text) const {
    const auto it = phrases_.find(text);
    text = it == phrases_.end() ? std::string() : it->second;
}

void TEnglishLanguagesDM::RESOURCE_REP_TXT(std::string& text) const { RESOURCE_APL_TXT(text); }

void TEnglishLanguagesDM::AddPhrase(std::string russian, std::string english) {
    phrases_[std::move(russian)] = std::move(english);
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
