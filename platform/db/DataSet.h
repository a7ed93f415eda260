// TDataSet: records in memory with a cursor, states, fields, bookmarks, Locate, filters
// and notifications to data sources. A data set's records live in a column store; the
// order in which the cursor meets them is the store's order (records appended at the
// end, inserted before the current one) unless a descendant sorts them (client data
// sets by their index). Filtering narrows that order to a view.
//
// The platform's rules kept here:
//  - Open runs BeforeOpen, fills the records, lands on the first one, then AfterOpen and
//    (when there is a record) AfterScroll; Close runs BeforeClose/AfterClose.
//  - Moving off a record that is being edited posts it when it was modified, else cancels.
//  - Edit on an empty data set inserts; Delete on an empty one is an error.
//  - Post checks required fields ("Field 'X' must have a value"); a record that no longer
//    passes the filter leaves the view.
//  - Next on the last record sets Eof and stays; Prior on the first sets Bof; a move to
//    another record (RecNo, Locate, a bookmark) clears both.
//  - Cancel of an inserted record scrolls back (Before/AfterScroll): to the record that
//    was current, or to the last one after Append.
//  - While controls are disabled the data sources hear nothing; EnableControls tells
//    them once that everything changed, and first the state when it is no longer the
//    one they last heard.
#pragma once

#include "db/DB.h"
#include "db/Fields.h"
#include "db/FilterExpr.h"
#include "db/RecordStore.h"
#include "rtl/Variant.h"
#include "vcl/Component.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace db {

class TDataSource;
class TDataSet;

using TDataSetNotifyEvent = rtl::TMethod<void(TDataSet* dataSet)>;
using TFilterRecordEvent = rtl::TMethod<void(TDataSet* dataSet, bool& accept)>;

enum class TDataEvent {
    deFieldChange, deRecordChange, deDataSetChange, deDataSetScroll, deLayoutChange, deUpdateRecord, deUpdateState,
    deCheckBrowseMode, deFocusControl
};

struct TFieldDef {
    std::string Name;
    TFieldType DataType = TFieldType::ftUnknown;
    int Size = 0;
    bool Required = false;
};

class TFieldDefs {
public:
    int Count() const noexcept { return static_cast<int>(defs_.size()); }
    const TFieldDef& Items(int index) const { return defs_.at(static_cast<std::size_t>(index)); }
    void Add(const std::string& name, TFieldType type, int size = 0, bool required = false);
    int IndexOf(std::string_view name) const;
    void Clear() noexcept { defs_.clear(); }

private:
    std::vector<TFieldDef> defs_;
};

// A cell of a record being edited or of a calculated value.
struct TCell {
    bool Null = true;
    std::int64_t Int = 0;
    double Float = 0.0;
    std::string Text;
    rtl::Variant Var;
};

class TDataSet : public vcl::TComponent {
    RTL_DECLARE_CLASS(TDataSet)
public:
    explicit TDataSet(vcl::TComponent* owner);

    // ---- fields
    int FieldCount() const noexcept { return static_cast<int>(fields_.size()); }
    TField* Fields(int index) const;
    // nullptr when there is none (case-insensitive).
    TField* FindField(std::string_view name) const;
    // Raises EDatabaseError "<data set>: Field 'X' not found".
    TField* FieldByName(std::string_view name) const;
    TFieldDefs& FieldDefs() noexcept { return fieldDefs_; }
    // Makes fields from the field definitions (when the data set has none of its own).
    void CreateFields();

    // ---- state
    bool Active() const noexcept { return state_ != TDataSetState::dsInactive; }
    void SetActive(bool active);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const noexcept { return state_; }
    bool Modified() const noexcept { return modified_; }

