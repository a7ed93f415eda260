#include "db/DataSet.h"

#include "db/Collation.h"
#include "db/DataSource.h"
#include "rtl/Convert.h"
#include "rtl/Strings.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace db {

RTL_DEFINE_CLASS(TDataSet, vcl::TComponent, rtl::Prop<TDataSet>("Active", &TDataSet::Active, &TDataSet::SetActive),
                 rtl::Prop<TDataSet>("Filter", &TDataSet::Filter, &TDataSet::SetFilter),
                 rtl::Prop<TDataSet>("Filtered", &TDataSet::Filtered, &TDataSet::SetFiltered))


// ------------------------------------------------------------------ TFieldDefs

void TFieldDefs::Add(const std::string& name, TFieldType type, int size, bool required) {
    if (IndexOf(name) >= 0) throw EDatabaseError("Duplicate field name '" + name + "'");
    defs_.push_back(TFieldDef{name, type, size, required});
}

int TFieldDefs::IndexOf(std::string_view name) const {
    for (std::size_t i = 0; i < defs_.size(); ++i)
        if (rtl::AnsiSameText(defs_[i].Name, name)) return static_cast<int>(i);
    return -1;
}

// ------------------------------------------------------------------ construction

TDataSet::TDataSet(vcl::TComponent* owner) : vcl::TComponent(owner) {}

TDataSet::~TDataSet() {
    // Not through Close: the events of a data set that is going away are not raised.
    state_ = TDataSetState::dsInactive;
    for (TDataSource* s : std::vector<TDataSource*>(sources_)) s->SetDataSet(nullptr);
    for (TField* f : std::vector<TField*>(fields_)) {
        f->dataSet_ = nullptr;
        f->RemoveFreeNotification(this);
    }
    fields_.clear();
    for (TField* f : ownFields_) TObject::Free(f);
}

void TDataSet::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation != vcl::TOperation::opRemove) return;
    if (auto it = std::find(fields_.begin(), fields_.end(), component); it != fields_.end()) fields_.erase(it);
    if (auto it = std::find(ownFields_.begin(), ownFields_.end(), component); it != ownFields_.end()) ownFields_.erase(it);
}

void TDataSet::Error(const std::string& message) const {
    throw EDatabaseError(Name().empty() ? message : Name() + ": " + message);
}

void TDataSet::CheckActive() const {
    if (!Active()) Error("Cannot perform this operation on a closed dataset");
}

// ------------------------------------------------------------------ fields

void TDataSet::AddField(TField* field) {
    if (Active()) Error("Cannot perform this operation on an open dataset");
    fields_.push_back(field);
    field->FreeNotification(this);
}

void TDataSet::RemoveField(TField* field) {
    if (Active()) Error("Cannot perform this operation on an open dataset");
    fields_.erase(std::remove(fields_.begin(), fields_.end(), field), fields_.end());
    field->RemoveFreeNotification(this);
}

TField* TDataSet::Fields(int index) const {
    if (index < 0 || index >= FieldCount()) throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return fields_[static_cast<std::size_t>(index)];
}

TField* TDataSet::FindField(std::string_view name) const {
    for (TField* f : fields_)
        if (rtl::AnsiSameText(f->FieldName(), name)) return f;
    return nullptr;
}

TField* TDataSet::FieldByName(std::string_view name) const {
    TField* f = FindField(name);
    if (!f) Error("Field '" + std::string(name) + "' not found");
    return f;
}

void TDataSet::CreateFields() {
    for (int i = 0; i < fieldDefs_.Count(); ++i) {
        const TFieldDef& def = fieldDefs_.Items(i);
        if (FindField(def.Name)) continue;
        TField* f = CreateFieldOfType(def.DataType, nullptr);
        f->SetFieldName(def.Name);
        if (def.Size > 0) f->SetSize(def.Size);
        f->SetRequired(def.Required);
        f->SetDataSet(this);
        ownFields_.push_back(f);
    }
}

std::vector<TField*> TDataSet::FieldList(std::string_view names) const {
    std::vector<TField*> out;
    std::size_t start = 0;
    while (start <= names.size()) {
        std::size_t end = names.find(';', start);
        if (end == std::string_view::npos) end = names.size();
        const std::string name = rtl::Trim(names.substr(start, end - start));
        if (!name.empty()) out.push_back(FieldByName(name));
        start = end + 1;
    }
    return out;
}

