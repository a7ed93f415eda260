#include "ComUnits/uEXLMyCellsParser.h"

#include "db/DataSet.h"
#include "db/Fields.h"
#include "rtl/Exceptions.h"
#include "rtl/Utf8.h"
#include "xl/CellRangeSource.h"
#include "xl/EXLRangeFunctions.h"

#include <cstdint>
#include <limits>
#include <utility>

namespace {

constexpr const char* kUnit = "ComUnits/uEXLMyCellsParser";
constexpr char kPlaceholder = '~';

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

bool OnlyBlanks(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// Numbers (and Booleans, which the platform counts among them) keep their type when they
// fill a cell alone; a date is written as its text like any other value.
bool KeepsItsType(const rtl::Variant& value) { return value.IsNumeric() && value.VarType() != rtl::varDate; }

}  // namespace

RTL_DEFINE_CLASS(TMyCellsParserItem, vcl::TCollectionItem)
RTL_DEFINE_CLASS(TMyCellsParser, vcl::TCollection)

// ---------------------------------------------------------------------------------------
// TMyCellsParserItem

bool TMyCellsParserItem::IsFieldNameChar(char32_t c) noexcept {
    return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || c == U'_';
}

void TMyCellsParserItem::CollectionChanged() {
    const auto* parser = dynamic_cast<const TMyCellsParser*>(Collection());
    FMark = parser ? parser->Mark() : U'#';
}

void TMyCellsParserItem::SetText(const std::string& text) {
    PrepareWorkText(text);
    FSourceText = text;
}

void TMyCellsParserItem::PrepareWorkText(const std::string& text) {
    enum class TState { Literal, DataSetName, FieldName };

    // Everything is built aside and taken over at the end, so a template error leaves
    // the item as it was.
    std::string work;
    int workLength = 0;  // in characters: Positions count characters
    std::vector<db::TField*> fields;
    std::vector<int> positions;
    std::vector<std::size_t> offsets;
    int leadingSpaces = 0;
    std::string dataSetName, fieldName;
    db::TDataSet* dataSet = nullptr;
    TState state = TState::Literal;

    auto appendChar = [&](char32_t c) {
        rtl::Utf8Append(work, c);
        ++workLength;
    };
    // The field name is complete: look the field up and put the placeholder in its place.
    auto endField = [&]() {
        db::TField* field = dataSet->FindField(fieldName);
        if (!field)
            throw rtl::EAssertionFailed(Quoted(dataSet->Name() + "." + fieldName) + " field is not found", kUnit,
                                        __LINE__);
        fields.push_back(field);
        offsets.push_back(work.size());
        work += kPlaceholder;
        positions.push_back(++workLength);
        fieldName.clear();
    };

    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
        ++leadingSpaces;
    }
    while (pos < text.size()) {
        const char32_t c = rtl::Utf8Next(text, pos);
        switch (state) {
        case TState::Literal:
            if (c == FMark) state = TState::DataSetName;
            else appendChar(c);
            break;
        case TState::DataSetName:
            if (c != U'.') {
                rtl::Utf8Append(dataSetName, c);
                break;
            }
            if (!FOwner)
                throw rtl::EAssertionFailed("TMyCellsParserItem.PrepareWorkText: " + dataSetName + ".Owner = nil", kUnit,
                                            __LINE__);
            {
                vcl::TComponent* component = FOwner->FindComponent(dataSetName);
                if (!component)
                    throw rtl::EAssertionFailed("TMyCellsParserItem.PrepareWorkText: " +
                                                    Quoted(FOwner->Name() + "." + dataSetName) + " component is not found",
                                                kUnit, __LINE__);
                dataSet = rtl::As<db::TDataSet>(component);  // another kind of component: an invalid cast
            }
            dataSetName.clear();
            state = TState::FieldName;
            break;
        case TState::FieldName:
            if (IsFieldNameChar(c) && c != FMark) {
                rtl::Utf8Append(fieldName, c);
                break;
            }
            endField();
            if (c == FMark) {
                state = TState::DataSetName;
            } else {
                appendChar(c);
                state = TState::Literal;
            }
            break;
        }
    }
    // The end of the text ends a field name like any other character would.
    if (state == TState::FieldName) endField();
    // A marker with no "name." after it is not a reference: it stays as written.
    if (state == TState::DataSetName) {
        rtl::Utf8Append(work, FMark);
        work += dataSetName;
    }
    // Without a reference the cell is literal and left alone: no work text at all.
    if (fields.empty()) work.clear();

    FWorkText = std::move(work);
    FFields = std::move(fields);
    FPositions = std::move(positions);
    FOffsets = std::move(offsets);
    FLeadingSpaces = leadingSpaces;
    FSourceText.clear();
}

