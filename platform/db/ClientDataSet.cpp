#include "db/ClientDataSet.h"

#include "db/Collation.h"
#include "rtl/Strings.h"

#include <algorithm>
#include <cstring>

namespace db {

RTL_DEFINE_CLASS(TClientDataSet, TDataSet,
                 rtl::Prop<TClientDataSet>("IndexFieldNames", &TClientDataSet::IndexFieldNames,
                                           &TClientDataSet::SetIndexFieldNames),
                 rtl::Prop<TClientDataSet>("IndexName", &TClientDataSet::IndexName, &TClientDataSet::SetIndexName))

namespace {

std::vector<std::string> SplitNames(const std::string& names) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= names.size()) {
        std::size_t end = names.find(';', start);
        if (end == std::string::npos) end = names.size();
        std::string n = rtl::Trim(std::string_view(names).substr(start, end - start));
        if (!n.empty()) out.push_back(std::move(n));
        start = end + 1;
    }
    return out;
}

bool Listed(const std::string& list, const std::string& name) {
    for (const auto& n : SplitNames(list))
        if (rtl::AnsiSameText(n, name)) return true;
    return false;
}

void AppendKeyBytes(std::string& key, const void* data, std::size_t size) {
    key.append(static_cast<const char*>(data), size);
}

}  // namespace

TClientDataSet::TClientDataSet(vcl::TComponent* owner) : TDataSet(owner), masterLink_(*this) {}

TClientDataSet::~TClientDataSet() { masterLink_.SetDataSource(nullptr); }

void TClientDataSet::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    TDataSet::Notification(component, operation);
    if (operation == vcl::TOperation::opRemove && component == masterLink_.DataSource()) masterLink_.SetDataSource(nullptr);
}

void TClientDataSet::CreateDataSet() {
    if (Active()) Close();
    if (FieldDefs().Count() == 0 && FieldCount() == 0)
        throw EDatabaseError((Name().empty() ? std::string() : Name() + ": ") + "Field definitions are missing");
    DefineStore();
    created_ = true;
    Open();
}

void TClientDataSet::InternalOpen() {
    if (!created_) throw EDatabaseError((Name().empty() ? std::string() : Name() + ": ") + "Missing data provider or data packet");
    BuildSortKeys();
    for (auto& u : unique_) u.built = false;
}

void TClientDataSet::InternalClose() {
    // Closing a data set that has no provider discards its records.
    Store().Clear();
    for (auto& u : unique_) u.rows.clear(), u.built = false;
    created_ = false;
}

void TClientDataSet::EmptyDataSet() {
    if (!Active()) throw EDatabaseError((Name().empty() ? std::string() : Name() + ": ") + "Cannot perform this operation on a closed dataset");
    Cancel();
    Store().Clear();
    for (auto& u : unique_) u.rows.clear(), u.built = true;
    Reorder();
    DataEvent(TDataEvent::deDataSetChange);
}

std::vector<TClientDataSet::TSortKey> TClientDataSet::KeysOf(const std::string& fields, const std::string& descFields,
                                                             const std::string& caseIns, TIndexOptions options) const {
    std::vector<TSortKey> keys;
    for (const auto& name : SplitNames(fields)) {
        TField* f = FieldByName(name);
        if (f->FieldNo() <= 0)
            throw EDatabaseError((Name().empty() ? std::string() : Name() + ": ") + "Field '" + name +
                                 "' cannot be used in an index");
        const bool desc = (options & ixDescending) && (descFields.empty() || Listed(descFields, name));
        const bool ci = (options & ixCaseInsensitive) || Listed(caseIns, name);
        keys.push_back(TSortKey{f, desc || (!(options & ixDescending) && Listed(descFields, name)), ci});
    }
    return keys;
}

void TClientDataSet::BuildSortKeys() {
    sortKeys_.clear();
    unique_.clear();
    if (!indexFieldNames_.empty()) {
        sortKeys_ = KeysOf(indexFieldNames_, {}, {}, 0);
    } else if (!indexName_.empty()) {
        const auto it = std::find_if(indexDefs_.begin(), indexDefs_.end(),
                                     [&](const TIndexDef& d) { return rtl::AnsiSameText(d.Name, indexName_); });
        if (it == indexDefs_.end())
            throw EDatabaseError((Name().empty() ? std::string() : Name() + ": ") + "Index '" + indexName_ + "' not found");
        sortKeys_ = KeysOf(it->Fields, it->DescFields, it->CaseInsFields, it->Options);
    }
    for (const TIndexDef& d : indexDefs_)
        if (d.Options & (ixUnique | ixPrimary)) {
            TUniqueIndex u;
            u.keys = KeysOf(d.Fields, {}, d.CaseInsFields, d.Options & ixCaseInsensitive);
            unique_.push_back(std::move(u));
        }
}

void TClientDataSet::SetIndexFieldNames(const std::string& names) {
    if (names == indexFieldNames_) return;
    const std::string saved = indexFieldNames_;
    indexFieldNames_ = names;
    rangeValid_ = false;
    if (!names.empty()) indexName_.clear();
    if (Active()) {
        CheckBrowseMode();
        try {
            BuildSortKeys();
        } catch (...) {
            indexFieldNames_ = saved;
            BuildSortKeys();
            throw;
        }
        Reorder();
        DataEvent(TDataEvent::deDataSetChange);
    }
}

