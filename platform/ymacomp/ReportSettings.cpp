#include "ymacomp/ReportSettings.h"

#include "rtl/Convert.h"
#include "rtl/Exceptions.h"
#include "rtl/Files.h"
#include "rtl/Format.h"
#include "rtl/Strings.h"
#include "vcl/Printers.h"

#include <algorithm>

namespace yma {

RTL_DEFINE_CLASS(
    TReportSettings, vcl::TCustomControl,
    rtl::Prop<TReportSettings>("RepMode", &TReportSettings::RepMode, &TReportSettings::SetRepMode),
    rtl::Prop<TReportSettings>("ByEmailMode", &TReportSettings::ByEmailMode),
    rtl::Prop<TReportSettings>("UseCurrentRecord", &TReportSettings::UseCurrentRecord,
                               &TReportSettings::SetUseCurrentRecord),
    rtl::Prop<TReportSettings>("CurrentRecordVisible", &TReportSettings::CurrentRecordVisible,
                               &TReportSettings::SetCurrentRecordVisible),
    rtl::Prop<TReportSettings>("AutoPrint", &TReportSettings::AutoPrint, &TReportSettings::SetAutoPrint),
    rtl::Prop<TReportSettings>("Copies", &TReportSettings::Copies, &TReportSettings::SetCopies),
    rtl::Prop<TReportSettings>("PrinterIndex", &TReportSettings::PrinterIndex, &TReportSettings::SetPrinterIndex),
    rtl::Prop<TReportSettings>("PrintersExists", &TReportSettings::PrintersExists),
    rtl::Prop<TReportSettings>("FldrSavingRep", &TReportSettings::FldrSavingRep, &TReportSettings::SetFldrSavingRep),
    rtl::Prop<TReportSettings>("FldrSendRep", &TReportSettings::FldrSendRep, &TReportSettings::SetFldrSendRep),
    rtl::Prop<TReportSettings>("FldrEmailAddr", &TReportSettings::FldrEmailAddr),
    rtl::Prop<TReportSettings>("UseCurrentAddress", &TReportSettings::UseCurrentAddress,
                               &TReportSettings::SetUseCurrentAddress),
    rtl::Prop<TReportSettings>("CurrentEmail", &TReportSettings::CurrentEmail, &TReportSettings::SetCurrentEmail),
    rtl::Prop<TReportSettings>("EmailIndex", &TReportSettings::EmailIndex, &TReportSettings::SetEmailIndex),
    rtl::StringsProp<TReportSettings>("EmailList", &TReportSettings::EmailListProp),
    rtl::Prop<TReportSettings>("IsNewFileName", &TReportSettings::IsNewFileName, &TReportSettings::SetIsNewFileName),
    rtl::Prop<TReportSettings>("ShortStyle", &TReportSettings::ShortStyle, &TReportSettings::SetShortStyle),
    rtl::Prop<TReportSettings>("DeltaHeight", &TReportSettings::DeltaHeight, &TReportSettings::SetDeltaHeight),
    rtl::ObjectProp<TReportSettings>("SourceReference", &TReportSettings::SourceReference,
                                     &TReportSettings::SetSourceReference))

namespace {

constexpr int kModeRowHeight = 24;
constexpr int kCheckRowHeight = 20;
constexpr int kRowHeight = 22;
constexpr int kMargin = 4;
constexpr int kButtonSize = 20;
constexpr int kMaxCopies = 999;

// The own rows of each mode's page, in the order of TRepMode.
constexpr int kPageRows[] = {3, 3, 5};

// Characters that have no place in an e-mail address as the operator types it.
bool IsBadAddressChar(unsigned char c) {
    return c <= ' ' || c == ',' || c == ';' || c == '<' || c == '>' || c == '(' || c == ')' || c == '[' ||
           c == ']' || c == '\\' || c == '"' || c == ':';
}

std::string NormalFolder(const std::string& folder) {
    const std::string trimmed = rtl::Trim(folder);
    return trimmed.empty() ? trimmed : rtl::IncludeTrailingPathDelimiter(trimmed);
}

vcl::TColor ColorOfText(const std::string& text, vcl::TColor fallback) {
    int value = 0;
    return rtl::TryStrToInt(rtl::Trim(text), value) ? static_cast<vcl::TColor>(value) : fallback;
}

}  // namespace

std::string AddresseeFolderName(const std::string& address) {
    std::string name;
    for (char c : address) {
        const auto u = static_cast<unsigned char>(c);
        const bool bad = u < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' ||
                         c == '<' || c == '>' || c == '|';
        name += bad ? '_' : c;
    }
    if (!name.empty() && name.find_first_not_of('.') == std::string::npos) return "_";
    return name;
}

// ---------------------------------------------------------------- construction

TReportSettings::TReportSettings(vcl::TComponent* owner) : vcl::TCustomControl(owner) {}

template <class T>
T* TReportSettings::Part(vcl::TWinControl* parent, const char* name) {
    T* part = vcl::Create<T>(this);
    part->SetName(name);
    part->SetParent(parent);
    return part;
}

vcl::TPanel* TReportSettings::MakePage(TRepMode mode, const char* name) {
    auto* page = Part<vcl::TPanel>(this, name);
    page->SetBevelOuter(vcl::TBevelCut::bvNone);
    pages_[Index(mode)] = page;
    return page;
}

vcl::TPopupMenu* TReportSettings::MakeFolderMenu(const char* name, vcl::TMenuItem*& openItem) {
    auto* menu = vcl::Create<vcl::TPopupMenu>(this);
    menu->SetName(name);
    openItem = vcl::Create<vcl::TMenuItem>(this);
    openItem->SetName(std::string(name) + "Open");
    openItem->OnClick = vcl::TNotifyEvent(this, &TReportSettings::OpenFolderItemClick);
    menu->Items()->Add(openItem);
    menu->OnPopup = vcl::TNotifyEvent(this, &TReportSettings::FolderMenuPopup);
    return menu;
}

void TReportSettings::Construct() {
    vcl::TCustomControl::Construct();
    modePanel_ = Part<vcl::TPanel>(this, "ModePanel");
    modePanel_->SetBevelOuter(vcl::TBevelCut::bvNone);
    const char* modeNames[] = {"PreviewButton", "SaveButton", "EmailButton"};
    for (TRepMode m : kAllRepModes) modeButtons_[Index(m)] = Part<vcl::TRadioButton>(modePanel_, modeNames[Index(m)]);
    modeButtons_[Index(mode_)]->SetChecked(true);
    styleButton_ = Part<vcl::TSpeedButton>(modePanel_, "StyleButton");
    styleButton_->SetShowHint(true);
    currentRecordBox_ = Part<vcl::TCheckBox>(this, "CurrentRecordBox");

    vcl::TPanel* preview = MakePage(TRepMode::rmdPreview, "PreviewPage");
    autoPrintBox_ = Part<vcl::TCheckBox>(preview, "AutoPrintBox");
    copiesLabel_ = Part<vcl::TLabel>(preview, "CopiesLabel");
    copiesEdit_ = Part<vcl::TSpinEdit>(preview, "CopiesEdit");
    copiesEdit_->SetMinValue(1);
    copiesEdit_->SetMaxValue(kMaxCopies);
    copiesLabel_->SetFocusControl(copiesEdit_);
    printerLabel_ = Part<vcl::TLabel>(preview, "PrinterLabel");
    printerBox_ = Part<vcl::TComboBox>(preview, "PrinterBox");
    printerBox_->SetStyle(vcl::TComboBoxStyle::csDropDownList);
    printerLabel_->SetFocusControl(printerBox_);

    vcl::TPanel* save = MakePage(TRepMode::rmdSave, "SavePage");
    saveFolderLabel_ = Part<vcl::TLabel>(save, "SaveFolderLabel");
    saveFolderEdit_ = Part<TCommitEdit>(save, "SaveFolderEdit");
    saveFolderLabel_->SetFocusControl(saveFolderEdit_);
    saveFolderButton_ = Part<vcl::TSpeedButton>(save, "SaveFolderButton");
    saveFolderButton_->SetCaption("...");
    saveFolderButton_->SetShowHint(true);
    saveFolderMenu_ = MakeFolderMenu("SaveFolderMenu", saveFolderOpenItem_);
    saveNewNameBox_ = Part<vcl::TCheckBox>(save, "SaveNewNameBox");

    vcl::TPanel* email = MakePage(TRepMode::rmdByEmail, "EmailPage");
    sendFolderLabel_ = Part<vcl::TLabel>(email, "SendFolderLabel");
    sendFolderEdit_ = Part<TCommitEdit>(email, "SendFolderEdit");
    sendFolderLabel_->SetFocusControl(sendFolderEdit_);
    sendFolderButton_ = Part<vcl::TSpeedButton>(email, "SendFolderButton");
    sendFolderButton_->SetCaption("...");
    sendFolderButton_->SetShowHint(true);
    sendFolderMenu_ = MakeFolderMenu("Mn_SendRepFolder", sendFolderOpenItem_);
    fixedAddressBox_ = Part<vcl::TCheckBox>(email, "FixedAddressBox");
    emailBox_ = Part<vcl::TComboBox>(email, "EmailBox");
    emailFolderButton_ = Part<vcl::TSpeedButton>(email, "EmailFolderButton");
    emailFolderButton_->SetCaption("...");
    emailFolderButton_->SetShowHint(true);
    emailFolderMenu_ = MakeFolderMenu("Mn_EmailFolder", emailFolderOpenItem_);
    emailNewNameBox_ = Part<vcl::TCheckBox>(email, "EmailNewNameBox");

    SetBounds(Left(), Top(), 250, Height());
    SourcesChanged();
    FillPrinters();
    UpdateEnabling();
    Arrange();

    // The handlers go in last: nothing above is a change anybody must hear of.
    for (vcl::TRadioButton* b : modeButtons_) b->OnClick = vcl::TNotifyEvent(this, &TReportSettings::ModeButtonClick);
    styleButton_->OnClick = vcl::TNotifyEvent(this, &TReportSettings::StyleButtonClick);
    currentRecordBox_->OnClick = vcl::TNotifyEvent(this, &TReportSettings::CurrentRecordClick);
    autoPrintBox_->OnClick = vcl::TNotifyEvent(this, &TReportSettings::AutoPrintClick);
    copiesEdit_->OnChange = vcl::TNotifyEvent(this, &TReportSettings::CopiesChange);
    printerBox_->OnSelect = vcl::TNotifyEvent(this, &TReportSettings::PrinterSelect);
    printerBox_->OnDropDown = vcl::TNotifyEvent(this, &TReportSettings::PrinterDropDown);
    saveFolderEdit_->OnCommit = vcl::TNotifyEvent(this, &TReportSettings::SaveFolderCommit);
    sendFolderEdit_->OnCommit = vcl::TNotifyEvent(this, &TReportSettings::SendFolderCommit);
    for (vcl::TSpeedButton* b : {saveFolderButton_, sendFolderButton_, emailFolderButton_})
        b->OnClick = vcl::TNotifyEvent(this, &TReportSettings::FolderButtonClick);
    fixedAddressBox_->OnClick = vcl::TNotifyEvent(this, &TReportSettings::FixedAddressClick);
    emailBox_->OnSelect = vcl::TNotifyEvent(this, &TReportSettings::EmailSelect);
    emailBox_->OnExit = vcl::TNotifyEvent(this, &TReportSettings::EmailExit);
    emailBox_->OnKeyDown = vcl::TKeyEvent(this, &TReportSettings::EmailKeyDown);
    saveNewNameBox_->OnClick = vcl::TNotifyEvent(this, &TReportSettings::NewNameClick);
    emailNewNameBox_->OnClick = vcl::TNotifyEvent(this, &TReportSettings::NewNameClick);
    building_ = false;
}

bool TReportSettings::Quiet() const { return building_ || vcl::IsLoading(this); }

void TReportSettings::Raise(const vcl::TNotifyEvent& event) {
    if (!Quiet() && event) event(this);
}

// ---------------------------------------------------------------- texts

void TReportSettings::SourcesChanged() {
    if (!emailNewNameBox_) return;
    modeButtons_[Index(TRepMode::rmdPreview)]->SetCaption(link_.Text(ytxView));
    modeButtons_[Index(TRepMode::rmdSave)]->SetCaption(link_.Text(ytxSavingInFile));
    modeButtons_[Index(TRepMode::rmdByEmail)]->SetCaption(link_.Text(ytxSendingEMail));
    styleButton_->SetHint(link_.Text(shortStyle_ ? ytxMaximize : ytxMinimize));
    currentRecordBox_->SetCaption(link_.Text(ytxUseCurrentRecord));
    autoPrintBox_->SetCaption(link_.Text(ytxAutoPrint));
    copiesLabel_->SetCaption(link_.Text(ytxInCopies));
    printerLabel_->SetCaption(link_.Text(ytxPrinter));
    saveFolderLabel_->SetCaption(link_.Text(ytxFldrSaveReport));
    saveNewNameBox_->SetCaption(link_.Text(ytxSaveUnderNewName));
    sendFolderLabel_->SetCaption(link_.Text(ytxFldrSendReport));
    fixedAddressBox_->SetCaption(link_.Text(ytxAtFixedAddr));
    emailNewNameBox_->SetCaption(link_.Text(ytxFormUnderNewName));
    for (vcl::TSpeedButton* b : {saveFolderButton_, sendFolderButton_, emailFolderButton_})
        b->SetHint(link_.Text(ytxFldrOpenCrtd));
    for (vcl::TMenuItem* item : {saveFolderOpenItem_, sendFolderOpenItem_, emailFolderOpenItem_}) {
        item->SetCaption(link_.Text(ytxFldrOpenCrtd));
        item->SetHint(link_.Text(ytxFldrOpenCrtd));
    }
    saveFolderLabel_->Font()->SetColor(ColorOfText(link_.Text(ytxSaveFldrColor), vcl::clBlue));
    sendFolderLabel_->Font()->SetColor(ColorOfText(link_.Text(ytxSendFldrColor), vcl::clBlue));
    ShowFolderState();
}

// ---------------------------------------------------------------- layout

int TReportSettings::PageHeight(TRepMode mode) const { return kPageRows[Index(mode)] * kRowHeight + kMargin; }

void TReportSettings::SetBounds(int left, int top, int width, int height) {
    vcl::TCustomControl::SetBounds(left, top, width, height);
    if (!arranging_) Arrange();
}

void TReportSettings::ShowModeButtons() {
    for (TRepMode m : kAllRepModes) modeButtons_[Index(m)]->SetVisible(modeList_.Contains(m));
}

void TReportSettings::Arrange() {
    if (!emailNewNameBox_ || arranging_) return;
    arranging_ = true;
    try {
        const int w = Width();
        modePanel_->SetBounds(0, 0, w, kModeRowHeight);
        ShowModeButtons();
        int shown = 0;
        for (TRepMode m : kAllRepModes)
            if (modeList_.Contains(m)) ++shown;
        const int buttonWidth = shown ? std::max(0, (w - kButtonSize - kMargin) / shown) : 0;
        int x = kMargin;
        for (TRepMode m : kAllRepModes)
            if (modeList_.Contains(m)) {
                modeButtons_[Index(m)]->SetBounds(x, 2, buttonWidth, kCheckRowHeight);
                x += buttonWidth;
            }
        styleButton_->SetBounds(w - kButtonSize - 2, 2, kButtonSize, kButtonSize);
        styleButton_->SetCaption(shortStyle_ ? "v" : "^");

        int y = kModeRowHeight;
        currentRecordBox_->SetVisible(currentRecordVisible_);
        if (currentRecordVisible_) {
            currentRecordBox_->SetBounds(kMargin, y, std::max(0, w - 2 * kMargin), kCheckRowHeight);
            y += kCheckRowHeight;
        }
        for (TRepMode m : kAllRepModes) {
            vcl::TPanel* page = pages_[Index(m)];
            const bool shows = !shortStyle_ && m == mode_;
            page->SetVisible(shows);
            const int height = PageHeight(m) + (m == mode_ ? deltaHeight_ : 0);
            page->SetBounds(0, shows ? y : 0, w, height);
            ArrangePage(m);
            if (shows) y += height;
        }
        vcl::TCustomControl::SetBounds(Left(), Top(), w, y);
    } catch (...) {
        arranging_ = false;
        throw;
    }
    arranging_ = false;
}

void TReportSettings::ArrangePage(TRepMode mode) {
    const int w = Width();
    const int inner = std::max(0, w - 2 * kMargin);
    const int half = inner / 2;
    auto row = [](int n) { return kMargin / 2 + n * kRowHeight; };
    switch (mode) {
    case TRepMode::rmdPreview:
        autoPrintBox_->SetBounds(kMargin, row(0), inner, kCheckRowHeight);
        copiesLabel_->SetBounds(4 * kMargin, row(1), half - 3 * kMargin, kCheckRowHeight);
        copiesEdit_->SetBounds(kMargin + half, row(1), std::min(half, 60), kCheckRowHeight);
        printerLabel_->SetBounds(4 * kMargin, row(2), half - 3 * kMargin, kCheckRowHeight);
        printerBox_->SetBounds(kMargin + half, row(2), half, kCheckRowHeight);
        break;
    case TRepMode::rmdSave:
        saveFolderLabel_->SetBounds(kMargin, row(0), inner, kCheckRowHeight);
        saveFolderEdit_->SetBounds(kMargin, row(1), std::max(0, inner - kButtonSize - 2), kCheckRowHeight);
        saveFolderButton_->SetBounds(w - kMargin - kButtonSize, row(1), kButtonSize, kButtonSize);
        saveNewNameBox_->SetBounds(kMargin, row(2), inner, kCheckRowHeight);
        break;
    case TRepMode::rmdByEmail:
        sendFolderLabel_->SetBounds(kMargin, row(0), inner, kCheckRowHeight);
        sendFolderEdit_->SetBounds(kMargin, row(1), std::max(0, inner - kButtonSize - 2), kCheckRowHeight);
        sendFolderButton_->SetBounds(w - kMargin - kButtonSize, row(1), kButtonSize, kButtonSize);
        fixedAddressBox_->SetBounds(kMargin, row(2), inner, kCheckRowHeight);
        emailBox_->SetBounds(4 * kMargin, row(3), std::max(0, inner - 3 * kMargin - kButtonSize - 2),
                             kCheckRowHeight);
        emailFolderButton_->SetBounds(w - kMargin - kButtonSize, row(3), kButtonSize, kButtonSize);
        emailNewNameBox_->SetBounds(kMargin, row(4), inner, kCheckRowHeight);
        break;
    }
    // The window's controls go under the page's own rows, one under the other.
    int y = PageHeight(mode);
    for (vcl::TControl* c : added_[Index(mode)]) {
        c->SetBounds(kMargin, y, inner, c->Height());
        y += c->Height();
    }
}

void TReportSettings::SetShortStyle(bool value) {
    if (value == shortStyle_) return;
    shortStyle_ = value;
    styleButton_->SetHint(link_.Text(shortStyle_ ? ytxMaximize : ytxMinimize));
    Arrange();
}

void TReportSettings::StyleButtonClick(vcl::TObject*) { SetShortStyle(!shortStyle_); }

void TReportSettings::AskDeltaHeight() {
    int delta = 0;
    if (OnCanReDeltaHeight) OnCanReDeltaHeight(this, mode_, delta);
    deltaHeight_ = std::max(0, delta);
}

void TReportSettings::SetDeltaHeight(int value) {
    if (value < 0) AskDeltaHeight();
    else deltaHeight_ = value;
    Arrange();
}

void TReportSettings::AddControl(TRepMode mode, vcl::TControl* control) {
    if (!control) return;
    auto& list = added_[Index(mode)];
    if (std::find(list.begin(), list.end(), control) == list.end()) {
        for (auto& other : added_) other.erase(std::remove(other.begin(), other.end(), control), other.end());
        list.push_back(control);
        control->FreeNotification(this);
    }
    control->SetParent(pages_[Index(mode)]);
    ArrangePage(mode);
}

void TReportSettings::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TCustomControl::Notification(component, operation);
    if (operation != vcl::TOperation::opRemove) return;
    for (auto& list : added_) list.erase(std::remove(list.begin(), list.end(), component), list.end());
    link_.Removed(component);
}

