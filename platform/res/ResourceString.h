// Resource strings: named texts of the catalogue, in Russian (the source language) and
// English. Application texts (rstr…) are fetched in the user's language through
// TranslateAplText; used directly they give the source text "as it stands". Report texts
// (rrstr…) behave as plain string variables holding the text in the report language.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace res {

struct TResEntry {
    std::string_view Name;
    std::string Russian;
    std::string English;
    bool Report = false;
};

// The catalogue entry of a name; nullptr when there is none.
const TResEntry* FindEntry(std::string_view name);
// Every entry, application texts first, each group in catalogue order.
const std::vector<TResEntry>& AllEntries();

class TAplResString {
public:
    constexpr explicit TAplResString(const char* name) : name_(name) {}
    constexpr const char* Name() const { return name_; }
    // The source (Russian) text, untranslated.
    std::string Text() const;
    operator std::string() const { return Text(); }  // NOLINT: used as the platform's resourcestring

private:
    const char* name_;
};

class TRepResString {
public:
    constexpr explicit TRepResString(const char* name) : name_(name) {}
    constexpr const char* Name() const { return name_; }
    // The text in the report language (translated when the language module asks for it).
    std::string Text() const;
    operator std::string() const { return Text(); }  // NOLINT: a report text is a string variable

private:
    const char* name_;
};

}  // namespace res