    // ---- navigation
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);
    bool Bof() const noexcept { return bof_; }
    bool Eof() const noexcept { return eof_; }
    bool IsEmpty() const noexcept { return ViewCount() == 0; }
    // Records in the (filtered) view.
    int RecordCount() const;
    // 1-based position of the current record in the view; 0 when there is none.
    int RecNo() const;
    void SetRecNo(int recNo);

    // ---- editing
    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();
    // Appends a record with the values in field order (fewer values leave the rest null)
    // and posts it.
    void AppendRecord(const std::vector<rtl::Variant>& values);
    // Posts a modified record or cancels an unmodified one.
    void CheckBrowseMode();

    // ---- bookmarks
    TBookmark GetBookmark() const;
    TBookmark Bookmark() const { return GetBookmark(); }
    void GotoBookmark(const TBookmark& bookmark);
    void SetBookmark(const TBookmark& bookmark) { GotoBookmark(bookmark); }
    bool BookmarkValid(const TBookmark& bookmark) const;
    int CompareBookmarks(const TBookmark& a, const TBookmark& b) const;
    void FreeBookmark(TBookmark& bookmark) const noexcept { bookmark = TBookmark{}; }

    // ---- searching
    // Moves to the first record of the view whose key fields ("A;B") equal the values
    // (one value, or an array of them); partial keys match text prefixes.
    bool Locate(std::string_view keyFields, const rtl::Variant& keyValues, TLocateOptions options = 0);
    // The result fields' values ("A;B" gives an array) of the first matching record, or
    // null; the cursor does not move.
    rtl::Variant Lookup(std::string_view keyFields, const rtl::Variant& keyValues, std::string_view resultFields);

    // ---- controls and refresh
    void DisableControls() noexcept {
        if (disableCount_++ == 0) {
            disableState_ = state_;
            enableEvent_ = TDataEvent::deDataSetChange;
        }
    }
    void EnableControls();
    bool ControlsDisabled() const noexcept { return disableCount_ > 0; }
    void Refresh();

    // ---- filtering
    const std::string& Filter() const noexcept { return filterText_; }
    void SetFilter(const std::string& text);
    bool Filtered() const noexcept { return filtered_; }
    void SetFiltered(bool filtered);
    TFilterOptions FilterOptions() const noexcept { return filterOptions_; }
    void SetFilterOptions(TFilterOptions options);

    // ---- events
    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose, BeforeInsert, AfterInsert, BeforeEdit, AfterEdit,
        BeforePost, AfterPost, BeforeCancel, AfterCancel, BeforeDelete, AfterDelete, BeforeScroll, AfterScroll,
        BeforeRefresh, AfterRefresh, OnCalcFields, OnNewRecord;
    TFilterRecordEvent OnFilterRecord;

    // ---- the record the fields read and write (used by TField)
    bool CellIsNull(const TField& field) const;
    std::int64_t CellInt(const TField& field) const;
    double CellFloat(const TField& field) const;
    std::string_view CellText(const TField& field) const;
    rtl::Variant CellVar(const TField& field) const;
    // Writing: the data set must be editing (data fields) or calculating (calculated
    // fields); raises EDatabaseError "<data set>: Dataset not in edit or insert mode".
    void CheckCanModify(const TField& field) const;
    TCell& WritableCell(TField& field);
    // After a field's value was written (OnValidate may refuse it; OnChange is told).
    // previous: the cell before the write, to restore when OnValidate refuses (nullptr
    // when the field has no OnValidate).
    void FieldWritten(TField& field, const TCell* previous);

    // Lets the fields read the record at that 1-based number of the view, without moving
    // the cursor or raising any event (a grid drawing its rows); false when there is no
    // such record. EndPeek returns to the current record.
    bool PeekRecord(int recNo);
    void EndPeek();

    // Record store statistics (memory accounting, tests).
    std::size_t StoreMemoryBytes() const noexcept { return store_.MemoryBytes() + order_.capacity() * 4 + view_.capacity() * 4; }