// ---------------------------------------------------------------- the mode

void TReportSettings::ApplyMode(TRepMode mode) {
    if (mode == mode_) return;
    mode_ = mode;
    if (OnCanReDeltaHeight) AskDeltaHeight();
    Arrange();
    Raise(OnChangeMode);
    SettingsChanged();
}

void TReportSettings::SetRepMode(TRepMode mode) {
    if (!modeList_.Contains(mode) || mode == mode_) return;
    syncing_ = true;
    try {
        modeButtons_[Index(mode)]->SetChecked(true);
    } catch (...) {
        syncing_ = false;
        throw;
    }
    syncing_ = false;
    ApplyMode(mode);
}

void TReportSettings::ModeButtonClick(vcl::TObject* sender) {
    if (syncing_) return;
    for (TRepMode m : kAllRepModes)
        if (modeButtons_[Index(m)] == sender && modeButtons_[Index(m)]->Checked()) ApplyMode(m);
}

void TReportSettings::SetModeList(TRepModes modes) {
    if (modes.Empty()) modes = TRepModes{TRepMode::rmdPreview};
    modeList_ = modes;
    Arrange();
    if (!modeList_.Contains(mode_))
        for (TRepMode m : kAllRepModes)
            if (modeList_.Contains(m)) {
                SetRepMode(m);
                break;
            }
}

