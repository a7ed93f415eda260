#include "res/ResourceString.h"

#include "res/Ucomlanguages.h"

#include <cstddef>
#include <string>
#include <unordered_map>

extern const unsigned char res_apl_tsv[];
extern const std::size_t res_apl_tsv_size;
extern const unsigned char res_rep_tsv[];
extern const std::size_t res_rep_tsv_size;

namespace res {
namespace {

std::string Unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            switch (s[++i]) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case '\\': out += '\\'; break;
            default: out += '\\'; out += s[i]; break;
            }
        } else {
            out += s[i];
        }
    }
    return out;
}

void Parse(std::string_view text, bool report, std::vector<TResEntry>& out) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line[0] == '#') continue;
        const auto t1 = line.find('\t');
        const auto t2 = t1 == std::string_view::npos ? t1 : line.find('\t', t1 + 1);
        if (t2 == std::string_view::npos) continue;  // the build-time check refuses such lines
        out.push_back(TResEntry{line.substr(0, t1), Unescape(line.substr(t1 + 1, t2 - t1 - 1)),
                                Unescape(line.substr(t2 + 1)), report});
    }
}

struct Catalogue {
    std::vector<TResEntry> entries;
    std::unordered_map<std::string_view, const TResEntry*> byName;
};

const Catalogue& TheCatalogue() {
    static const Catalogue catalogue = [] {
        Catalogue c;
        Parse({reinterpret_cast<const char*>(res_apl_tsv), res_apl_tsv_size}, false, c.entries);
        Parse({reinterpret_cast<const char*>(res_rep_tsv), res_rep_tsv_size}, true, c.entries);
        for (const auto& e : c.entries) c.byName.emplace(e.Name, &e);
        return c;
    }();
    return catalogue;
}

}  // namespace

const TResEntry* FindEntry(std::string_view name) {
    const auto& c = TheCatalogue();
    const auto it = c.byName.find(name);
    return it == c.byName.end() ? nullptr : it->second;
}

const std::vector<TResEntry>& AllEntries() { return TheCatalogue().entries; }

std::string TAplResString::Text() const {
    const TResEntry* e = FindEntry(name_);
    return e ? e->Russian : std::string();
}

std::string TRepResString::Text() const {
    const TResEntry* e = FindEntry(name_);
    if (!e) return {};
    std::string text = e->Russian;
    if (TLanguagesDM* lm = GetComLanguages(); lm && lm->IsNecessaryRepTrans()) {
        std::string translated = text;
        lm->RESOURCE_REP_TXT(translated);
        if (!translated.empty()) text = std::move(translated);
    }
    return text;
}

}  // namespace res
