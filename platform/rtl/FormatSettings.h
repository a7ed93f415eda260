// The process-wide locale record: date and time formats, separators, month and day names.
// Russian by default. Everything that turns numbers or dates into text, or back, reads it,
// unless it is handed a record of its own (the invariant one for INI files and the server).
#pragma once

#include <array>
#include <string>

namespace rtl {

struct TFormatSettings {
    std::string CurrencyString;
    int CurrencyFormat = 0;      // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    int NegCurrFormat = 0;       // the platform's 16 negative currency patterns
    int CurrencyDecimals = 2;
    std::string ThousandSeparator;
    std::string DecimalSeparator;
    std::string DateSeparator;
    std::string TimeSeparator;
    std::string ListSeparator;
    std::string ShortDateFormat;
    std::string LongDateFormat;
    std::string TimeAMString;
    std::string TimePMString;
    std::string ShortTimeFormat;
    std::string LongTimeFormat;
    std::array<std::string, 12> ShortMonthNames;
    std::array<std::string, 12> LongMonthNames;
    std::array<std::string, 7> ShortDayNames;  // Sunday first
    std::array<std::string, 7> LongDayNames;
    int TwoDigitYearCenturyWindow = 50;
};

// The Russian settings the workstation runs with.
TFormatSettings RussianFormatSettings();
// English names, "." decimal separator, "," thousands, "MM/dd/yyyy": for tests and for
// texts that must not depend on the locale.
TFormatSettings EnglishFormatSettings();
// "." as decimal separator and no thousands separator: numbers for INI files and the server.
const TFormatSettings& InvariantFormatSettings();

// The process-wide record (one per process, shared by every module that links the runtime).
TFormatSettings& FormatSettings();

// Restores the previous process-wide settings when it goes out of scope (tests).
class TFormatSettingsScope {
public:
    TFormatSettingsScope() : saved_(FormatSettings()) {}
    explicit TFormatSettingsScope(const TFormatSettings& temporary) : saved_(FormatSettings()) {
        FormatSettings() = temporary;
    }
    ~TFormatSettingsScope() { FormatSettings() = saved_; }
    TFormatSettingsScope(const TFormatSettingsScope&) = delete;
    TFormatSettingsScope& operator=(const TFormatSettingsScope&) = delete;

private:
    TFormatSettings saved_;
};

}  // namespace rtl