void TDataSet::DefineStore() {
    // Fields made from the definitions are made again, so they follow definitions that
    // changed since; persistent fields stay.
    if (!ownFields_.empty() && ownFields_.size() == fields_.size()) {
        const std::vector<TField*> old = std::move(ownFields_);
        ownFields_.clear();
        for (TField* f : old) TObject::Free(f);  // each leaves fields_ as it goes
    }
    if (fields_.empty()) CreateFields();
    std::vector<TColumnKind> kinds;
    int calc = 0;
    hasCalcFields_ = false;
    for (TField* f : fields_) {
        if (f->FieldKind() == TFieldKind::fkData || f->FieldKind() == TFieldKind::fkInternalCalc) {
            f->storeCol_ = static_cast<int>(kinds.size());
            f->calcSlot_ = -1;
            kinds.push_back(ColumnKindOf(f->DataType()));
        } else {
            f->storeCol_ = -1;
            f->calcSlot_ = calc++;
            hasCalcFields_ = true;
        }
    }
    store_.Define(std::move(kinds));
    editBuffer_.assign(static_cast<std::size_t>(store_.ColumnCount()), TCell{});
    calcBuffer_.assign(static_cast<std::size_t>(calc), TCell{});
}

// ------------------------------------------------------------------ opening

void TDataSet::InternalOpen() {
    if (store_.ColumnCount() == 0) DefineStore();
}

void TDataSet::InternalClose() {}

void TDataSet::SetActive(bool active) {
    if (active == Active()) return;
    if (active) {
        Fire(BeforeOpen);
        InternalOpen();
        state_ = TDataSetState::dsBrowse;
        modified_ = false;
        try {
            Reorder();
        } catch (...) {
            state_ = TDataSetState::dsInactive;
            InternalClose();
            throw;
        }
        cursor_ = ViewCount() > 0 ? 0 : -1;
        bof_ = true;
        eof_ = ViewCount() == 0;
        CalculateFields();
        DataEvent(TDataEvent::deUpdateState);
        Fire(AfterOpen);
        if (!IsEmpty()) Fire(AfterScroll);
    } else {
        Fire(BeforeClose);
        state_ = TDataSetState::dsInactive;
        editing_ = false;
        modified_ = false;
        InternalClose();
        order_.clear();
        view_.clear();
        viewIsOrder_ = true;
        cursor_ = -1;
        bof_ = eof_ = true;
        editRow_ = -1;
        // Closed (and maybe opened again) while controls are disabled: the layout may have
        // changed by the time they are enabled.
        if (disableCount_ > 0) enableEvent_ = TDataEvent::deLayoutChange;
        DataEvent(TDataEvent::deUpdateState);
        Fire(AfterClose);
    }
}

void TDataSet::SetState(TDataSetState state) {
    if (state == state_) return;
    state_ = state;
    modified_ = false;
    DataEvent(TDataEvent::deUpdateState);
}

// ------------------------------------------------------------------ order and view

int TDataSet::CompareRows(TRecordStore::Row, TRecordStore::Row) const { return 0; }

void TDataSet::Reorder() {
    const std::optional<TRecordStore::Row> current = CurrentRow();
    order_.clear();
    order_.reserve(store_.LiveCount());
    for (TRecordStore::Row r = 0; r < store_.RowCount(); ++r)
        if (!store_.IsDeleted(r)) order_.push_back(r);
    if (HasOrder())
        std::stable_sort(order_.begin(), order_.end(),
                         [this](TRecordStore::Row a, TRecordStore::Row b) { return CompareRows(a, b) < 0; });
    RebuildView();
    if (current) {
        const int pos = PositionOf(*current);
        if (pos >= 0) cursor_ = pos;
    }
}

void TDataSet::EnsureFilterProgram() {
    if (!filtered_ || filterText_.empty()) {
        filterProgram_.reset();
        return;
    }
    if (filterProgram_) return;
    if (!filterExpr_ || filterExpr_->Text() != filterText_) filterExpr_ = TFilterExpr::Parse(filterText_);
    filterProgram_ = std::make_unique<TFilterProgram>(
        *filterExpr_, [this](std::string_view name) { return FieldByName(name); }, filterOptions_);
}

bool TDataSet::PassesFilter(TRecordStore::Row row) {
    if (HasRange() && !InRange(row)) return false;
    if (!filtered_) return true;
    if (filterProgram_ && !filterProgram_->Matches(store_, row)) return false;
    if (OnFilterRecord) {
        bool accept = true;
        const TDataSetState saved = state_;
        state_ = TDataSetState::dsFilter;
        filterRow_ = row;
        try {
            OnFilterRecord(this, accept);
        } catch (...) {
            state_ = saved;
            filterRow_ = -1;
            throw;
        }
        state_ = saved;
        filterRow_ = -1;
        return accept;
    }
    return true;
}

void TDataSet::RebuildView() {
    const std::optional<TRecordStore::Row> current = viewIsOrder_ && cursor_ >= static_cast<int>(order_.size())
                                                          ? std::nullopt
                                                          : CurrentRow();
    EnsureFilterProgram();
    const bool narrowing = HasRange() || (filtered_ && (filterProgram_ || OnFilterRecord));
    view_.clear();
    if (!narrowing) {
        viewIsOrder_ = true;
        view_.shrink_to_fit();
    } else {
        viewIsOrder_ = false;
        for (TRecordStore::Row r : order_)
            if (PassesFilter(r)) view_.push_back(r);
    }
    int pos = current ? PositionOf(*current) : -1;
    if (pos < 0) pos = ViewCount() > 0 ? 0 : -1;
    cursor_ = pos;
    if (cursor_ < 0) bof_ = eof_ = true;
    else if (cursor_ >= ViewCount()) cursor_ = ViewCount() - 1;
}

