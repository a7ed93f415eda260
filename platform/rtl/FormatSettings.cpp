#include "rtl/FormatSettings.h"

namespace rtl {

TFormatSettings RussianFormatSettings() {
    TFormatSettings s;
    s.CurrencyString = "р.";
    s.CurrencyFormat = 3;
    s.NegCurrFormat = 8;
    s.CurrencyDecimals = 2;
    s.ThousandSeparator = "\u00A0";  // no-break space, as the Russian locale has it
    s.DecimalSeparator = ",";
    s.DateSeparator = ".";
    s.TimeSeparator = ":";
    s.ListSeparator = ";";
    s.ShortDateFormat = "dd.MM.yyyy";
    s.LongDateFormat = "d MMMM yyyy 'г.'";
    s.ShortTimeFormat = "h:mm";
    s.LongTimeFormat = "h:mm:ss";
    s.ShortMonthNames = {"янв", "фев", "мар", "апр", "май", "июн", "июл", "авг", "сен", "окт", "ноя", "дек"};
    s.LongMonthNames = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                        "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
    s.ShortDayNames = {"Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"};
    s.LongDayNames = {"воскресенье", "понедельник", "вторник", "среда", "четверг", "пятница", "суббота"};
    return s;
}

TFormatSettings EnglishFormatSettings() {
    TFormatSettings s;
    s.CurrencyString = "$";
    s.CurrencyFormat = 0;
    s.NegCurrFormat = 0;
    s.CurrencyDecimals = 2;
    s.ThousandSeparator = ",";
    s.DecimalSeparator = ".";
    s.DateSeparator = "/";
    s.TimeSeparator = ":";
    s.ListSeparator = ",";
    s.ShortDateFormat = "MM/dd/yyyy";
    s.LongDateFormat = "dddd, MMMM d, yyyy";
    s.TimeAMString = "AM";
    s.TimePMString = "PM";
    s.ShortTimeFormat = "h:mm AMPM";
    s.LongTimeFormat = "h:mm:ss AMPM";
    s.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    s.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                        "July",    "August",   "September", "October", "November", "December"};
    s.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    s.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    return s;
}

const TFormatSettings& InvariantFormatSettings() {
    static const TFormatSettings invariant = [] {
        TFormatSettings s = EnglishFormatSettings();
        s.ThousandSeparator = "";
        s.ShortDateFormat = "yyyy-MM-dd";
        s.DateSeparator = "-";
        s.LongTimeFormat = "hh:mm:ss";
        s.ShortTimeFormat = "hh:mm";
        s.TimeAMString = s.TimePMString = "";
        return s;
    }();
    return invariant;
}

TFormatSettings& FormatSettings() {
    static TFormatSettings& settings = *new TFormatSettings(RussianFormatSettings());  // outlives exit hooks
    return settings;
}

}  // namespace rtl
