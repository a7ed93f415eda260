// The report output settings panel: how the reports of a run come out — shown on screen
// (and printed, when asked), saved into a folder, or prepared for e-mail — with the
// options of each way.
//
// What the operator sees, top to bottom:
//  - a row of mode buttons (one radio button per mode of ModeList) and a style button
//    that folds the panel to that row (ShortStyle) or unfolds it;
//  - "current record only" (UseCurrentRecord), while CurrentRecordVisible;
//  - in the full style, the page of the current mode:
//      preview — automatic printing, the number of copies and the printer (the last two
//        only while automatic printing is on, the printer only when the system has
//        printers);
//      save    — the save folder (an edit, and a button with its folder menu) and "save
//        under a new name" (IsNewFileName);
//      e-mail  — the send folder (an edit, and a button with Mn_SendRepFolder), "to a
//        fixed address" (UseCurrentAddress) with the address box (CurrentEmail, the
//        stored addresses of EmailList) and its folder button (Mn_EmailFolder), both
//        usable only while the switch is on, and "create under a new name" (the same
//        IsNewFileName);
//    below the page's own rows, the controls a window added with AddControl.
//
// Events, and what raises them (setting a property from code follows the control that
// shows it: check boxes, radio buttons and edits report code's changes as they report
// the operator's; list choices made by code stay quiet, as a combo box's do):
//  - OnChangeMode: after RepMode changed — a mode button, RepMode set from code, or a
//    ModeList that no longer holds the mode;
//  - OnCurrentRecChange: after UseCurrentRecord changed (the box, code, or hiding the
//    box with CurrentRecordVisible, which turns it off);
//  - OnSettingsChange: after every change of an output setting — the mode and the
//    current-record switch (after their own events), automatic printing, copies, the
//    operator's pick of a printer, the two folders, the fixed-address switch, the
//    operator's entry or pick of an address, IsNewFileName. CurrentEmail, EmailIndex,
//    EmailList and PrinterIndex set from code, ShortStyle and DeltaHeight raise nothing;
//  - OnCanReDeltaHeight: asked how many extra pixels the page of a mode wants, when the
//    mode changes (only when the handler is set) and when DeltaHeight is set to -1;
//  - OnOpenFolder: the operator asked to open a folder (the folder menus' open item);
//    the host shows it as it can.
// Nothing is raised while the owner's form resource builds the panel.
#pragma once

#include "vcl/Buttons.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Menus.h"
#include "vcl/Spin.h"
#include "vcl/StdCtrls.h"
#include "ymacomp/NumberEdit.h"
#include "ymacomp/TextSources.h"

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

namespace yma {

enum class TRepMode { rmdPreview, rmdSave, rmdByEmail };

// A set of modes.
class TRepModes {
public:
    constexpr TRepModes() = default;
    constexpr TRepModes(std::initializer_list<TRepMode> modes) {
        for (TRepMode m : modes) bits_ |= Bit(m);
    }
    constexpr bool Contains(TRepMode m) const noexcept { return (bits_ & Bit(m)) != 0; }
    constexpr bool Empty() const noexcept { return bits_ == 0; }
    constexpr TRepModes& Include(TRepMode m) noexcept {
        bits_ |= Bit(m);
        return *this;
    }
    constexpr TRepModes& Exclude(TRepMode m) noexcept {
        bits_ &= ~Bit(m);
        return *this;
    }
    constexpr unsigned Bits() const noexcept { return bits_; }
    friend constexpr bool operator==(TRepModes, TRepModes) = default;

private:
    static constexpr unsigned Bit(TRepMode m) noexcept { return 1u << static_cast<unsigned>(m); }
    unsigned bits_ = 0;
};

inline constexpr TRepMode kAllRepModes[] = {TRepMode::rmdPreview, TRepMode::rmdSave, TRepMode::rmdByEmail};

// `deltaHeight` starts at 0; the handler sets the extra pixels the mode's page wants.
using TCanReDeltaHeightEvent = rtl::TMethod<void(vcl::TObject* sender, TRepMode mode, int& deltaHeight)>;
using TFolderEvent = rtl::TMethod<void(vcl::TObject* sender, const std::string& folder)>;

// A folder name made of an address (or any text): characters a folder name cannot or
// should not hold become "_", and a name of dots only (".", "..") becomes "_", so the
// folder stays inside its parent.
std::string AddresseeFolderName(const std::string& address);

class TReportSettings : public vcl::TCustomControl, public IYMATextClient {
    RTL_DECLARE_CLASS(TReportSettings)
public:
    explicit TReportSettings(vcl::TComponent* owner);
    void Construct() override;