int TDataSet::PositionOf(TRecordStore::Row row) const {
    const int n = ViewCount();
    if (cursor_ >= 0 && cursor_ < n && ViewRow(cursor_) == row) return cursor_;
    for (int i = 0; i < n; ++i)
        if (ViewRow(i) == row) return i;
    return -1;
}

std::optional<TRecordStore::Row> TDataSet::CurrentRow() const {
    if (!Active() || cursor_ < 0 || cursor_ >= ViewCount()) return std::nullopt;
    return ViewRow(cursor_);
}

// ------------------------------------------------------------------ navigation

int TDataSet::RecordCount() const {
    CheckActive();
    return ViewCount();
}

int TDataSet::RecNo() const {
    if (!Active() || state_ == TDataSetState::dsInsert || cursor_ < 0) return 0;
    return cursor_ + 1;
}

void TDataSet::SetRecNo(int recNo) {
    CheckActive();
    CheckBrowseMode();
    if (recNo < 1 || recNo > ViewCount() || recNo - 1 == cursor_) return;
    MoveTo(recNo - 1);
    bof_ = eof_ = false;
}

void TDataSet::MoveTo(int position) {
    if (ViewCount() == 0) {
        bof_ = eof_ = true;
        return;
    }
    if (position != cursor_) Fire(BeforeScroll);
    const bool moved = position != cursor_;
    cursor_ = position;
    CalculateFields();
    if (moved) {
        DataEvent(TDataEvent::deDataSetScroll);
        Fire(AfterScroll);
    }
}

// First and Last always raise the scroll events and tell the data sources that everything
// changed, even when the cursor was already there, as the platform does.
void TDataSet::MoveToEnd(bool last) {
    CheckActive();
    CheckBrowseMode();
    if (ViewCount() == 0) {
        bof_ = eof_ = true;
        return;
    }
    Fire(BeforeScroll);
    cursor_ = last ? ViewCount() - 1 : 0;
    bof_ = !last;
    eof_ = last;
    CalculateFields();
    DataEvent(TDataEvent::deDataSetChange);
    Fire(AfterScroll);
}

void TDataSet::First() { MoveToEnd(false); }

void TDataSet::Last() { MoveToEnd(true); }

void TDataSet::Next() {
    if (MoveBy(1) == 0) eof_ = true;
}

void TDataSet::Prior() {
    if (MoveBy(-1) == 0) bof_ = true;
}

int TDataSet::MoveBy(int distance) {
    CheckActive();
    CheckBrowseMode();
    const int n = ViewCount();
    if (n == 0 || distance == 0) {
        if (n == 0) bof_ = eof_ = true;
        return 0;
    }
    int target = std::clamp(cursor_ + distance, 0, n - 1);
    const int moved = target - cursor_;
    if (distance > 0) {
        bof_ = false;
        eof_ = moved < distance;
    } else {
        eof_ = false;
        bof_ = moved > distance;
    }
    if (moved != 0) MoveTo(target);
    return moved;
}

// ------------------------------------------------------------------ calculated fields

void TDataSet::CalculateFields() {
    if (!hasCalcFields_ || calcBuffer_.empty()) return;
    for (TCell& c : calcBuffer_) c = TCell{};
    if (!CurrentRow() && state_ != TDataSetState::dsInsert) return;
    const TDataSetState saved = state_;
    state_ = TDataSetState::dsCalcFields;
    try {
        for (TField* f : fields_) {
            if (f->FieldKind() != TFieldKind::fkLookup || !f->LookupDataSet() || !f->LookupDataSet()->Active()) continue;
            // The key values of this record, looked up in the other data set.
            std::vector<TField*> keys = FieldList(f->KeyFields);
            std::vector<rtl::Variant> values;
            for (TField* k : keys) values.push_back(k->GetAsVariant());
            const rtl::Variant key = values.size() == 1 ? values[0] : rtl::VarArrayOf(values);
            const rtl::Variant result = f->LookupDataSet()->Lookup(f->LookupKeyFields, key, f->LookupResultField);
            TCell& cell = calcBuffer_[static_cast<std::size_t>(f->calcSlot_)];
            cell.Null = result.IsClear();
            cell.Var = result;
            cell.Text = result.AsString();
            if (result.IsNumeric()) cell.Float = result.AsDouble(), cell.Int = result.IsOrdinal() ? result.AsInt64() : 0;
        }
        if (OnCalcFields) OnCalcFields(this);
    } catch (...) {
        state_ = saved;
        throw;
    }
    state_ = saved;
}