// ---------------------------------------------------------------- current record

bool TReportSettings::UseCurrentRecord() const { return currentRecordBox_->Checked(); }

void TReportSettings::SetUseCurrentRecord(bool value) {
    if (value && !currentRecordVisible_) return;
    currentRecordBox_->SetChecked(value);
}

void TReportSettings::SetCurrentRecordVisible(bool value) {
    if (value == currentRecordVisible_) return;
    currentRecordVisible_ = value;
    // A switch the operator cannot see must not narrow the reports behind the
    // operator's back.
    if (!value) currentRecordBox_->SetChecked(false);
    Arrange();
}

void TReportSettings::CurrentRecordClick(vcl::TObject*) {
    Raise(OnCurrentRecChange);
    SettingsChanged();
}

// ---------------------------------------------------------------- preview

bool TReportSettings::AutoPrint() const { return autoPrintBox_->Checked(); }

void TReportSettings::SetAutoPrint(bool value) { autoPrintBox_->SetChecked(value); }

int TReportSettings::Copies() const { return copiesEdit_->Value(); }

void TReportSettings::SetCopies(int value) { copiesEdit_->SetValue(value); }

bool TReportSettings::PrintersExists() const { return vcl::Printer()->Printers()->Count() > 0; }

void TReportSettings::FillPrinters() {
    const rtl::TStringList& printers = *vcl::Printer()->Printers();
    bool same = printers.Count() == printerBox_->Items()->Count();
    for (int i = 0; same && i < printers.Count(); ++i) same = printers.Strings(i) == printerBox_->Items()->Strings(i);
    if (same) return;
    const int index = printerBox_->ItemIndex();
    printerBox_->Items()->Assign(printers);
    printerBox_->SetItemIndex(index < printers.Count() ? index : -1);
}

