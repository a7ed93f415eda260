// Template cell expressions and cell addresses.
//
// A report that fills a block of rows from a data set of its own marks the cells of the
// block's template row with references: the marker "#", the component name of a data set
// of the report data module, ".", and a field name ("Total: #Q.SUMMA"). TMyCellsParser
// parses those cells once, one TMyCellsParserItem per cell; for each record the report
// then asks every item for the value to write (Evaluate).
//
// A cell is parsed into WorkText, the cell text without its leading blanks and with each
// reference replaced by the placeholder "~", plus the referenced fields and the
// placeholders' positions. The positions, not the character, say where the references
// are, so a literal "~" in a cell does no harm. A cell without a reference has an empty
// WorkText: it is literal and the report leaves it alone.
//
// A field name is made of ASCII letters, digits and "_"; the first other character ends it
// and stays literal text ("#Q.A, #R.B"). A data set name runs up to the next ".".
//
// The items point at the data sets' fields and at the owner without owning them: the
// parser must be freed before the data module that holds them.
//
// Cell addresses are texts in the A1 form ("E20"); a range text is first cell ":" last
// cell ("E20:K20"). The functions here that take such texts apart work on the texts the
// reports write themselves; the Range… functions go through the spreadsheet layer's
// address functions.
#pragma once

#include "rtl/Object.h"
#include "rtl/Variant.h"
#include "vcl/Collection.h"
#include "vcl/Component.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace db {
class TField;
}
namespace xl {
class TCellRangeSource;
}

class TMyCellsParserItem : public vcl::TCollectionItem {
    RTL_DECLARE_CLASS(TMyCellsParserItem)
public:
    TMyCellsParserItem() = default;

    // The sheet cell the item came from; -1 until set.
    int Col() const noexcept { return FCol; }
    void SetCol(int col) noexcept { FCol = col; }
    int Row() const noexcept { return FRow; }
    void SetRow(int row) noexcept { FRow = row; }
    // The marker that starts a reference: the collection's marker, taken when the item
    // joins a collection of cell parsers; "#" outside one.
    char32_t Mark() const noexcept { return FMark; }
    // Where data set names are looked up (the report data module); not owned.
    vcl::TComponent* Owner() const noexcept { return FOwner; }
    void SetOwner(vcl::TComponent* owner) noexcept { FOwner = owner; }

    // The referenced fields in text order, and for each the position (counted in
    // characters from 1) of its placeholder in WorkText.
    const std::vector<db::TField*>& Fields() const noexcept { return FFields; }
    const std::vector<int>& Positions() const noexcept { return FPositions; }
    const std::string& WorkText() const noexcept { return FWorkText; }
    const std::string& SourceText() const noexcept { return FSourceText; }
    // Blanks the cell text began with; restored in front of every text result.
    int LeadingSpaces() const noexcept { return FLeadingSpaces; }

    // Parses the text (PrepareWorkText) and keeps it as SourceText.
    void SetText(const std::string& text);

    // Parses the text into WorkText, Fields, Positions and LeadingSpaces, and empties
    // SourceText. Data sets are looked up among Owner's components.
    //
    // Template errors raise rtl::EAssertionFailed (unit "ComUnits/uEXLMyCellsParser"):
    //   - no owner: "TMyCellsParserItem.PrepareWorkText: <name>.Owner = nil";
    //   - no component of that name: "TMyCellsParserItem.PrepareWorkText: "<owner>.<name>"
    //     component is not found";
    //   - no such field: ""<data set>.<field>" field is not found".
    // A component of that name that is not a data set raises rtl::EInvalidCast.
    // On an error the item keeps what it held before.
    //
    // A cell that ends with an unfinished reference (a marker with no "name." after it,
    // as in "Card #") keeps that part as literal text; when it holds no complete reference
    // the whole cell is literal. The marker is not a template error there, since cells of
    // a template row may well end in a plain "#".
    void PrepareWorkText(const std::string& text);