// ------------------------------------------------------------------ cells

// Where a data field's value is read: the edit buffer while a record is edited or
// inserted, the candidate row while filtering, else the current row (none when empty).
TDataSet::TSource TDataSet::SourceOf(TRecordStore::Row& row) const {
    if (peekRow_ >= 0 && !(editing_ && peekRow_ == editRow_)) {
        row = static_cast<TRecordStore::Row>(peekRow_);
        return TSource::Row;
    }
    if (editing_) return TSource::Buffer;
    if (state_ == TDataSetState::dsFilter) {
        row = static_cast<TRecordStore::Row>(filterRow_);
        return TSource::Row;
    }
    const auto current = CurrentRow();
    if (!current) return TSource::None;
    row = *current;
    return TSource::Row;
}

const TCell* TDataSet::BufferCell(const TField& f) const {
    if (f.calcSlot_ >= 0) return &calcBuffer_[static_cast<std::size_t>(f.calcSlot_)];
    if (f.storeCol_ < 0) return nullptr;
    return &editBuffer_[static_cast<std::size_t>(f.storeCol_)];
}

bool TDataSet::CellIsNull(const TField& f) const {
    if (f.calcSlot_ >= 0) return calcBuffer_[static_cast<std::size_t>(f.calcSlot_)].Null;
    if (f.storeCol_ < 0 || !Active()) return true;
    TRecordStore::Row row = 0;
    switch (SourceOf(row)) {
    case TSource::Buffer: return editBuffer_[static_cast<std::size_t>(f.storeCol_)].Null;
    case TSource::Row: return store_.IsNull(row, f.storeCol_);
    default: return true;
    }
}

std::int64_t TDataSet::CellInt(const TField& f) const {
    TRecordStore::Row row = 0;
    if (f.calcSlot_ >= 0 || SourceOf(row) == TSource::Buffer) {
        const TCell* c = BufferCell(f);
        return c->Null ? 0 : c->Int;
    }
    return CellIsNull(f) ? 0 : store_.Int(row, f.storeCol_);
}

double TDataSet::CellFloat(const TField& f) const {
    TRecordStore::Row row = 0;
    if (f.calcSlot_ >= 0 || SourceOf(row) == TSource::Buffer) {
        const TCell* c = BufferCell(f);
        return c->Null ? 0.0 : c->Float;
    }
    return CellIsNull(f) ? 0.0 : store_.Float(row, f.storeCol_);
}

std::string_view TDataSet::CellText(const TField& f) const {
    TRecordStore::Row row = 0;
    if (f.calcSlot_ >= 0 || SourceOf(row) == TSource::Buffer) {
        const TCell* c = BufferCell(f);
        return c->Null ? std::string_view() : std::string_view(c->Text);
    }
    return CellIsNull(f) ? std::string_view() : store_.Text(row, f.storeCol_);
}

rtl::Variant TDataSet::CellVar(const TField& f) const {
    TRecordStore::Row row = 0;
    if (f.calcSlot_ >= 0 || SourceOf(row) == TSource::Buffer) {
        const TCell* c = BufferCell(f);
        return c->Null ? rtl::Variant::Null() : c->Var;
    }
    return CellIsNull(f) ? rtl::Variant::Null() : store_.Var(row, f.storeCol_);
}

void TDataSet::CheckCanModify(const TField& f) const {
    CheckActive();
    const bool calculating = state_ == TDataSetState::dsCalcFields;
    if (f.calcSlot_ >= 0) {
        if (!calculating && !editing_) Error("Dataset not in edit or insert mode");
        return;
    }
    if (!editing_ || calculating) Error("Dataset not in edit or insert mode");
}

TCell& TDataSet::WritableCell(TField& f) {
    CheckCanModify(f);
    return *const_cast<TCell*>(BufferCell(f));
}

void TDataSet::FieldWritten(TField& f, const TCell* previous) {
    if (f.OnValidate) {
        try {
            f.OnValidate(&f);
        } catch (...) {
            if (previous) *const_cast<TCell*>(BufferCell(f)) = *previous;  // the refused value is not kept
            throw;
        }
    }
    if (f.calcSlot_ >= 0 && state_ == TDataSetState::dsCalcFields) return;
    modified_ = true;
    if (f.OnChange) f.OnChange(&f);
    DataEvent(TDataEvent::deFieldChange, reinterpret_cast<std::intptr_t>(&f));
    if (f.calcSlot_ < 0) CalculateFields();
}