int TReportSettings::PrinterIndex() const {
    const int index = printerBox_->ItemIndex();
    return index < vcl::Printer()->Printers()->Count() ? index : -1;
}

void TReportSettings::SetPrinterIndex(int index) {
    FillPrinters();
    printerBox_->SetItemIndex(index >= 0 && index < printerBox_->Items()->Count() ? index : -1);
}

void TReportSettings::UpdateEnabling() {
    FillPrinters();
    const bool print = autoPrintBox_->Checked();
    copiesLabel_->SetEnabled(print);
    copiesEdit_->SetEnabled(print);
    printerLabel_->SetEnabled(print && PrintersExists());
    printerBox_->SetEnabled(print && PrintersExists());
    const bool fixed = fixedAddressBox_->Checked();
    emailBox_->SetEnabled(fixed);
    emailFolderButton_->SetEnabled(fixed);
}

void TReportSettings::AutoPrintClick(vcl::TObject*) {
    UpdateEnabling();
    SettingsChanged();
}

void TReportSettings::CopiesChange(vcl::TObject*) { SettingsChanged(); }

void TReportSettings::PrinterSelect(vcl::TObject*) { SettingsChanged(); }

void TReportSettings::PrinterDropDown(vcl::TObject*) { FillPrinters(); }

// ---------------------------------------------------------------- folders

