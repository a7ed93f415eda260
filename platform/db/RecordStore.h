// The records of a data set, kept by column: integers, floats, texts (in chunks of
// character memory that never move) or variants, with a null bit per cell. Rows are only ever appended;
// a deleted row is marked and skipped, so a row number names one record for the life of
// the store (bookmarks rely on this). Texts that are overwritten leave their old bytes in
// the arena until the store is cleared.
#pragma once

#include "db/DB.h"
#include "rtl/Variant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace db {

enum class TColumnKind : std::uint8_t { Int, Float, Text, Var };

// The column kind that keeps values of a field type: whole numbers and Booleans as
// integers, numbers and dates as floats, texts and blobs as texts, the rest as variants.
TColumnKind ColumnKindOf(TFieldType type) noexcept;

class TRecordStore {
public:
    using Row = std::uint32_t;

    // Replaces the columns (and drops every row).
    void Define(std::vector<TColumnKind> kinds);
    int ColumnCount() const noexcept { return static_cast<int>(columns_.size()); }
    TColumnKind Kind(int col) const { return columns_[static_cast<std::size_t>(col)].kind; }

    Row RowCount() const noexcept { return rows_; }  // deleted rows included
    Row LiveCount() const noexcept { return rows_ - deletedCount_; }
    // A new row with every cell null.
    Row AppendRow();
    void DeleteRow(Row row);
    bool IsDeleted(Row row) const { return (deleted_[row >> 6] >> (row & 63)) & 1u; }
    void Clear();
    void Reserve(std::size_t rows);

    bool IsNull(Row row, int col) const {
        const Column& c = columns_[static_cast<std::size_t>(col)];
        return (c.nulls[row >> 6] >> (row & 63)) & 1u;
    }
    std::int64_t Int(Row row, int col) const { return columns_[static_cast<std::size_t>(col)].ints[row]; }
    double Float(Row row, int col) const { return columns_[static_cast<std::size_t>(col)].floats[row]; }
    std::string_view Text(Row row, int col) const {
        const Column& c = columns_[static_cast<std::size_t>(col)];
        return std::string_view(c.texts[row], c.lengths[row]);
    }
    const rtl::Variant& Var(Row row, int col) const { return columns_[static_cast<std::size_t>(col)].vars[row]; }

    void SetNull(Row row, int col);
    void SetInt(Row row, int col, std::int64_t v);
    void SetFloat(Row row, int col, double v);
    void SetText(Row row, int col, std::string_view v);
    void SetVar(Row row, int col, const rtl::Variant& v);

    // Bytes held by the store's containers (capacity), for memory accounting.
    std::size_t MemoryBytes() const noexcept;

private:
    struct Column {
        TColumnKind kind = TColumnKind::Int;
        std::vector<std::uint64_t> nulls;
        std::vector<std::int64_t> ints;
        std::vector<double> floats;
        std::vector<const char*> texts;
        std::vector<std::uint32_t> lengths;
        std::vector<rtl::Variant> vars;
    };
    void SetBit(std::vector<std::uint64_t>& bits, Row row, bool on) {
        if (on) bits[row >> 6] |= (1ull << (row & 63));
        else bits[row >> 6] &= ~(1ull << (row & 63));
    }

    void DropRows();
    // Copies the text into chunk memory and returns where it now lies.
    const char* Keep(std::string_view v);

    std::vector<Column> columns_;
    // Text memory shared by the columns: chunks are filled in turn and never move.
    std::vector<std::unique_ptr<char[]>> chunks_;
    char* current_ = nullptr;
    std::size_t chunkUsed_ = 0, chunkBytes_ = 0;
    std::vector<std::uint64_t> deleted_;
    Row rows_ = 0;
    Row deletedCount_ = 0;
};

}  // namespace db