rtl::Variant TMyCellsParserItem::Evaluate() const {
    rtl::Variant result;
    if (OnlyBlanks(FWorkText)) return result;

    // Byte offsets stand for the character positions: the literal parts lie between the
    // placeholders, each of which is one byte.
    std::size_t from = 0;
    for (std::size_t k = 0; k < FFields.size(); ++k) {
        const std::string_view literal = std::string_view(FWorkText).substr(from, FOffsets[k] - from);
        const rtl::Variant value = FFields[k]->GetAsVariant();
        if (result.IsEmpty() && literal.empty()) result = value;
        else result = rtl::Variant(result.AsString() + std::string(literal) + value.AsString());
        from = FOffsets[k] + 1;
    }
    if (from < FWorkText.size()) result = rtl::Variant(result.AsString() + FWorkText.substr(from));

    if (result.IsEmpty() || !KeepsItsType(result))
        result = rtl::Variant(std::string(static_cast<std::size_t>(FLeadingSpaces), ' ') + result.AsString());
    return result;
}

// ---------------------------------------------------------------------------------------
// TMyCellsParser

TMyCellsParser::TMyCellsParser()
    : vcl::TCollection(TMyCellsParserItem::StaticClass(), [] { return new TMyCellsParserItem; }) {}

TMyCellsParserItem* TMyCellsParser::Items(int index) const {
    return static_cast<TMyCellsParserItem*>(vcl::TCollection::Items(index));
}

TMyCellsParserItem* TMyCellsParser::AddItem(vcl::TComponent* owner, const std::string& text) {
    auto* item = static_cast<TMyCellsParserItem*>(Add());
    try {
        item->SetOwner(owner);
        item->SetText(text);
    } catch (...) {
        rtl::TObject::Free(item);
        throw;
    }
    return item;
}

void TMyCellsParser::LoadFromRange(vcl::TComponent* owner, const xl::TCellRangeSource& range) {
    const int r0 = range.FirstRow() - 1;
    const int c0 = range.FirstColumn() - 1;
    const int rows = range.RowCount();
    const int columns = range.ColumnCount();
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= columns; ++c) {
            const rtl::Variant value = range.Cell(r, c);
            std::string text;
            try {
                text = value.AsString();
            } catch (const rtl::EVariantError&) {
                text.clear();  // a value without text is an empty cell: literal, left alone
            }
            TMyCellsParserItem* item = AddItem(owner, text);
            item->SetRow(r0 + r);
            item->SetCol(c0 + c);
        }
    }
}

// ---------------------------------------------------------------------------------------
// Cell addresses

namespace {

[[noreturn]] void BadCell(std::string_view cell) {
    throw rtl::EConvertError("'" + std::string(cell) + "' is not a valid cell address");
}

std::string_view FirstPart(std::string_view range) { return range.substr(0, range.find(':')); }

std::string_view LastPart(std::string_view range) {
    const std::size_t colon = range.find(':');
    return colon == std::string_view::npos ? range : range.substr(colon + 1);
}

}  // namespace

std::string ColumnLetters(int column) {
    if (column < 1) throw rtl::ERangeError("Column " + std::to_string(column) + " has no letters");
    // Base 26 with the digits A..Z standing for 1..26: there is no zero letter.
    std::string letters;
    for (int n = column; n > 0; n = (n - 1) / 26) letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters;
}

TCellRange ParseCell(std::string_view cell) {
    std::size_t i = 0;
    while (i < cell.size() && cell[i] >= 'A' && cell[i] <= 'Z') ++i;
    const std::string_view digits = cell.substr(i);
    if (digits.empty()) BadCell(cell);
    std::int64_t row = 0;
    for (const char d : digits) {
        if (d < '0' || d > '9') BadCell(cell);
        row = row * 10 + (d - '0');
        if (row > std::numeric_limits<int>::max()) BadCell(cell);
    }
    return TCellRange{std::string(cell.substr(0, i)), static_cast<int>(row)};
}

TCellRange FirstCellOf(std::string_view range) { return ParseCell(FirstPart(range)); }

TCellRange LastCellOf(std::string_view range) { return ParseCell(LastPart(range)); }

std::string ShiftCell(const TCellRange& cell, int rows) {
    std::int64_t row = static_cast<std::int64_t>(cell.Row) + rows;
    if (row < 1) row = 1;
    return cell.Col + std::to_string(row);
}

std::string ShiftLastCell(std::string_view range, int rows) {
    return std::string(FirstPart(range)) + ":" + ShiftCell(LastCellOf(range), rows);
}

std::string ShiftFirstCell(std::string_view range, int rows) {
    return ShiftCell(FirstCellOf(range), rows) + ":" + std::string(LastPart(range));
}

int RangeFirstRow(std::string_view range) { return xl::EXLReportGetRangeRow(xl::EXLReportGetRangeFirst(range)); }

int RangeLastRow(std::string_view range) { return xl::EXLReportGetRangeRow(xl::EXLReportGetRangeLast(range)); }

int RangeFirstCol(std::string_view range) { return xl::EXLReportGetRangeColumn(xl::EXLReportGetRangeFirst(range)); }

int RangeLastCol(std::string_view range) { return xl::EXLReportGetRangeColumn(xl::EXLReportGetRangeLast(range)); }

std::string RangeFirstColLetters(std::string_view range) { return ColumnLetters(RangeFirstCol(range)); }

std::string RangeLastColLetters(std::string_view range) { return ColumnLetters(RangeLastCol(range)); }

int RangeRowCount(std::string_view range) { return RangeLastRow(range) - RangeFirstRow(range) + 1; }