void TClientDataSet::SetIndexName(const std::string& name) {
    if (name == indexName_) return;
    const std::string saved = indexName_;
    indexName_ = name;
    if (!name.empty()) indexFieldNames_.clear();
    if (Active()) {
        CheckBrowseMode();
        try {
            BuildSortKeys();
        } catch (...) {
            indexName_ = saved;
            BuildSortKeys();
            throw;
        }
        Reorder();
        DataEvent(TDataEvent::deDataSetChange);
    }
}

void TClientDataSet::AddIndex(const std::string& name, const std::string& fields, TIndexOptions options,
                              const std::string& descFields, const std::string& caseInsFields) {
    for (const auto& d : indexDefs_)
        if (rtl::AnsiSameText(d.Name, name)) throw EDatabaseError("Index '" + name + "' already exists");
    indexDefs_.push_back(TIndexDef{name, fields, options, descFields, caseInsFields});
    if (Active()) {
        try {
            BuildSortKeys();
            for (auto& u : unique_) BuildUnique(u);
        } catch (...) {
            indexDefs_.pop_back();
            BuildSortKeys();
            throw;
        }
    }
}

void TClientDataSet::DeleteIndex(const std::string& name) {
    const auto it = std::find_if(indexDefs_.begin(), indexDefs_.end(), [&](const TIndexDef& d) { return rtl::AnsiSameText(d.Name, name); });
    if (it == indexDefs_.end()) throw EDatabaseError("Index '" + name + "' not found");
    if (rtl::AnsiSameText(indexName_, name)) SetIndexName("");
    indexDefs_.erase(it);
    if (Active()) BuildSortKeys();
}

int TClientDataSet::CompareRows(TRecordStore::Row a, TRecordStore::Row b) const {
    const TRecordStore& s = Store();
    for (const TSortKey& k : sortKeys_) {
        const int col = k.field->FieldNo() - 1;
        const bool na = s.IsNull(a, col), nb = s.IsNull(b, col);
        int c = 0;
        if (na || nb) {
            c = na == nb ? 0 : (na ? -1 : 1);  // nulls first
        } else {
            switch (s.Kind(col)) {
            case TColumnKind::Int: {
                const auto x = s.Int(a, col), y = s.Int(b, col);
                c = x < y ? -1 : (x > y ? 1 : 0);
                break;
            }
            case TColumnKind::Float: {
                const double x = s.Float(a, col), y = s.Float(b, col);
                c = x < y ? -1 : (x > y ? 1 : 0);
                break;
            }
            case TColumnKind::Text: c = CompareTexts(s.Text(a, col), s.Text(b, col), k.ignoreCase); break;
            case TColumnKind::Var: {
                const auto rel = rtl::VarCompareValue(s.Var(a, col), s.Var(b, col), k.ignoreCase);
                c = rel == rtl::TVariantRelationship::vrLessThan ? -1 : rel == rtl::TVariantRelationship::vrGreaterThan ? 1 : 0;
                break;
            }
            }
        }
        if (c != 0) return k.descending ? -c : c;
    }
    return 0;
}

// ------------------------------------------------------------------ unique indexes

std::string TClientDataSet::RowKey(const std::vector<TSortKey>& keys, TRecordStore::Row row) const {
    const TRecordStore& s = Store();
    std::string key;
    for (const TSortKey& k : keys) {
        const int col = k.field->FieldNo() - 1;
        if (s.IsNull(row, col)) {
            key += '\0';
            continue;
        }
        key += '\1';
        switch (s.Kind(col)) {
        case TColumnKind::Int: { const auto v = s.Int(row, col); AppendKeyBytes(key, &v, sizeof v); break; }
        case TColumnKind::Float: { const double v = s.Float(row, col) + 0.0; AppendKeyBytes(key, &v, sizeof v); break; }
        case TColumnKind::Text: {
            const std::string t = k.ignoreCase ? rtl::AnsiLowerCase(s.Text(row, col)) : std::string(s.Text(row, col));
            const auto n = static_cast<std::uint32_t>(t.size());
            AppendKeyBytes(key, &n, sizeof n);
            key += t;
            break;
        }
        case TColumnKind::Var: {
            const std::string t = s.Var(row, col).AsString();
            const auto n = static_cast<std::uint32_t>(t.size());
            AppendKeyBytes(key, &n, sizeof n);
            key += t;
            break;
        }
        }
    }
    return key;
}