    // ---- the mode
    TRepMode RepMode() const noexcept { return mode_; }
    // A mode outside ModeList cannot be chosen: setting it changes nothing.
    void SetRepMode(TRepMode mode);
    TRepModes ModeList() const noexcept { return modeList_; }
    // Only the listed modes' buttons show. An empty list offers preview alone; when the
    // current mode leaves the list, the first listed mode takes over (OnChangeMode).
    void SetModeList(TRepModes modes);
    // The e-mail mode is on.
    bool ByEmailMode() const noexcept { return mode_ == TRepMode::rmdByEmail; }

    // ---- what the reports cover
    bool UseCurrentRecord() const;
    // While CurrentRecordVisible is off the switch stays off.
    void SetUseCurrentRecord(bool value);
    bool CurrentRecordVisible() const noexcept { return currentRecordVisible_; }
    void SetCurrentRecordVisible(bool value);

    // ---- preview
    bool AutoPrint() const;
    void SetAutoPrint(bool value);
    // 1 to 999.
    int Copies() const;
    void SetCopies(int value);
    // An index into vcl::Printer()'s list, -1 for the default printer. Setting an index
    // outside the list chooses the default printer.
    int PrinterIndex() const;
    void SetPrinterIndex(int index);
    bool PrintersExists() const;

    // ---- save and e-mail
    // Folders are kept with a trailing delimiter (an empty folder stays empty).
    std::string FldrSavingRep() const { return saveFolder_; }
    void SetFldrSavingRep(const std::string& folder);
    std::string FldrSendRep() const { return sendFolder_; }
    void SetFldrSendRep(const std::string& folder);
    // The folder of the fixed address inside the send folder: FldrSendRep and
    // AddresseeFolderName(CurrentEmail), with a delimiter; empty without an address.
    std::string FldrEmailAddr() const;
    bool UseCurrentAddress() const;
    void SetUseCurrentAddress(bool value);
    // The fixed address: the address box's text.
    std::string CurrentEmail() const;
    void SetCurrentEmail(const std::string& address);
    // The stored addresses (the address box's list) and the chosen one (-1 none).
    rtl::TStringList* EmailList() const;
    int EmailIndex() const;
    void SetEmailIndex(int index);
    bool IsNewFileName() const;
    void SetIsNewFileName(bool value);

    // ---- look
    bool ShortStyle() const noexcept { return shortStyle_; }
    void SetShortStyle(bool value);
    int DeltaHeight() const noexcept { return deltaHeight_; }
    // The extra pixels of the current mode's page; -1 asks OnCanReDeltaHeight again.
    void SetDeltaHeight(int value);
    // Shows the window's control on the page of the mode, under what is there already
    // (the panel becomes its parent; the window still owns it).
    void AddControl(TRepMode mode, vcl::TControl* control);

    // The folder buttons' menus. A window may add items and chain OnPopup (the panel's
    // own handler names the open-or-create item after the folder's state).
    vcl::TPopupMenu* Mn_EmailFolder() const noexcept { return emailFolderMenu_; }
    vcl::TPopupMenu* Mn_SendRepFolder() const noexcept { return sendFolderMenu_; }

    TYMASourcesReference* SourceReference() const noexcept { return link_.Reference(); }
    void SetSourceReference(TYMASourcesReference* reference) { link_.Set(reference); }
    void SourcesChanged() override;

    // ---- the parts the operator works with
    vcl::TRadioButton* ModeButton(TRepMode mode) const { return modeButtons_[Index(mode)]; }
    vcl::TSpeedButton* StyleButton() const noexcept { return styleButton_; }
    vcl::TCheckBox* CurrentRecordBox() const noexcept { return currentRecordBox_; }
    vcl::TPanel* Page(TRepMode mode) const { return pages_[Index(mode)]; }
    vcl::TCheckBox* AutoPrintBox() const noexcept { return autoPrintBox_; }
    vcl::TSpinEdit* CopiesEdit() const noexcept { return copiesEdit_; }
    vcl::TComboBox* PrinterBox() const noexcept { return printerBox_; }
    TCommitEdit* SaveFolderEdit() const noexcept { return saveFolderEdit_; }
    vcl::TSpeedButton* SaveFolderButton() const noexcept { return saveFolderButton_; }
    vcl::TPopupMenu* SaveFolderMenu() const noexcept { return saveFolderMenu_; }
    vcl::TCheckBox* SaveNewNameBox() const noexcept { return saveNewNameBox_; }
    TCommitEdit* SendFolderEdit() const noexcept { return sendFolderEdit_; }
    vcl::TSpeedButton* SendFolderButton() const noexcept { return sendFolderButton_; }
    vcl::TCheckBox* FixedAddressBox() const noexcept { return fixedAddressBox_; }
    vcl::TComboBox* EmailBox() const noexcept { return emailBox_; }
    vcl::TSpeedButton* EmailFolderButton() const noexcept { return emailFolderButton_; }
    vcl::TCheckBox* EmailNewNameBox() const noexcept { return emailNewNameBox_; }