protected:
    ~TDataSet() override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

    // Opening: define the store's columns and fill its rows. The default keeps the rows
    // the store already holds (an in-memory data set).
    virtual void InternalOpen();
    virtual void InternalClose();
    virtual void InternalRefresh();
    // Descendants that keep records sorted: compare two rows; 0 keeps store order.
    virtual bool HasOrder() const { return false; }
    virtual int CompareRows(TRecordStore::Row a, TRecordStore::Row b) const;
    // Descendants with a range (master-detail): whether the row belongs.
    virtual bool InRange(TRecordStore::Row) const { return true; }
    virtual bool HasRange() const { return false; }
    // Runs OnNewRecord on a record just inserted or appended; descendants fill in their
    // own values first (a detail its master's key).
    virtual void DoOnNewRecord();
    // Refuses a record before it is stored (unique indexes); row is -1 for a new record.
    virtual void CheckPostRecord(std::int64_t row);
    // Told after rows were stored or deleted.
    virtual void RecordStored(TRecordStore::Row) {}
    // Told before a row is deleted (its values can still be read).
    virtual void RecordDeleting(TRecordStore::Row) {}

    TRecordStore& Store() noexcept { return store_; }
    const TRecordStore& Store() const noexcept { return store_; }
    // Assigns the fields their columns and defines the store (dropping its rows); fields
    // made from the definitions are made again from them first.
    void DefineStore();
    // Builds the order (sorted when HasOrder) and the view again; keeps the cursor on
    // the same record when it is still there.
    void Reorder();
    // Rebuilds only the view (filter or range changed).
    void RebuildView();
    void DataEvent(TDataEvent event, std::intptr_t info = 0);
    void SetState(TDataSetState state);
    std::optional<TRecordStore::Row> CurrentRow() const;
    // Values of a row's cell as a variant (for keys and lookups).
    rtl::Variant RowValue(const TField& field, TRecordStore::Row row) const;

private:
    friend class TField;
    friend class TDataSource;
    void AddField(TField* field);
    void RemoveField(TField* field);
    void AddDataSource(TDataSource* source);
    void RemoveDataSource(TDataSource* source);

    int ViewCount() const noexcept { return static_cast<int>(viewIsOrder_ ? order_.size() : view_.size()); }
    TRecordStore::Row ViewRow(int pos) const noexcept {
        return viewIsOrder_ ? order_[static_cast<std::size_t>(pos)] : view_[static_cast<std::size_t>(pos)];
    }
    int PositionOf(TRecordStore::Row row) const;
    bool PassesFilter(TRecordStore::Row row);
    void EnsureFilterProgram();
    void MoveTo(int position);  // with scroll events
    void MoveToEnd(bool last);
    void CalculateFields();
    void CheckActive() const;
    void CheckRequiredFields();
    void StoreEditBuffer(TRecordStore::Row row);
    void ClearEditBuffer();
    void LoadEditBuffer(TRecordStore::Row row);
    bool RowMatches(const std::vector<TField*>& fields, const std::vector<rtl::Variant>& values, TRecordStore::Row row,
                    TLocateOptions options) const;
    std::vector<TField*> FieldList(std::string_view names) const;
    [[noreturn]] void Error(const std::string& message) const;
    enum class TSource { None, Buffer, Row };
    TSource SourceOf(TRecordStore::Row& row) const;
    const TCell* BufferCell(const TField& field) const;
    void Fire(const TDataSetNotifyEvent& event) { if (event) event(this); }

    TRecordStore store_;
    std::vector<TField*> fields_;
    std::vector<TField*> ownFields_;  // made from the field definitions
    std::vector<TDataSource*> sources_;
    TFieldDefs fieldDefs_;
    std::vector<TRecordStore::Row> order_;
    std::vector<TRecordStore::Row> view_;
    bool viewIsOrder_ = true;
    int cursor_ = -1;
    bool bof_ = true, eof_ = true;
    TDataSetState state_ = TDataSetState::dsInactive;
    bool modified_ = false;
    bool editing_ = false;            // a record is being edited or inserted
    std::vector<TCell> editBuffer_;   // one cell per store column
    std::vector<TCell> calcBuffer_;   // one cell per calculated or lookup field
    std::int64_t editRow_ = -1;       // the stored row being edited
    int insertPos_ = 0;               // where an inserted record enters the order
    int postedAt_ = -1;               // where the last posted new record entered the order
    bool appending_ = false;
    int disableCount_ = 0;
    TDataSetState disableState_ = TDataSetState::dsInactive;    // the state the sources last heard
    TDataEvent enableEvent_ = TDataEvent::deDataSetChange;      // what EnableControls tells
    std::string filterText_;
    bool filtered_ = false;
    TFilterOptions filterOptions_ = 0;
    std::shared_ptr<const TFilterExpr> filterExpr_;
    std::unique_ptr<TFilterProgram> filterProgram_;
    std::int64_t filterRow_ = -1;  // the row OnFilterRecord looks at
    bool hasCalcFields_ = false;
    std::int64_t peekRow_ = -1;
    std::vector<TCell> peekSavedCalc_;
};

}  // namespace db
