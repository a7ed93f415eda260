#include "ymacomp/QSearch.h"

#include "rtl/Format.h"
#include "vcl/UserInterface.h"

namespace yma {

RTL_DEFINE_CLASS(TFrmQSearch, vcl::TComponent,
                 rtl::StringsProp<TFrmQSearch>("Fields", &TFrmQSearch::FieldsProp),
                 rtl::ObjectProp<TFrmQSearch>("SourceReference", &TFrmQSearch::SourceReference,
                                              &TFrmQSearch::SetSourceReference))
RTL_DEFINE_CLASS(TQSearchForm, vcl::TForm)

// ---------------------------------------------------------------- TFrmQSearch

TFrmQSearch::TFrmQSearch(vcl::TComponent* owner)
    : vcl::TComponent(owner), fields_(std::make_unique<rtl::TStringList>()) {}

TFrmQSearch::~TFrmQSearch() = default;

bool TFrmQSearch::Search(int fieldIndex, const std::string& text, bool next) {
    fieldIndex_ = fieldIndex;
    searchText_ = text;
    bool found = false;
    if (OnSearch) OnSearch(this, fieldIndex, text, next, found);
    found_ = found;
    if (!found) vcl::MessageBeep(0);
    return found;
}

bool TFrmQSearch::Execute(int fieldIndex) {
    if (fields_->Count() == 0) {
        PackageMessageBox(rtl::Format(link_.Text(ytxImpossibleFindingFmt), {dataSetName_}), link_.Text(ytxSearch),
                          vcl::MB_OK | vcl::MB_ICONWARNING);
        return false;
    }
    if (fieldIndex >= 0 && fieldIndex < fields_->Count()) fieldIndex_ = fieldIndex;
    else if (fieldIndex_ < 0 || fieldIndex_ >= fields_->Count()) fieldIndex_ = 0;
    found_ = false;
    std::unique_ptr<TQSearchForm, rtl::TObjectFree> form(vcl::Create<TQSearchForm>(nullptr, this));
    form->ShowModal();
    return found_;
}

bool TFrmQSearch::FindNext() {
    if (searchText_.empty() || fieldIndex_ < 0 || fieldIndex_ >= fields_->Count()) return false;
    return Search(fieldIndex_, searchText_, true);
}

void TFrmQSearch::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation == vcl::TOperation::opRemove) link_.Removed(component);
}

// ---------------------------------------------------------------- TQSearchForm

void TQSearchForm::CreateFormComponents() {
    vcl::TForm::CreateFormComponents();
    SetName("QSearchForm");
    SetCaption(search_->Text(ytxSearch));
    SetPosition(vcl::TPosition::poOwnerFormCenter);
    SetBounds(0, 0, 320, 110);
    FieldBox = vcl::Create<vcl::TComboBox>(this);
    FieldBox->SetName("FieldBox");
    FieldBox->SetParent(this);
    FieldBox->SetStyle(vcl::TComboBoxStyle::csDropDownList);
    FieldBox->SetBounds(8, 8, 304, 21);
    FieldBox->SetTabOrder(1);
    FieldBox->Items()->Assign(*search_->Fields());
    FieldBox->SetItemIndex(search_->FieldIndex());
    TextEdit = vcl::Create<vcl::TEdit>(this);
    TextEdit->SetName("TextEdit");
    TextEdit->SetParent(this);
    TextEdit->SetBounds(8, 36, 304, 21);
    TextEdit->SetTabOrder(0);  // the operator starts typing at once
    TextEdit->SetText(search_->SearchText());
    TextEdit->OnChange = vcl::TNotifyEvent(this, &TQSearchForm::TextEditChange);
    SearchButton = vcl::Create<vcl::TButton>(this);
    SearchButton->SetName("SearchButton");
    SearchButton->SetParent(this);
    SearchButton->SetCaption(search_->Text(ytxSearch));
    SearchButton->SetDefault(true);
    SearchButton->SetBounds(152, 72, 75, 25);
    SearchButton->SetTabOrder(2);
    SearchButton->OnClick = vcl::TNotifyEvent(this, &TQSearchForm::SearchButtonClick);
    CloseButton = vcl::Create<vcl::TBitBtn>(this);
    CloseButton->SetName("CloseButton");
    CloseButton->SetParent(this);
    CloseButton->SetKind(vcl::TBitBtnKind::bkClose);
    CloseButton->SetCancel(true);
    CloseButton->SetBounds(236, 72, 75, 25);
    CloseButton->SetTabOrder(3);
}

void TQSearchForm::TextEditChange(vcl::TObject*) {
    const int field = FieldBox->ItemIndex();
    const std::string text = TextEdit->Text();
    if (field < 0 || text.empty()) return;
    search_->Search(field, text, false);
}

void TQSearchForm::SearchButtonClick(vcl::TObject*) {
    // The button only searches; the window stays open for the next press.
    SetModalResult(vcl::mrNone);
    const int field = FieldBox->ItemIndex();
    if (field < 0) {
        PackageMessageBox(search_->Text(ytxSearchFieldNotSelected), search_->Text(ytxSearch),
                          vcl::MB_OK | vcl::MB_ICONWARNING);
        return;
    }
    if (TextEdit->Text().empty()) return;
    search_->Search(field, TextEdit->Text(), true);
}

}  // namespace yma
