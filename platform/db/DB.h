// Common types of the data layer: field types, data-set states, options, bookmarks and
// the data-access error.
#pragma once

#include "rtl/Exceptions.h"

#include <cstdint>

namespace db {

RTL_EXCEPTION_CLASS(EDatabaseError, rtl::Exception)

// The data layer's texts for true and false (Boolean fields and parameters shown as text).
inline constexpr const char* STextTrue = "True";
inline constexpr const char* STextFalse = "False";

enum class TFieldType {
    ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD, ftDate, ftTime,
    ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic, ftFmtMemo, ftFixedChar, ftWideString,
    ftLargeint, ftVariant, ftTimeStamp, ftFMTBcd, ftWideMemo
};

const char* FieldTypeName(TFieldType type) noexcept;

enum class TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc };

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter };

enum TLocateOption : unsigned { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = unsigned;

enum TFilterOption : unsigned { foCaseInsensitive = 1, foNoPartialCompare = 2 };
using TFilterOptions = unsigned;

enum TIndexOption : unsigned { ixPrimary = 1, ixUnique = 2, ixDescending = 4, ixCaseInsensitive = 8 };
using TIndexOptions = unsigned;

// A record's place that survives moves, edits and index changes: the record itself.
// Position: the record number (RecNo) the record had when the bookmark was taken.
struct TBookmark {
    std::int64_t Row = -1;
    int Position = 0;
    bool Valid() const noexcept { return Row >= 0; }
    friend bool operator==(const TBookmark& a, const TBookmark& b) noexcept { return a.Row == b.Row; }
};

}  // namespace db
