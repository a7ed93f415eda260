// Build-time tool: checks the text catalogue files and writes the header that declares
// one constant per resource name, so a misspelt name is a compile error.
//   resgen <out-header> <apl.tsv> <rep.tsv>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool ValidIdentifier(const std::string& s) {
    if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
    for (char c : s)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
    return true;
}

bool ReadNames(const std::string& file, std::vector<std::string>& names, std::set<std::string>& seen) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << file << ": cannot open\n";
        return false;
    }
    std::string line;
    int lineNo = 0;
    bool ok = true;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> cols;
        std::stringstream ss(line);
        std::string col;
        while (std::getline(ss, col, '\t')) cols.push_back(col);
        if (cols.size() != 3) {
            std::cerr << file << ":" << lineNo << ": expected 3 TAB-separated columns, found " << cols.size() << "\n";
            ok = false;
            continue;
        }
        if (!ValidIdentifier(cols[0])) {
            std::cerr << file << ":" << lineNo << ": \"" << cols[0] << "\" is not a valid name\n";
            ok = false;
            continue;
        }
        if (!seen.insert(cols[0]).second) {
            std::cerr << file << ":" << lineNo << ": duplicate name " << cols[0] << "\n";
            ok = false;
            continue;
        }
        names.push_back(cols[0]);
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: resgen <out-header> <apl.tsv> <rep.tsv>\n";
        return 2;
    }
    std::vector<std::string> apl, rep;
    std::set<std::string> seen;
    if (!ReadNames(argv[2], apl, seen) | !ReadNames(argv[3], rep, seen)) return 1;
    std::ostringstream out;
    out << "// Generated from the text catalogue; do not edit.\n#pragma once\n\n#include \"res/ResourceString.h\"\n\n";
    out << "// Application texts: fetched through TranslateAplText.\n";
    for (const auto& n : apl) out << "inline constexpr res::TAplResString " << n << "{\"" << n << "\"};\n";
    out << "\n// Report texts: plain strings in the report language.\n";
    for (const auto& n : rep) out << "inline constexpr res::TRepResString " << n << "{\"" << n << "\"};\n";
    // Rewrite only when the content changed, so dependants are not rebuilt for nothing.
    std::ifstream old(argv[1], std::ios::binary);
    std::ostringstream oldText;
    oldText << old.rdbuf();
    if (oldText.str() == out.str()) return 0;
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file << out.str();
    return file ? 0 : 1;
}
