// The language service of the resource package: which language the user works in, and
// translation of application and report texts. With no language module installed (the
// default) nothing is translated and the Russian texts stand.
#pragma once

#include "res/ResourceString.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

// Language ids as the platform numbers them.
inline constexpr int LANG_ID_RUSSIAN = 25;
inline constexpr int LANG_ID_ENGLISH = 9;

// The language module. RESOURCE_APL_TXT / RESOURCE_REP_TXT replace a source-language
// (Russian) text by its translation in place; when none is known they leave it empty or
// unchanged.
class TLanguagesDM {
public:
    virtual ~TLanguagesDM() = default;
    virtual bool IsNecessaryAplTrans() const = 0;
    virtual bool IsNecessaryRepTrans() const = 0;
    virtual void RESOURCE_APL_TXT(std::string& text) const = 0;
    virtual void RESOURCE_REP_TXT(std::string& text) const = 0;
    virtual int GET_USER_APL_LANG_ID() const = 0;
};

// A language module for an English-speaking user: it knows the English text of every
// catalogue entry, and any further phrases added to it (window captions and the like).
class TEnglishLanguagesDM : public TLanguagesDM {
public:
    TEnglishLanguagesDM();
    bool IsNecessaryAplTrans() const override { return true; }
    bool IsNecessaryRepTrans() const override { return true; }
    void RESOURCE_APL_TXT(std::string& text) const override;
    void RESOURCE_REP_TXT(std::string& text) const override;
    int GET_USER_APL_LANG_ID() const override { return LANG_ID_ENGLISH; }
    void AddPhrase(std::string russian, std::string english);

private:
    // Report texts are looked up among the report catalogue first, application texts
    // among the application catalogue first: the two share some Russian texts with
    // different English ones ("Уведомление" is "Notification" in a box, "Notice" in a
    // report).
    std::unordered_map<std::string, std::string> aplPhrases_;
    std::unordered_map<std::string, std::string> repPhrases_;
};

// The shared language module, or nullptr: translate nothing.
TLanguagesDM* GetComLanguages();
// Installs (or, with nullptr, removes) the process's language module.
void SetComLanguages(std::unique_ptr<TLanguagesDM> module);

// The text of an application resource in the user's application language.
std::string TranslateAplText(const res::TAplResString& resource);
// The Russian or the English literal, by the user's language (Russian without a module).
std::string CaseMessageTxt(std::string_view russian, std::string_view english);
// True when the text holds Cyrillic letters.
bool RusCharExists(std::string_view text);
