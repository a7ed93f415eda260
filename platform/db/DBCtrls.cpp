#include "db/DBCtrls.h"

#include "vcl/UserInterface.h"

namespace db {

RTL_DEFINE_CLASS(TDBMemo, vcl::TMemo)

// ------------------------------------------------------------------ field data link

void TFieldDataLink::SetFieldName(const std::string& name) {
    if (name == fieldName_) return;
    fieldName_ = name;
    UpdateField();
}

void TFieldDataLink::UpdateField() {
    field_ = Active() && !fieldName_.empty() ? DataSet()->FindField(fieldName_) : nullptr;
    modified_ = false;
    if (OnDataChange) OnDataChange(nullptr);
}

bool TFieldDataLink::CanModify() const {
    return field_ && !field_->ReadOnly() && DataSource() && DataSource()->AutoEdit();
}

bool TFieldDataLink::Edit() {
    if (!editing_ && CanModify()) DataSource()->Edit();
    return editing_;
}

void TFieldDataLink::UpdateRecord() {
    if (!modified_) return;
    if (OnUpdateData) OnUpdateData(nullptr);
    modified_ = false;
}

void TFieldDataLink::Reset() {
    modified_ = false;
    if (OnDataChange) OnDataChange(nullptr);
}

void TFieldDataLink::ActiveChanged() {
    UpdateField();
    if (OnActiveChange) OnActiveChange(nullptr);
}

void TFieldDataLink::RecordChanged(TField* field) {
    if (field && field != field_) return;
    modified_ = false;
    if (OnDataChange) OnDataChange(nullptr);
}

void TFieldDataLink::EditingChanged() {
    const bool editing = DataSet() && (DataSet()->State() == TDataSetState::dsEdit || DataSet()->State() == TDataSetState::dsInsert) &&
                         CanModify();
    if (editing == editing_) return;
    editing_ = editing;
    modified_ = false;
    if (OnEditingChange) OnEditingChange(nullptr);
}

void TFieldDataLink::UpdateData() { UpdateRecord(); }

// ------------------------------------------------------------------ memo

TDBMemo::TDBMemo(vcl::TComponent* owner) : vcl::TMemo(owner) {
    link_.OnDataChange = vcl::TNotifyEvent(this, &TDBMemo::DataChange);
    link_.OnUpdateData = vcl::TNotifyEvent(this, &TDBMemo::UpdateData);
}

TDBMemo::~TDBMemo() { link_.SetDataSource(nullptr); }

void TDBMemo::SetDataSource(TDataSource* source) {
    if (link_.DataSource()) link_.DataSource()->RemoveFreeNotification(this);
    link_.SetDataSource(source);
    if (source) source->FreeNotification(this);
}

void TDBMemo::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TMemo::Notification(component, operation);
    if (operation == vcl::TOperation::opRemove && component == link_.DataSource()) link_.SetDataSource(nullptr);
}

void TDBMemo::DataChange(rtl::TObject*) {
    loading_ = true;
    try {
        SetText(link_.Field() ? link_.Field()->GetAsString() : std::string());
    } catch (...) {
        loading_ = false;
        throw;
    }
    loading_ = false;
}

void TDBMemo::UpdateData(rtl::TObject*) {
    if (link_.Field()) link_.Field()->SetAsString(Text());
}

void TDBMemo::KeyPress(char& key) {
    // A key that changes the text first puts the record into edit mode; when it cannot
    // be edited the key is refused.
    const bool edits = static_cast<unsigned char>(key) >= ' ' || key == '\b' || key == '\r';
    if (edits && !ReadOnly() && !link_.Edit()) {
        vcl::MessageBeep(0);
        key = 0;
        return;
    }
    vcl::TMemo::KeyPress(key);
}

void TDBMemo::Change() {
    if (!loading_) link_.Modified();
    vcl::TMemo::Change();
}

void TDBMemo::DoExit() {
    link_.UpdateRecord();
    vcl::TMemo::DoExit();
}

}  // namespace db