rtl::Variant TDataSet::RowValue(const TField& f, TRecordStore::Row row) const {
    if (f.storeCol_ < 0 || store_.IsNull(row, f.storeCol_)) return rtl::Variant::Null();
    switch (store_.Kind(f.storeCol_)) {
    case TColumnKind::Int:
        if (f.DataType() == TFieldType::ftBoolean) return rtl::Variant(store_.Int(row, f.storeCol_) != 0);
        return rtl::Variant(static_cast<long long>(store_.Int(row, f.storeCol_)));
    case TColumnKind::Float:
        switch (f.DataType()) {
        case TFieldType::ftDate: case TFieldType::ftTime: case TFieldType::ftDateTime: case TFieldType::ftTimeStamp:
            return rtl::Variant(rtl::TDateTime(store_.Float(row, f.storeCol_)));
        default: return rtl::Variant(store_.Float(row, f.storeCol_));
        }
    case TColumnKind::Text: return rtl::Variant(std::string(store_.Text(row, f.storeCol_)));
    case TColumnKind::Var: return store_.Var(row, f.storeCol_);
    }
    return {};
}

// ------------------------------------------------------------------ editing

void TDataSet::ClearEditBuffer() {
    // Only the null marks: the cells' text storage is reused by the next record.
    for (TCell& c : editBuffer_) {
        c.Null = true;
        if (!c.Var.IsEmpty()) c.Var = rtl::Variant();
    }
}

void TDataSet::LoadEditBuffer(TRecordStore::Row row) {
    for (int col = 0; col < store_.ColumnCount(); ++col) {
        TCell& c = editBuffer_[static_cast<std::size_t>(col)];
        c.Null = store_.IsNull(row, col);
        if (c.Null) continue;
        switch (store_.Kind(col)) {
        case TColumnKind::Int: c.Int = store_.Int(row, col); break;
        case TColumnKind::Float: c.Float = store_.Float(row, col); break;
        case TColumnKind::Text: c.Text.assign(store_.Text(row, col)); break;
        case TColumnKind::Var: c.Var = store_.Var(row, col); break;
        }
    }
}

void TDataSet::StoreEditBuffer(TRecordStore::Row row) {
    for (int col = 0; col < store_.ColumnCount(); ++col) {
        const TCell& c = editBuffer_[static_cast<std::size_t>(col)];
        if (c.Null) {
            store_.SetNull(row, col);
            continue;
        }
        switch (store_.Kind(col)) {
        case TColumnKind::Int: store_.SetInt(row, col, c.Int); break;
        case TColumnKind::Float: store_.SetFloat(row, col, c.Float); break;
        case TColumnKind::Text: store_.SetText(row, col, c.Text); break;
        case TColumnKind::Var: store_.SetVar(row, col, c.Var); break;
        }
    }
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    if (!sources_.empty()) DataEvent(TDataEvent::deCheckBrowseMode);
    if (editing_) {
        if (modified_) Post();
        else Cancel();
    }
}

void TDataSet::Edit() {
    CheckActive();
    if (editing_) return;
    if (IsEmpty()) {
        Insert();
        return;
    }
    Fire(BeforeEdit);
    editRow_ = *CurrentRow();
    LoadEditBuffer(static_cast<TRecordStore::Row>(editRow_));
    editing_ = true;
    SetState(TDataSetState::dsEdit);
    CalculateFields();
    Fire(AfterEdit);
}

void TDataSet::Insert() {
    CheckActive();
    CheckBrowseMode();
    Fire(BeforeInsert);
    Fire(BeforeScroll);
    insertPos_ = cursor_ < 0 ? 0 : cursor_;
    appending_ = false;
    editRow_ = -1;
    ClearEditBuffer();
    editing_ = true;
    SetState(TDataSetState::dsInsert);
    DoOnNewRecord();
    modified_ = false;
    CalculateFields();
    Fire(AfterInsert);
    Fire(AfterScroll);
}

void TDataSet::DoOnNewRecord() {
    if (OnNewRecord) OnNewRecord(this);
}

void TDataSet::Append() {
    CheckActive();
    CheckBrowseMode();
    Fire(BeforeInsert);
    Fire(BeforeScroll);
    insertPos_ = ViewCount();
    appending_ = true;
    editRow_ = -1;
    ClearEditBuffer();
    editing_ = true;
    SetState(TDataSetState::dsInsert);
    eof_ = true;
    DoOnNewRecord();
    modified_ = false;
    CalculateFields();
    Fire(AfterInsert);
    Fire(AfterScroll);
}

void TDataSet::CheckRequiredFields() {
    for (TField* f : fields_)
        if (f->Required() && !f->ReadOnly() && f->FieldKind() == TFieldKind::fkData && f->IsNull())
            throw EDatabaseError("Field '" + f->DisplayLabel() + "' must have a value");
}

void TDataSet::CheckPostRecord(std::int64_t) {}

