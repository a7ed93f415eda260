// TClientDataSet: a data set that owns its records in memory. CreateDataSet makes it
// from its field definitions (or its fields); closing it discards the records. Records
// are kept sorted by IndexFieldNames ("A;B;C") or by the index named IndexName; unique
// indexes refuse a second record with the same key ("Key violation."). With a
// MasterSource and MasterFields it shows only the records whose first index fields
// equal the master's current values, and a record inserted there takes those values.
#pragma once

#include "db/DataSet.h"
#include "db/DataSource.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace db {

struct TIndexDef {
    std::string Name;
    std::string Fields;         // "A;B"
    TIndexOptions Options = 0;  // ixUnique, ixDescending, ixCaseInsensitive
    std::string DescFields;     // fields sorted descending ("" with ixDescending: all)
    std::string CaseInsFields;  // fields compared without case
};

class TClientDataSet : public TDataSet {
    RTL_DECLARE_CLASS(TClientDataSet)
public:
    explicit TClientDataSet(vcl::TComponent* owner);

    // Defines the records from the field definitions (or the fields) and opens, empty.
    void CreateDataSet();
    // Deletes every record; the data set stays open.
    void EmptyDataSet();

    const std::string& IndexFieldNames() const noexcept { return indexFieldNames_; }
    void SetIndexFieldNames(const std::string& names);
    const std::string& IndexName() const noexcept { return indexName_; }
    void SetIndexName(const std::string& name);
    void AddIndex(const std::string& name, const std::string& fields, TIndexOptions options = 0,
                  const std::string& descFields = {}, const std::string& caseInsFields = {});
    void DeleteIndex(const std::string& name);
    const std::vector<TIndexDef>& IndexDefs() const noexcept { return indexDefs_; }

    TDataSource* MasterSource() const noexcept { return masterLink_.DataSource(); }
    void SetMasterSource(TDataSource* source);
    const std::string& MasterFields() const noexcept { return masterFields_; }
    void SetMasterFields(const std::string& fields);

    // Reserves room for that many records (a bulk load).
    void Reserve(std::size_t records) { Store().Reserve(records); }

protected:
    ~TClientDataSet() override;
    void InternalOpen() override;
    void InternalClose() override;
    bool HasOrder() const override { return !sortKeys_.empty(); }
    int CompareRows(TRecordStore::Row a, TRecordStore::Row b) const override;
    bool HasRange() const override;
    bool InRange(TRecordStore::Row row) const override;
    void DoOnNewRecord() override;
    void CheckPostRecord(std::int64_t row) override;
    void RecordStored(TRecordStore::Row row) override;
    void RecordDeleting(TRecordStore::Row row) override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    struct TSortKey {
        TField* field;
        bool descending;
        bool ignoreCase;
    };
    class TMasterLink : public TDataLink {
    public:
        explicit TMasterLink(TClientDataSet& owner) : owner_(owner) {}

    protected:
        void ActiveChanged() override { owner_.MasterChanged(); }
        void DataSetChanged() override { owner_.MasterChanged(); }
        void DataSetScrolled(int) override { owner_.MasterChanged(); }

    private:
        TClientDataSet& owner_;
    };
    struct TUniqueIndex {
        std::vector<TSortKey> keys;
        std::unordered_map<std::string, TRecordStore::Row> rows;
        bool built = false;
        std::string pendingKey;  // the key of the record being posted
        std::string oldKey;      // its key before the edit
    };

    void BuildSortKeys();
    std::vector<TSortKey> KeysOf(const std::string& fields, const std::string& descFields, const std::string& caseIns,
                                 TIndexOptions options) const;
    std::string RowKey(const std::vector<TSortKey>& keys, TRecordStore::Row row) const;
    std::string BufferKey(const std::vector<TSortKey>& keys) const;
    void BuildUnique(TUniqueIndex& index);
    void MasterChanged();

    // The range of a detail data set: each detail index field with the master's value,
    // worked out once per master record rather than once per detail record.
    struct TRangeKey {
        const TField* field;
        rtl::Variant value;
    };
    const std::vector<TRangeKey>& RangeKeys() const;
    mutable std::vector<TRangeKey> rangeKeys_;
    mutable bool rangeValid_ = false;

    std::string indexFieldNames_, indexName_, masterFields_;
    std::vector<TIndexDef> indexDefs_;
    std::vector<TSortKey> sortKeys_;
    std::vector<TUniqueIndex> unique_;
    TMasterLink masterLink_;
    bool created_ = false;
};

}  // namespace db