void TReportSettings::SetFldrSavingRep(const std::string& folder) {
    const std::string normal = NormalFolder(folder);
    saveFolderEdit_->SetText(normal);
    if (normal == saveFolder_) return;
    saveFolder_ = normal;
    ShowFolderState();
    SettingsChanged();
}

void TReportSettings::SetFldrSendRep(const std::string& folder) {
    const std::string normal = NormalFolder(folder);
    sendFolderEdit_->SetText(normal);
    if (normal == sendFolder_) return;
    sendFolder_ = normal;
    ShowFolderState();
    SettingsChanged();
}

std::string TReportSettings::FldrEmailAddr() const {
    const std::string name = AddresseeFolderName(rtl::Trim(CurrentEmail()));
    if (name.empty() || sendFolder_.empty()) return {};
    return rtl::IncludeTrailingPathDelimiter(sendFolder_ + name);
}

void TReportSettings::SaveFolderCommit(vcl::TObject*) { SetFldrSavingRep(saveFolderEdit_->Text()); }

void TReportSettings::SendFolderCommit(vcl::TObject*) {
    const std::string normal = NormalFolder(sendFolderEdit_->Text());
    if (normal == sendFolder_) {
        sendFolderEdit_->SetText(normal);
        return;
    }
    // Prepared reports wait in the send folder; moving it away from them is asked first.
    if (PackageMessageBox(link_.Text(ytxFldrSendToChange), link_.Text(ytxFldrSendChange),
                          vcl::MB_YESNO | vcl::MB_ICONQUESTION) != vcl::IDYES) {
        sendFolderEdit_->SetText(sendFolder_);
        return;
    }
    SetFldrSendRep(normal);
}