void TDataSet::Post() {
    CheckActive();
    if (!editing_) return;
    postedAt_ = -1;
    DataEvent(TDataEvent::deUpdateRecord);
    Fire(BeforePost);
    CheckRequiredFields();
    CheckPostRecord(editRow_);
    const bool inserting = state_ == TDataSetState::dsInsert;
    TRecordStore::Row row;
    if (inserting) {
        row = store_.AppendRow();
        StoreEditBuffer(row);
        // Where the record enters the order: its sorted place, else where it was inserted.
        std::size_t at;
        if (HasOrder()) {
            at = static_cast<std::size_t>(std::upper_bound(order_.begin(), order_.end(), row,
                                                           [this](TRecordStore::Row a, TRecordStore::Row b) {
                                                               return CompareRows(a, b) < 0;
                                                           }) - order_.begin());
        } else if (appending_ || insertPos_ >= ViewCount()) {
            at = order_.size();
        } else {
            const TRecordStore::Row before = ViewRow(insertPos_);
            at = static_cast<std::size_t>(std::find(order_.begin(), order_.end(), before) - order_.begin());
        }
        order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(at), row);
        postedAt_ = static_cast<int>(at);
    } else {
        row = static_cast<TRecordStore::Row>(editRow_);
        StoreEditBuffer(row);
        if (HasOrder()) {
            order_.erase(std::find(order_.begin(), order_.end(), row));
            const auto it = std::upper_bound(order_.begin(), order_.end(), row, [this](TRecordStore::Row a, TRecordStore::Row b) {
                return CompareRows(a, b) < 0;
            });
            order_.insert(it, row);
        }
    }
    RecordStored(row);
    editing_ = false;
    editRow_ = -1;
    appending_ = false;
    state_ = TDataSetState::dsBrowse;
    modified_ = false;
    if (viewIsOrder_ && !HasRange() && !(filtered_ && (filterProgram_ || OnFilterRecord))) {
        // The view is the order: an inserted record sits where it entered.
        cursor_ = inserting && postedAt_ >= 0 && ViewRow(postedAt_) == row ? postedAt_ : PositionOf(row);
    } else {
        // The view follows the order; a record the filter now refuses leaves it, and the
        // cursor stays as near as it can.
        const int keep = cursor_;
        view_.clear();
        for (TRecordStore::Row r : order_)
            if (PassesFilter(r)) view_.push_back(r);
        const int pos = PositionOf(row);
        cursor_ = pos >= 0 ? pos : std::min(std::max(keep, 0), ViewCount() - 1);
    }
    bof_ = eof_ = false;
    if (ViewCount() == 0) bof_ = eof_ = true;
    CalculateFields();
    DataEvent(TDataEvent::deUpdateState);
    DataEvent(TDataEvent::deDataSetChange);
    Fire(AfterPost);
}

void TDataSet::Cancel() {
    CheckActive();
    if (!editing_) return;
    Fire(BeforeCancel);
    const bool inserting = state_ == TDataSetState::dsInsert;
    const bool appended = inserting && appending_;
    if (inserting) Fire(BeforeScroll);
    editing_ = false;
    editRow_ = -1;
    appending_ = false;
    ClearEditBuffer();
    state_ = TDataSetState::dsBrowse;
    modified_ = false;
    if (inserting) {
        // Back to the record that was current, or to the last one after Append.
        cursor_ = ViewCount() == 0 ? -1 : appended ? ViewCount() - 1 : std::min(std::max(cursor_, 0), ViewCount() - 1);
        bof_ = eof_ = ViewCount() == 0;
    }
    CalculateFields();
    DataEvent(TDataEvent::deUpdateState);
    DataEvent(TDataEvent::deDataSetChange);
    Fire(AfterCancel);
    if (inserting) Fire(AfterScroll);
}

void TDataSet::Delete() {
    CheckActive();
    if (state_ == TDataSetState::dsInsert) {
        Cancel();
        return;
    }
    if (IsEmpty()) Error("Cannot perform this operation on an empty dataset");
    Fire(BeforeDelete);
    Fire(BeforeScroll);
    // A record being edited is deleted as it was stored: its edit is dropped, not
    // cancelled (no Cancel events).
    const bool wasEditing = editing_;
    if (wasEditing) {
        editing_ = false;
        editRow_ = -1;
        ClearEditBuffer();
        state_ = TDataSetState::dsBrowse;
        modified_ = false;
    }
    const TRecordStore::Row row = *CurrentRow();
    RecordDeleting(row);
    store_.DeleteRow(row);
    order_.erase(std::find(order_.begin(), order_.end(), row));
    if (!viewIsOrder_) view_.erase(std::find(view_.begin(), view_.end(), row));
    if (cursor_ >= ViewCount()) cursor_ = ViewCount() - 1;
    bof_ = cursor_ <= 0;
    eof_ = ViewCount() == 0;
    CalculateFields();
    if (wasEditing) DataEvent(TDataEvent::deUpdateState);
    DataEvent(TDataEvent::deDataSetChange);
    Fire(AfterDelete);
    Fire(AfterScroll);
}

