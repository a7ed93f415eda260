#include "db/RecordStore.h"

#include "db/DB.h"

namespace db {

TColumnKind ColumnKindOf(TFieldType t) noexcept {
    switch (t) {
    case TFieldType::ftSmallint: case TFieldType::ftInteger: case TFieldType::ftWord: case TFieldType::ftBoolean:
    case TFieldType::ftAutoInc: case TFieldType::ftLargeint:
        return TColumnKind::Int;
    case TFieldType::ftFloat: case TFieldType::ftCurrency: case TFieldType::ftBCD: case TFieldType::ftDate:
    case TFieldType::ftTime: case TFieldType::ftDateTime: case TFieldType::ftTimeStamp: case TFieldType::ftFMTBcd:
        return TColumnKind::Float;
    case TFieldType::ftVariant: case TFieldType::ftUnknown:
        return TColumnKind::Var;
    default:
        return TColumnKind::Text;
    }
}

void TRecordStore::Define(std::vector<TColumnKind> kinds) {
    columns_.clear();
    columns_.resize(kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i) columns_[i].kind = kinds[i];
    DropRows();
}

void TRecordStore::DropRows() {
    deleted_.clear();
    chunks_.clear();
    current_ = nullptr;
    chunkUsed_ = chunkBytes_ = 0;
    rows_ = 0;
    deletedCount_ = 0;
}

void TRecordStore::Reserve(std::size_t rows) {
    for (Column& c : columns_) {
        c.nulls.reserve(rows / 64 + 1);
        switch (c.kind) {
        case TColumnKind::Int: c.ints.reserve(rows); break;
        case TColumnKind::Float: c.floats.reserve(rows); break;
        case TColumnKind::Text:
            c.texts.reserve(rows);
            c.lengths.reserve(rows);
            break;
        case TColumnKind::Var: c.vars.reserve(rows); break;
        }
    }
    deleted_.reserve(rows / 64 + 1);
}

TRecordStore::Row TRecordStore::AppendRow() {
    if (rows_ == UINT32_MAX) throw EDatabaseError("The data set cannot hold more than 4294967295 records");
    const Row row = rows_++;
    if ((row & 63) == 0) {
        deleted_.push_back(0);
        for (Column& c : columns_) c.nulls.push_back(0);
    }
    for (Column& c : columns_) {
        c.nulls[row >> 6] |= (1ull << (row & 63));
        switch (c.kind) {
        case TColumnKind::Int: c.ints.push_back(0); break;
        case TColumnKind::Float: c.floats.push_back(0.0); break;
        case TColumnKind::Text:
            c.texts.push_back("");
            c.lengths.push_back(0);
            break;
        case TColumnKind::Var: c.vars.emplace_back(); break;
        }
    }
    return row;
}

void TRecordStore::DeleteRow(Row row) {
    if (IsDeleted(row)) return;
    SetBit(deleted_, row, true);
    ++deletedCount_;
    for (Column& c : columns_)
        if (c.kind == TColumnKind::Var) c.vars[row] = rtl::Variant();
}

void TRecordStore::Clear() {
    for (Column& c : columns_) {
        const TColumnKind kind = c.kind;
        c = Column{};
        c.kind = kind;
    }
    DropRows();
}

const char* TRecordStore::Keep(std::string_view v) {
    constexpr std::size_t kChunk = 256 * 1024;
    if (v.empty()) return "";
    if (v.size() > kChunk / 4) {
        // A long text gets memory of its own; the current chunk goes on being filled.
        chunks_.push_back(std::make_unique<char[]>(v.size()));
        chunkBytes_ += v.size();
        std::copy(v.begin(), v.end(), chunks_.back().get());
        return chunks_.back().get();
    }
    if (!current_ || chunkUsed_ + v.size() > kChunk) {
        chunks_.push_back(std::make_unique<char[]>(kChunk));
        chunkBytes_ += kChunk;
        current_ = chunks_.back().get();
        chunkUsed_ = 0;
    }
    char* p = current_ + chunkUsed_;
    std::copy(v.begin(), v.end(), p);
    chunkUsed_ += v.size();
    return p;
}

void TRecordStore::SetNull(Row row, int col) {
    Column& c = columns_[static_cast<std::size_t>(col)];
    SetBit(c.nulls, row, true);
    if (c.kind == TColumnKind::Var) c.vars[row] = rtl::Variant();
}

void TRecordStore::SetInt(Row row, int col, std::int64_t v) {
    Column& c = columns_[static_cast<std::size_t>(col)];
    c.ints[row] = v;
    SetBit(c.nulls, row, false);
}

void TRecordStore::SetFloat(Row row, int col, double v) {
    Column& c = columns_[static_cast<std::size_t>(col)];
    c.floats[row] = v;
    SetBit(c.nulls, row, false);
}

void TRecordStore::SetText(Row row, int col, std::string_view v) {
    Column& c = columns_[static_cast<std::size_t>(col)];
    if (v.size() > UINT32_MAX) throw EDatabaseError("A text of more than 4 GB does not fit a field");
    // A text that fits where the old one was is written in place.
    if (v.size() <= c.lengths[row] && c.lengths[row] > 0) std::copy(v.begin(), v.end(), const_cast<char*>(c.texts[row]));
    else c.texts[row] = Keep(v);
    c.lengths[row] = static_cast<std::uint32_t>(v.size());
    SetBit(c.nulls, row, false);
}

void TRecordStore::SetVar(Row row, int col, const rtl::Variant& v) {
    Column& c = columns_[static_cast<std::size_t>(col)];
    c.vars[row] = v;
    SetBit(c.nulls, row, v.IsClear());
}

std::size_t TRecordStore::MemoryBytes() const noexcept {
    std::size_t n = deleted_.capacity() * sizeof(std::uint64_t) + chunkBytes_;
    for (const Column& c : columns_) {
        n += c.nulls.capacity() * sizeof(std::uint64_t) + c.ints.capacity() * sizeof(std::int64_t) +
             c.floats.capacity() * sizeof(double) + c.texts.capacity() * sizeof(const char*) +
             c.lengths.capacity() * sizeof(std::uint32_t) + c.vars.capacity() * sizeof(rtl::Variant);
    }
    return n;
}

}  // namespace db