    // The cell's value for the current records of the referenced data sets; empty
    // (unassigned) for a literal cell, which is not to be written.
    //
    // A cell that is exactly one reference gives the field's value with its own type, so
    // a number stays a number (its leading blanks are dropped then). Every other result
    // is text: the literal parts and the texts of the field values (a null gives an empty
    // text, numbers and dates are written in the user's locale), with the cell's leading
    // blanks in front. Dates count as text here: only numbers (and Booleans) keep their
    // type.
    rtl::Variant Evaluate() const;

    // "0"–"9", "A"–"Z", "a"–"z" and "_": the characters of a field name. Letters outside
    // ASCII are not.
    static bool IsFieldNameChar(char32_t c) noexcept;

protected:
    void CollectionChanged() override;

private:
    int FCol = -1;
    int FRow = -1;
    char32_t FMark = U'#';
    vcl::TComponent* FOwner = nullptr;
    std::vector<db::TField*> FFields;
    std::vector<int> FPositions;
    std::vector<std::size_t> FOffsets;  // byte offset of each placeholder in FWorkText
    std::string FWorkText;
    std::string FSourceText;
    int FLeadingSpaces = 0;
};

class TMyCellsParser : public vcl::TCollection {
    RTL_DECLARE_CLASS(TMyCellsParser)
public:
    TMyCellsParser();

    TMyCellsParserItem* Items(int index) const;

    // The marker of the items added from now on; "#" after construction.
    char32_t Mark() const noexcept { return FMark; }
    void SetMark(char32_t mark) noexcept { FMark = mark; }

    // Appends an item for the text with that owner. When the text does not parse, the
    // error passes on and the collection stays as it was.
    TMyCellsParserItem* AddItem(vcl::TComponent* owner, const std::string& text);

    // One item per cell of the range, row by row and within a row column by column; each
    // item knows its sheet row and column. A cell value that has no text (an array) is
    // taken as an empty cell. An error in a cell stops the load; the items of the cells
    // before it stay.
    void LoadFromRange(vcl::TComponent* owner, const xl::TCellRangeSource& range);

private:
    char32_t FMark = U'#';
};

// One cell address taken apart: its column letters and its row.
struct TCellRange {
    std::string Col;
    int Row = 0;
};

// The letters of a column number: 1 "A", 26 "Z", 27 "AA", 702 "ZZ". Columns past ZZ go
// on as the sheet names them (703 "AAA", 16384 "XFD"). A number below 1 raises
// rtl::ERangeError.
std::string ColumnLetters(int column);

// The capital letters at the start of the cell text and the row number after them:
// "E20" gives ("E", 20). The row must be plain decimal digits; anything else raises
// rtl::EConvertError naming the cell text. No letters is allowed ("20" gives ("", 20)),
// so whole-row ranges such as "20:20" can be shifted too.
TCellRange ParseCell(std::string_view cell);

// ParseCell of the part before or after the first ":" of a range text. A text without
// ":" is a single cell, its own first and last cell.
TCellRange FirstCellOf(std::string_view range);
TCellRange LastCellOf(std::string_view range);

// The cell's letters followed by its row moved by rows; a row below 1 becomes 1.
std::string ShiftCell(const TCellRange& cell, int rows);

// The range text with its last (or first) cell moved by rows, the other part unchanged:
// ShiftLastCell("E20:K20", 1) is "E20:K21", ShiftFirstCell("E20:K21", 1) is "E21:K21".
// A single cell is the range from itself to itself: ShiftLastCell("E20", 1) is "E20:E21".
std::string ShiftLastCell(std::string_view range, int rows);
std::string ShiftFirstCell(std::string_view range, int rows);

// Rows and column numbers (counted from 1) of a range's first and last cell, read with
// the spreadsheet layer's address functions; a text that is not a range address raises
// rtl::EConvertError naming it.
int RangeFirstRow(std::string_view range);
int RangeLastRow(std::string_view range);
int RangeFirstCol(std::string_view range);
int RangeLastCol(std::string_view range);
std::string RangeFirstColLetters(std::string_view range);
std::string RangeLastColLetters(std::string_view range);
// RangeLastRow - RangeFirstRow + 1.
int RangeRowCount(std::string_view range);