void TDataSet::AppendRecord(const std::vector<rtl::Variant>& values) {
    Append();
    try {
        for (std::size_t i = 0; i < values.size() && i < fields_.size(); ++i)
            if (fields_[i]->FieldKind() == TFieldKind::fkData) fields_[i]->SetAsVariant(values[i]);
        Post();
    } catch (...) {
        Cancel();
        throw;
    }
}

// ------------------------------------------------------------------ bookmarks

TBookmark TDataSet::GetBookmark() const {
    const auto row = CurrentRow();
    if (row && !editing_) return TBookmark{*row, RecNo()};
    return editRow_ >= 0 ? TBookmark{editRow_, RecNo()} : TBookmark{};
}

bool TDataSet::BookmarkValid(const TBookmark& b) const {
    return Active() && b.Row >= 0 && b.Row < static_cast<std::int64_t>(store_.RowCount()) &&
           !store_.IsDeleted(static_cast<TRecordStore::Row>(b.Row)) &&
           PositionOf(static_cast<TRecordStore::Row>(b.Row)) >= 0;
}

void TDataSet::GotoBookmark(const TBookmark& b) {
    CheckActive();
    CheckBrowseMode();
    if (!BookmarkValid(b)) Error("Record not found");
    MoveTo(PositionOf(static_cast<TRecordStore::Row>(b.Row)));
    bof_ = eof_ = false;
}

int TDataSet::CompareBookmarks(const TBookmark& a, const TBookmark& b) const {
    if (!a.Valid() || !b.Valid()) return a.Valid() ? 1 : (b.Valid() ? -1 : 0);
    const int pa = PositionOf(static_cast<TRecordStore::Row>(a.Row)), pb = PositionOf(static_cast<TRecordStore::Row>(b.Row));
    return pa < pb ? -1 : (pa > pb ? 1 : 0);
}

// ------------------------------------------------------------------ searching

bool TDataSet::RowMatches(const std::vector<TField*>& fields, const std::vector<rtl::Variant>& values,
                          TRecordStore::Row row, TLocateOptions options) const {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const TField& f = *fields[i];
        const rtl::Variant& want = values[i];
        const bool isNull = f.storeCol_ < 0 || store_.IsNull(row, f.storeCol_);
        if (want.IsClear() || isNull) {
            if (want.IsClear() != isNull) return false;
            continue;
        }
        switch (store_.Kind(f.storeCol_)) {
        case TColumnKind::Text: {
            const std::string w = want.AsString();
            const std::string_view have = store_.Text(row, f.storeCol_);
            const bool ci = (options & loCaseInsensitive) != 0;
            if (options & loPartialKey) {
                if (!StartsWithText(have, w, ci)) return false;
            } else if (CompareTexts(have, w, ci) != 0) {
                return false;
            }
            break;
        }
        case TColumnKind::Int: {
            const double w = want.IsString() ? rtl::StrToFloat(want.AsString()) : want.AsDouble();
            if (static_cast<double>(store_.Int(row, f.storeCol_)) != w && !(f.DataType() == TFieldType::ftBoolean &&
                                                                          (store_.Int(row, f.storeCol_) != 0) == (w != 0)))
                return false;
            break;
        }
        case TColumnKind::Float: {
            double w;
            if (want.IsString()) {
                const bool dateField = f.DataType() == TFieldType::ftDate || f.DataType() == TFieldType::ftDateTime ||
                                       f.DataType() == TFieldType::ftTime || f.DataType() == TFieldType::ftTimeStamp;
                w = dateField ? rtl::StrToDateTime(want.AsString()).Value() : rtl::StrToFloat(want.AsString());
            } else {
                w = want.AsDouble();
            }
            if (store_.Float(row, f.storeCol_) != w) return false;
            break;
        }
        case TColumnKind::Var:
            if (rtl::VarCompareValue(store_.Var(row, f.storeCol_), want, (options & loCaseInsensitive) != 0) !=
                rtl::TVariantRelationship::vrEqual)
                return false;
            break;
        }
    }
    return true;
}

namespace {
std::vector<rtl::Variant> KeyValues(const rtl::Variant& v, std::size_t count) {
    std::vector<rtl::Variant> out;
    if (v.IsArray()) out = v.Items();
    else out.push_back(v);
    if (out.size() != count)
        throw EDatabaseError("The number of key values (" + std::to_string(out.size()) +
                             ") does not match the number of key fields (" + std::to_string(count) + ")");
    return out;
}
}  // namespace

bool TDataSet::Locate(std::string_view keyFields, const rtl::Variant& keyValues, TLocateOptions options) {
    CheckActive();
    CheckBrowseMode();
    const std::vector<TField*> fields = FieldList(keyFields);
    for (TField* f : fields)
        if (f->storeCol_ < 0) Error("Field '" + f->FieldName() + "' cannot be used as a search key");
    const std::vector<rtl::Variant> values = KeyValues(keyValues, fields.size());
    for (int pos = 0; pos < ViewCount(); ++pos)
        if (RowMatches(fields, values, ViewRow(pos), options)) {
            MoveTo(pos);
            bof_ = eof_ = false;
            return true;
        }
    return false;
}