std::string TClientDataSet::BufferKey(const std::vector<TSortKey>& keys) const {
    std::string key;
    for (const TSortKey& k : keys) {
        const TField& f = *k.field;
        if (f.IsNull()) {
            key += '\0';
            continue;
        }
        key += '\1';
        switch (Store().Kind(f.FieldNo() - 1)) {
        case TColumnKind::Int: { const std::int64_t v = CellInt(f); AppendKeyBytes(key, &v, sizeof v); break; }
        case TColumnKind::Float: { const double v = CellFloat(f) + 0.0; AppendKeyBytes(key, &v, sizeof v); break; }
        case TColumnKind::Text: {
            const std::string t = k.ignoreCase ? rtl::AnsiLowerCase(CellText(f)) : std::string(CellText(f));
            const auto n = static_cast<std::uint32_t>(t.size());
            AppendKeyBytes(key, &n, sizeof n);
            key += t;
            break;
        }
        case TColumnKind::Var: {
            const std::string t = CellVar(f).AsString();
            const auto n = static_cast<std::uint32_t>(t.size());
            AppendKeyBytes(key, &n, sizeof n);
            key += t;
            break;
        }
        }
    }
    return key;
}

void TClientDataSet::BuildUnique(TUniqueIndex& index) {
    index.rows.clear();
    const TRecordStore& s = Store();
    for (TRecordStore::Row r = 0; r < s.RowCount(); ++r) {
        if (s.IsDeleted(r)) continue;
        if (!index.rows.emplace(RowKey(index.keys, r), r).second) {
            index.rows.clear();
            throw EDatabaseError((Name().empty() ? std::string() : Name() + ": ") + "Key violation.");
        }
    }
    index.built = true;
}

void TClientDataSet::CheckPostRecord(std::int64_t row) {
    for (TUniqueIndex& u : unique_) {
        if (!u.built) BuildUnique(u);
        u.pendingKey = BufferKey(u.keys);
        u.oldKey = row >= 0 ? RowKey(u.keys, static_cast<TRecordStore::Row>(row)) : std::string();
        const auto it = u.rows.find(u.pendingKey);
        if (it != u.rows.end() && static_cast<std::int64_t>(it->second) != row)
            throw EDatabaseError((Name().empty() ? std::string() : Name() + ": ") + "Key violation.");
    }
}

void TClientDataSet::RecordStored(TRecordStore::Row row) {
    for (TUniqueIndex& u : unique_) {
        if (!u.oldKey.empty()) {
            const auto it = u.rows.find(u.oldKey);
            if (it != u.rows.end() && it->second == row) u.rows.erase(it);
        }
        u.rows[u.pendingKey] = row;
        u.oldKey.clear();
    }
}

void TClientDataSet::RecordDeleting(TRecordStore::Row row) {
    for (TUniqueIndex& u : unique_) {
        if (!u.built) continue;
        const auto it = u.rows.find(RowKey(u.keys, row));
        if (it != u.rows.end() && it->second == row) u.rows.erase(it);
    }
}

// ------------------------------------------------------------------ master and detail

void TClientDataSet::SetMasterSource(TDataSource* source) {
    if (source == masterLink_.DataSource()) return;
    if (masterLink_.DataSource()) masterLink_.DataSource()->RemoveFreeNotification(this);
    masterLink_.SetDataSource(source);
    if (source) source->FreeNotification(this);
    MasterChanged();
}

void TClientDataSet::SetMasterFields(const std::string& fields) {
    masterFields_ = fields;
    MasterChanged();
}

bool TClientDataSet::HasRange() const {
    return masterLink_.Active() && !masterFields_.empty();
}

const std::vector<TClientDataSet::TRangeKey>& TClientDataSet::RangeKeys() const {
    if (!rangeValid_) {
        rangeKeys_.clear();
        const std::vector<std::string> master = SplitNames(masterFields_);
        const std::vector<std::string> detail = SplitNames(indexFieldNames_);
        TDataSet* m = masterLink_.DataSet();
        for (std::size_t i = 0; i < master.size() && i < detail.size(); ++i)
            rangeKeys_.push_back(TRangeKey{FieldByName(detail[i]), m->FieldByName(master[i])->GetAsVariant()});
        rangeValid_ = true;
    }
    return rangeKeys_;
}

bool TClientDataSet::InRange(TRecordStore::Row row) const {
    for (const TRangeKey& k : RangeKeys()) {
        const rtl::Variant have = RowValue(*k.field, row);
        if (k.value.IsClear() || have.IsClear()) return false;
        if (rtl::VarCompareValue(have, k.value) != rtl::TVariantRelationship::vrEqual) return false;
    }
    return true;
}

void TClientDataSet::DoOnNewRecord() {
    // A new detail record belongs to the master's current record: its first index fields
    // take the master fields' values.
    if (HasRange()) {
        const std::vector<std::string> master = SplitNames(masterFields_);
        const std::vector<std::string> detail = SplitNames(indexFieldNames_);
        TDataSet* m = masterLink_.DataSet();
        for (std::size_t i = 0; i < master.size() && i < detail.size(); ++i)
            FieldByName(detail[i])->SetAsVariant(m->FieldByName(master[i])->GetAsVariant());
    }
    TDataSet::DoOnNewRecord();
}

void TClientDataSet::MasterChanged() {
    rangeValid_ = false;
    if (!Active()) return;
    if (State() == TDataSetState::dsEdit || State() == TDataSetState::dsInsert) CheckBrowseMode();
    RebuildView();
    First();
}

}  // namespace db
