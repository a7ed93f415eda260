// The compiled-in table of the services this library offers (one: the card report
// window), the lookup the entry points share, and the load-time widening of the short
// date format.
#pragma once

#include <string>
#include <string_view>

struct TServiceRow {
    const char* Identity;  // text form of a GUID, upper case, no braces
    const char* Caption;
    const char* Description;
    const char* IconName;  // icon group resource of the library
};

inline constexpr int ServiceCount = 1;
const TServiceRow& ServiceRow(int index);

// Index of the last row whose identity equals the text, ASCII letters folded; -1 when none.
int FindService(std::string_view identity);

// The library's own service identity (the first of the table): the server key of its
// rights and settings.
const char* GetServiceGUID();

// Upper-cases the format and widens its year to four digits: without a "Y" the date
// separator and "YYYY" are appended; otherwise, for the four positions from the first
// "Y", a "Y" is inserted wherever the position is past the end or holds another
// character ("dd.MM.yy" becomes "DD.MM.YYYY").
std::string WidenShortDateFormat(std::string_view format, std::string_view dateSeparator);