void TReportSettings::ShowFolderState() {
    if (!emailFolderButton_) return;
    auto show = [this](vcl::TControl* edit, const std::string& folder) {
        edit->SetShowHint(true);
        edit->SetHint(folder.empty() || rtl::DirectoryExists(folder) ? folder
                                                                      : folder + " - " + link_.Text(ytxFldrNotExsts));
    };
    show(saveFolderEdit_, saveFolder_);
    show(sendFolderEdit_, sendFolder_);
    show(emailBox_, FldrEmailAddr());
}

std::string TReportSettings::MenuFolder(const vcl::TPopupMenu* menu) const {
    if (menu == saveFolderMenu_) return saveFolder_;
    if (menu == sendFolderMenu_) return sendFolder_;
    if (menu == emailFolderMenu_) return FldrEmailAddr();
    return {};
}

void TReportSettings::FolderButtonClick(vcl::TObject* sender) {
    auto* button = static_cast<vcl::TControl*>(sender);
    vcl::TPopupMenu* menu = sender == saveFolderButton_   ? saveFolderMenu_
                            : sender == sendFolderButton_ ? sendFolderMenu_
                                                          : emailFolderMenu_;
    vcl::MenuOpen(button, menu);
}

void TReportSettings::FolderMenuPopup(vcl::TObject* sender) {
    auto* menu = static_cast<vcl::TPopupMenu*>(sender);
    vcl::TMenuItem* item = menu == saveFolderMenu_   ? saveFolderOpenItem_
                           : menu == sendFolderMenu_ ? sendFolderOpenItem_
                                                     : emailFolderOpenItem_;
    const std::string folder = MenuFolder(menu);
    // The item says what it will do: open a folder that is there, create one that is not.
    item->SetEnabled(!folder.empty());
    item->SetCaption(link_.Text(!folder.empty() && !rtl::DirectoryExists(folder) ? ytxCreate : ytxOpen));
    ShowFolderState();
}