rtl::Variant TDataSet::Lookup(std::string_view keyFields, const rtl::Variant& keyValues, std::string_view resultFields) {
    CheckActive();
    const std::vector<TField*> fields = FieldList(keyFields);
    const std::vector<rtl::Variant> values = KeyValues(keyValues, fields.size());
    const std::vector<TField*> results = FieldList(resultFields);
    for (int pos = 0; pos < ViewCount(); ++pos) {
        const TRecordStore::Row row = ViewRow(pos);
        if (!RowMatches(fields, values, row, 0)) continue;
        if (results.size() == 1) return RowValue(*results[0], row);
        std::vector<rtl::Variant> out;
        for (TField* r : results) out.push_back(RowValue(*r, row));
        return rtl::VarArrayOf(std::move(out));
    }
    return rtl::Variant::Null();
}

// ------------------------------------------------------------------ peeking

bool TDataSet::PeekRecord(int recNo) {
    EndPeek();
    if (!Active() || recNo < 1 || recNo > ViewCount()) return false;
    const TRecordStore::Row row = ViewRow(recNo - 1);
    // The record being inserted has no row yet; the current record is read as it is.
    if (static_cast<int>(recNo - 1) == cursor_ && !(editing_ && state_ == TDataSetState::dsInsert)) return true;
    peekRow_ = row;
    if (hasCalcFields_) {
        peekSavedCalc_ = calcBuffer_;
        CalculateFields();
    }
    return true;
}

void TDataSet::EndPeek() {
    if (peekRow_ < 0) return;
    peekRow_ = -1;
    if (hasCalcFields_) calcBuffer_.swap(peekSavedCalc_);
}

// ------------------------------------------------------------------ controls, refresh, filter

void TDataSet::EnableControls() {
    if (disableCount_ == 0) return;
    if (--disableCount_ == 0) {
        if (disableState_ != state_) DataEvent(TDataEvent::deUpdateState);
        if (disableState_ != TDataSetState::dsInactive && state_ != TDataSetState::dsInactive) DataEvent(enableEvent_);
    }
}

void TDataSet::InternalRefresh() { Reorder(); }

void TDataSet::Refresh() {
    CheckActive();
    CheckBrowseMode();
    Fire(BeforeRefresh);
    InternalRefresh();
    CalculateFields();
    DataEvent(TDataEvent::deDataSetChange);
    Fire(AfterRefresh);
}

void TDataSet::SetFilter(const std::string& text) {
    if (text == filterText_) return;
    // Parsed now, so a bad text is refused where it is set and nothing changes; a text
    // naming an unknown field is refused when it is bound, and the filter in force stays.
    std::shared_ptr<const TFilterExpr> expr = rtl::Trim(text).empty() ? nullptr : TFilterExpr::Parse(text);
    const bool apply = Active() && filtered_;
    if (apply) CheckBrowseMode();
    std::string oldText = std::exchange(filterText_, text);
    std::shared_ptr<const TFilterExpr> oldExpr = std::exchange(filterExpr_, std::move(expr));
    filterProgram_.reset();
    if (apply) {
        try {
            RebuildView();
        } catch (...) {
            filterText_ = std::move(oldText);
            filterExpr_ = std::move(oldExpr);
            filterProgram_.reset();
            RebuildView();
            throw;
        }
        First();
    }
}

void TDataSet::SetFiltered(bool filtered) {
    if (filtered == filtered_) return;
    filtered_ = filtered;
    filterProgram_.reset();
    if (Active()) {
        CheckBrowseMode();
        try {
            RebuildView();
        } catch (...) {
            filtered_ = !filtered;
            filterProgram_.reset();
            RebuildView();
            throw;
        }
        First();
    }
}

void TDataSet::SetFilterOptions(TFilterOptions options) {
    if (options == filterOptions_) return;
    filterOptions_ = options;
    filterProgram_.reset();
    if (Active() && filtered_) {
        CheckBrowseMode();
        RebuildView();
        First();
    }
}

// ------------------------------------------------------------------ data sources

void TDataSet::AddDataSource(TDataSource* source) {
    if (std::find(sources_.begin(), sources_.end(), source) == sources_.end()) sources_.push_back(source);
}

void TDataSet::RemoveDataSource(TDataSource* source) {
    sources_.erase(std::remove(sources_.begin(), sources_.end(), source), sources_.end());
}

void TDataSet::DataEvent(TDataEvent event, std::intptr_t info) {
    if (disableCount_ > 0) return;  // EnableControls tells what it must
    for (TDataSource* s : std::vector<TDataSource*>(sources_)) s->DataEvent(event, info);
}

}  // namespace db