    vcl::TNotifyEvent OnChangeMode;
    vcl::TNotifyEvent OnCurrentRecChange;
    vcl::TNotifyEvent OnSettingsChange;
    TCanReDeltaHeightEvent OnCanReDeltaHeight;
    TFolderEvent OnOpenFolder;

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    rtl::TStringList* EmailListProp() { return EmailList(); }
    static std::size_t Index(TRepMode mode) noexcept { return static_cast<std::size_t>(mode); }
    bool Quiet() const;  // events stay quiet (building, or the form resource loading)
    void Raise(const vcl::TNotifyEvent& event);
    void SettingsChanged() { Raise(OnSettingsChange); }

    template <class T>
    T* Part(vcl::TWinControl* parent, const char* name);
    vcl::TPanel* MakePage(TRepMode mode, const char* name);
    vcl::TPopupMenu* MakeFolderMenu(const char* name, vcl::TMenuItem*& openItem);
    void Arrange();
    void ArrangePage(TRepMode mode);
    int PageHeight(TRepMode mode) const;
    void ShowModeButtons();
    void UpdateEnabling();
    void FillPrinters();
    void ShowFolderState();
    void AskDeltaHeight();
    void ApplyMode(TRepMode mode);
    // The folder behind a folder menu.
    std::string MenuFolder(const vcl::TPopupMenu* menu) const;
    bool EnsureFolder(const std::string& folder);

    // handlers of the parts
    void ModeButtonClick(vcl::TObject* sender);
    void StyleButtonClick(vcl::TObject* sender);
    void CurrentRecordClick(vcl::TObject* sender);
    void AutoPrintClick(vcl::TObject* sender);
    void CopiesChange(vcl::TObject* sender);
    void PrinterSelect(vcl::TObject* sender);
    void PrinterDropDown(vcl::TObject* sender);
    void SaveFolderCommit(vcl::TObject* sender);
    void SendFolderCommit(vcl::TObject* sender);
    void FixedAddressClick(vcl::TObject* sender);
    void EmailSelect(vcl::TObject* sender);
    void EmailExit(vcl::TObject* sender);
    void EmailKeyDown(vcl::TObject* sender, unsigned short& key, vcl::TShiftState shift);
    void NewNameClick(vcl::TObject* sender);
    void FolderButtonClick(vcl::TObject* sender);
    void FolderMenuPopup(vcl::TObject* sender);
    void OpenFolderItemClick(vcl::TObject* sender);

    void TakeEnteredEmail();

    TRepMode mode_ = TRepMode::rmdPreview;
    TRepModes modeList_{TRepMode::rmdPreview, TRepMode::rmdSave, TRepMode::rmdByEmail};
    bool currentRecordVisible_ = true;
    bool shortStyle_ = false;
    int deltaHeight_ = 0;
    std::string saveFolder_, sendFolder_;
    std::string committedEmail_;  // the address last taken, for a refused entry to return to
    bool building_ = true;
    bool syncing_ = false;    // one part follows another: its own click is no news
    bool arranging_ = false;

    vcl::TPanel* modePanel_ = nullptr;
    std::array<vcl::TRadioButton*, 3> modeButtons_{};
    vcl::TSpeedButton* styleButton_ = nullptr;
    vcl::TCheckBox* currentRecordBox_ = nullptr;
    std::array<vcl::TPanel*, 3> pages_{};
    std::array<std::vector<vcl::TControl*>, 3> added_;
    vcl::TCheckBox* autoPrintBox_ = nullptr;
    vcl::TLabel* copiesLabel_ = nullptr;
    vcl::TSpinEdit* copiesEdit_ = nullptr;
    vcl::TLabel* printerLabel_ = nullptr;
    vcl::TComboBox* printerBox_ = nullptr;
    vcl::TLabel* saveFolderLabel_ = nullptr;
    TCommitEdit* saveFolderEdit_ = nullptr;
    vcl::TSpeedButton* saveFolderButton_ = nullptr;
    vcl::TPopupMenu* saveFolderMenu_ = nullptr;
    vcl::TMenuItem* saveFolderOpenItem_ = nullptr;
    vcl::TCheckBox* saveNewNameBox_ = nullptr;
    vcl::TLabel* sendFolderLabel_ = nullptr;
    TCommitEdit* sendFolderEdit_ = nullptr;
    vcl::TSpeedButton* sendFolderButton_ = nullptr;
    vcl::TPopupMenu* sendFolderMenu_ = nullptr;
    vcl::TMenuItem* sendFolderOpenItem_ = nullptr;
    vcl::TCheckBox* fixedAddressBox_ = nullptr;
    vcl::TComboBox* emailBox_ = nullptr;
    vcl::TSpeedButton* emailFolderButton_ = nullptr;
    vcl::TPopupMenu* emailFolderMenu_ = nullptr;
    vcl::TMenuItem* emailFolderOpenItem_ = nullptr;
    vcl::TCheckBox* emailNewNameBox_ = nullptr;
    TSourceLink link_{this};
};

}  // namespace yma