void TReportSettings::OpenFolderItemClick(vcl::TObject* sender) {
    const vcl::TPopupMenu* menu = sender == saveFolderOpenItem_   ? saveFolderMenu_
                                  : sender == sendFolderOpenItem_ ? sendFolderMenu_
                                                                  : emailFolderMenu_;
    const std::string folder = MenuFolder(menu);
    if (EnsureFolder(folder) && OnOpenFolder) OnOpenFolder(this, folder);
}

bool TReportSettings::EnsureFolder(const std::string& folder) {
    if (folder.empty()) return false;
    if (rtl::DirectoryExists(folder)) return true;
    const std::string caption = link_.Text(ytxFldrOpenCrtd);
    if (PackageMessageBox(rtl::Format(link_.Text(ytxCreateFldrFmt), {folder}), caption,
                          vcl::MB_YESNO | vcl::MB_ICONQUESTION) != vcl::IDYES)
        return false;
    bool made = false;
    try {
        made = rtl::ForceDirectories(folder);
    } catch (const std::exception& e) {
        PackageMessageBox(rtl::Format(link_.Text(ytxErrorTextFmt), {std::string(e.what())}), caption,
                          vcl::MB_OK | vcl::MB_ICONERROR);
        return false;
    }
    if (!made) {
        PackageMessageBox(rtl::Format(link_.Text(ytxFldrNotCrtdFmt), {folder}) + "\r\n" +
                              link_.Text(ytxCheckNameIsCorrect),
                          caption, vcl::MB_OK | vcl::MB_ICONERROR);
        return false;
    }
    ShowFolderState();
    return true;
}

