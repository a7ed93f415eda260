// Every format text of the catalogue against the conversions its callers fill in: a
// missing, extra or reordered placeholder in either language breaks a message or a
// report caption only when that text is shown, so the whole catalogue is checked here.
#include "res/ResourceString.h"
#include "rtl/Exceptions.h"
#include "rtl/Format.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// name -> conversion letters in order ("ss", "d" …).
std::map<std::string, std::string> ReadSignatures() {
    std::map<std::string, std::string> out;
    std::ifstream in(FORMAT_SIGNATURES);
    EXPECT_TRUE(in) << "cannot open " << FORMAT_SIGNATURES;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const auto tab = line.find('\t');
        EXPECT_NE(tab, std::string::npos) << "malformed line: " << line;
        if (tab == std::string::npos) continue;
        EXPECT_TRUE(out.emplace(line.substr(0, tab), line.substr(tab + 1)).second) << "listed twice: " << line;
    }
    return out;
}

// The conversion letters of the text's placeholders (% [.precision] one of s d f x; "%%"
// is a literal). Any other use of "%" is reported in `bad`.
std::string Placeholders(const std::string& text, std::string& bad) {
    std::string letters;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        std::size_t j = i + 1;
        if (j < text.size() && text[j] == '%') {
            i = j;
            continue;
        }
        if (j < text.size() && text[j] == '.') {
            std::size_t k = j + 1;
            while (k < text.size() && text[k] >= '0' && text[k] <= '9') ++k;
            if (k > j + 1) j = k;
        }
        if (j < text.size() && std::string_view("sdfx").find(text[j]) != std::string_view::npos) {
            letters += text[j];
            i = j;
        } else {
            bad += text.substr(i, 3) + " ";
        }
    }
    return letters;
}

std::vector<rtl::TVarRec> ArgumentsFor(const std::string& letters) {
    std::vector<rtl::TVarRec> args;
    for (char c : letters) {
        switch (c) {
        case 's': args.emplace_back("текст"); break;
        case 'd': args.emplace_back(42); break;
        case 'f': args.emplace_back(2.5); break;
        case 'x': args.emplace_back(255); break;
        default: ADD_FAILURE() << "unknown conversion letter " << c; break;
        }
    }
    return args;
}

TEST(FormatTexts, EveryTextHoldsExactlyThePlaceholdersItsCallersFill) {
    const auto signatures = ReadSignatures();
    ASSERT_FALSE(signatures.empty());
    std::set<std::string> seen;
    for (const res::TResEntry& e : res::AllEntries()) {
        const std::string name(e.Name);
        seen.insert(name);
        const auto it = signatures.find(name);
        const std::string expected = it == signatures.end() ? "" : it->second;
        for (const auto& [language, text] : {std::pair{"Russian", &e.Russian}, std::pair{"English", &e.English}}) {
            SCOPED_TRACE(name + " (" + language + "): " + *text);
            std::string bad;
            EXPECT_EQ(Placeholders(*text, bad), expected);
            EXPECT_EQ(bad, "") << "stray '%'";
            if (expected.empty()) continue;
            const auto args = ArgumentsFor(expected);
            EXPECT_NO_THROW(rtl::Format(*text, std::span<const rtl::TVarRec>(args)));
        }
    }
    for (const auto& [name, letters] : signatures)
        EXPECT_TRUE(seen.count(name)) << name << " is listed with \"" << letters << "\" but is not in the catalogue";
}

}  // namespace
