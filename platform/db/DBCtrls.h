// Data-aware controls: a field data link ties a control to one field of a data source's
// data set; TDBMemo shows and edits a text field.
#pragma once

#include "db/DataSource.h"
#include "vcl/StdCtrls.h"

#include <string>

namespace db {

// A link to one field: tells its owner when the record or the field changed, when editing
// started or ended, and asks it for the edited value when the record is posted.
class TFieldDataLink : public TDataLink {
public:
    const std::string& FieldName() const noexcept { return fieldName_; }
    void SetFieldName(const std::string& name);
    TField* Field() const noexcept { return field_; }
    // The data set can be edited through the field (not read only, the source allows it).
    bool CanModify() const;
    bool Editing() const noexcept { return editing_; }
    // Puts the data set into edit mode through the data source; true when editing.
    bool Edit();
    // The control's value changed; it is written back when the record is posted.
    void Modified() noexcept { modified_ = true; }
    // Writes a pending change into the field now.
    void UpdateRecord();
    // The control gives up its change and shows the field again.
    void Reset();

    vcl::TNotifyEvent OnDataChange;
    vcl::TNotifyEvent OnEditingChange;
    vcl::TNotifyEvent OnUpdateData;
    vcl::TNotifyEvent OnActiveChange;

protected:
    void ActiveChanged() override;
    void DataSetChanged() override { RecordChanged(nullptr); }
    void DataSetScrolled(int) override { RecordChanged(nullptr); }
    void RecordChanged(TField* field) override;
    void EditingChanged() override;
    void UpdateData() override;
    void LayoutChanged() override { UpdateField(); }

private:
    void UpdateField();
    std::string fieldName_;
    TField* field_ = nullptr;
    bool editing_ = false;
    bool modified_ = false;
};

class TDBMemo : public vcl::TMemo {
    RTL_DECLARE_CLASS(TDBMemo)
public:
    explicit TDBMemo(vcl::TComponent* owner);

    TDataSource* DataSource() const noexcept { return link_.DataSource(); }
    void SetDataSource(TDataSource* source);
    const std::string& DataField() const noexcept { return link_.FieldName(); }
    void SetDataField(const std::string& name) { link_.SetFieldName(name); }
    TField* Field() const noexcept { return link_.Field(); }

protected:
    ~TDBMemo() override;
    void KeyPress(char& key) override;
    void Change() override;
    void DoExit() override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    void DataChange(rtl::TObject*);
    void UpdateData(rtl::TObject*);
    TFieldDataLink link_;
    bool loading_ = false;
};

}  // namespace db