// ---------------------------------------------------------------- the fixed address

bool TReportSettings::UseCurrentAddress() const { return fixedAddressBox_->Checked(); }

void TReportSettings::SetUseCurrentAddress(bool value) { fixedAddressBox_->SetChecked(value); }

void TReportSettings::FixedAddressClick(vcl::TObject*) {
    UpdateEnabling();
    SettingsChanged();
}

std::string TReportSettings::CurrentEmail() const { return emailBox_->Text(); }

void TReportSettings::SetCurrentEmail(const std::string& address) {
    emailBox_->SetText(address);
    committedEmail_ = emailBox_->Text();
    ShowFolderState();
}

rtl::TStringList* TReportSettings::EmailList() const { return emailBox_->Items(); }

int TReportSettings::EmailIndex() const { return emailBox_->ItemIndex(); }

void TReportSettings::SetEmailIndex(int index) {
    emailBox_->SetItemIndex(index);
    committedEmail_ = emailBox_->Text();
    ShowFolderState();
}

void TReportSettings::EmailSelect(vcl::TObject*) {
    committedEmail_ = emailBox_->Text();
    ShowFolderState();
    SettingsChanged();
}

void TReportSettings::EmailExit(vcl::TObject*) { TakeEnteredEmail(); }

void TReportSettings::EmailKeyDown(vcl::TObject*, unsigned short& key, vcl::TShiftState) {
    if (key == vcl::VK_RETURN) TakeEnteredEmail();
}

void TReportSettings::TakeEnteredEmail() {
    const std::string address = rtl::Trim(emailBox_->Text());
    if (address == committedEmail_) {
        emailBox_->SetText(address);
        return;
    }
    if (std::any_of(address.begin(), address.end(), [](char c) { return IsBadAddressChar(static_cast<unsigned char>(c)); })) {
        PackageMessageBox(link_.Text(ytxIncorrectSymbols) + ": \"" + address + "\"", link_.Text(ytxAtFixedAddr),
                          vcl::MB_OK | vcl::MB_ICONWARNING);
        emailBox_->SetText(committedEmail_);
        return;
    }
    // A new address joins the stored ones, first, as the most recent.
    if (!address.empty() && emailBox_->Items()->IndexOf(address) < 0) emailBox_->Items()->Insert(0, address);
    emailBox_->SetText(address);
    committedEmail_ = address;
    ShowFolderState();
    SettingsChanged();
}

// ---------------------------------------------------------------- new file names

bool TReportSettings::IsNewFileName() const { return saveNewNameBox_->Checked(); }

void TReportSettings::SetIsNewFileName(bool value) { saveNewNameBox_->SetChecked(value); }

void TReportSettings::NewNameClick(vcl::TObject* sender) {
    if (syncing_) return;
    auto* box = static_cast<vcl::TCheckBox*>(sender);
    vcl::TCheckBox* other = box == saveNewNameBox_ ? emailNewNameBox_ : saveNewNameBox_;
    syncing_ = true;
    try {
        other->SetChecked(box->Checked());
    } catch (...) {
        syncing_ = false;
        throw;
    }
    syncing_ = false;
    SettingsChanged();
}

}  // namespace yma
