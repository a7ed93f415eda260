#include "R_Cards/uServiceTable.h"

#include "rtl/Strings.h"

namespace {

constexpr TServiceRow kServices[ServiceCount] = {
    {"0EF61559-3F5C-47D1-8B69-6641EC49CD58", "Отчеты по картам (Ruv)", "Отчеты по картам (Ruv)", "ICON1"},
};

}  // namespace

const TServiceRow& ServiceRow(int index) { return kServices[index]; }

int FindService(std::string_view identity) {
    int found = -1;
    for (int i = 0; i < ServiceCount; ++i)
        if (rtl::SameText(identity, kServices[i].Identity)) found = i;
    return found;
}

const char* GetServiceGUID() { return kServices[0].Identity; }

std::string WidenShortDateFormat(std::string_view format, std::string_view dateSeparator) {
    std::string f = rtl::AnsiUpperCase(format);
    const auto first = f.find('Y');
    if (first == std::string::npos) return f + std::string(dateSeparator) + "YYYY";
    for (std::size_t pos = first; pos < first + 4; ++pos)
        if (pos >= f.size() || f[pos] != 'Y') f.insert(pos, 1, 'Y');
    return f;
}
