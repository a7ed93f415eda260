// The locale's date and time formats, as the package's date controls take them: in the
// notation of the system's date-time pickers —
//   d dd ddd dddd    day, two-digit day, short and long day name
//   M MM MMM MMMM    month, two-digit month, short and long month name
//   y yy yyyy        last digit, two digits, all of the year
//   h hh / H HH      hour on the 12-hour / 24-hour clock
//   m mm, s ss       minutes, seconds
//   t tt             first letter of the AM/PM marker, the whole marker
//   'text'           literal text ('' is a quote)
// Everything else stands for itself. The formats come from the process-wide locale
// record (rtl::FormatSettings), read at every call.
#pragma once

#include "rtl/DateTime.h"

#include <string>
#include <string_view>

namespace yma {

// The short date format, e.g. "dd.MM.yyyy".
std::string GetLocaleDateFormat();
// The long time format, e.g. "H:mm:ss", or "h:mm:ss tt" where the locale keeps a
// 12-hour clock.
std::string GetLocaleTimeFormat();
// The short date format, a blank and the long time format.
std::string GetLocaleDateTimeFormat();

// A format of the platform's own notation (FormatDateTime's letters) in picker notation.
std::string PickerFormatOf(std::string_view platformFormat);
// The date-time written in picker notation, with the locale's names and AM/PM markers.
std::string FormatPickerDateTime(std::string_view format, rtl::TDateTime value);
// Whether the picker format shows a time of day (an hour, minute or second letter).
bool PickerFormatShowsTime(std::string_view format);

}  // namespace yma
