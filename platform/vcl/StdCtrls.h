// The standard controls, headless: labels, buttons, check boxes, radio buttons, edits,
// memos, list boxes, combo boxes and group boxes.
//
// Event rules, beyond those of Controls.h (later code relies on each of them):
//  - while the owner's form resource builds the controls (the owner is loading), setting
//    a property raises no event: the resource sets properties before it links handlers;
//  - check box: setting Checked or State from code raises OnClick, as the operator's
//    click does;
//  - radio button: checking it (from code or by a click) unchecks its siblings and raises
//    OnClick; unchecking raises nothing, and clicking a checked one raises nothing;
//  - edit and memo: every change of the text raises OnChange, whether code set Text or
//    Lines or the operator typed;
//  - list box: setting ItemIndex or Selected from code raises nothing; the operator's
//    selection (UserSelect, arrow keys) raises OnClick;
//  - combo box: setting ItemIndex or Text from code raises nothing (the text follows the
//    item); the operator's pick (UserSelect) raises OnChange, OnClick, then OnSelect;
//    typing raises OnChange.
//
// The items of list and combo boxes enter through the control's window procedure
// (LB_ADDSTRING / LB_INSERTSTRING, CB_ADDSTRING / CB_INSERTSTRING), whether code calls
// Items()->Add or Insert or assigns a whole list, so a component that replaced WindowProc
// sees each item text on its way in and may change it.
#pragma once

#include "rtl/StringList.h"
#include "vcl/Controls.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vcl {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };
enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };
enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

// Whether the component, or the owner building it, is still being loaded from its form
// resource; events stay quiet meanwhile.
bool IsLoading(const TComponent* component) noexcept;
// Whether the operator's input reaches the control: it is showing, and it and every
// parent are enabled (a disabled parent shuts its children off, as on the platform).
bool AcceptsOperator(const TControl* control);
// Moves the focus to the control as the operator's mouse press does, when it can take
// the focus; the control that had it sees OnExit first.
void FocusByOperator(TWinControl* control);

// ---------------------------------------------------------------- labels

class TLabel : public TGraphicControl {
    RTL_DECLARE_CLASS(TLabel)
public:
    explicit TLabel(TComponent* owner);

    // The control the label's accelerator focuses; cleared when that control goes away.
    TWinControl* FocusControl() const noexcept { return focusControl_; }
    void SetFocusControl(TWinControl* control);
    bool WordWrap() const noexcept { return wordWrap_; }
    void SetWordWrap(bool v) noexcept { wordWrap_ = v; }
    // Kept for the windows that set it; nothing is measured, so the bounds stay as set.
    bool AutoSize() const noexcept { return autoSize_; }
    void SetAutoSize(bool v) noexcept { autoSize_ = v; }
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment v) noexcept { alignment_ = v; }
    TTextLayout Layout() const noexcept { return layout_; }
    void SetLayout(TTextLayout v) noexcept { layout_ = v; }
    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool v) noexcept { transparent_ = v; }
    bool ShowAccelChar() const noexcept { return showAccelChar_; }
    void SetShowAccelChar(bool v) noexcept { showAccelChar_ = v; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TWinControl* focusControl_ = nullptr;
    bool wordWrap_ = false, autoSize_ = true, transparent_ = false, showAccelChar_ = true;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TTextLayout layout_ = TTextLayout::tlTop;
};

enum class TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };

class TStaticText : public TWinControl {
    RTL_DECLARE_CLASS(TStaticText)
public:
    explicit TStaticText(TComponent* owner) : TWinControl(owner) {}

    TWinControl* FocusControl() const noexcept { return focusControl_; }
    void SetFocusControl(TWinControl* control);
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment v) noexcept { alignment_ = v; }
    TStaticBorderStyle BorderStyle() const noexcept { return borderStyle_; }
    void SetBorderStyle(TStaticBorderStyle v) noexcept { borderStyle_ = v; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TWinControl* focusControl_ = nullptr;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TStaticBorderStyle borderStyle_ = TStaticBorderStyle::sbsNone;
};

// ---------------------------------------------------------------- buttons

// The base of push buttons, check boxes and radio buttons: they take the focus when the
// operator clicks them, so the control that had it sees OnExit before the click runs.
class TButtonControl : public TWinControl {
    RTL_DECLARE_CLASS(TButtonControl)
public:
    explicit TButtonControl(TComponent* owner);

    bool WordWrap() const noexcept { return wordWrap_; }
    void SetWordWrap(bool v) noexcept { wordWrap_ = v; }

protected:
    // Set while the control's state follows something other than a click (an action, a
    // radio group); state changes then raise no OnClick.
    bool clicksDisabled_ = false;

private:
    bool wordWrap_ = false;
};

class TButton : public TButtonControl {
    RTL_DECLARE_CLASS(TButton)
public:
    explicit TButton(TComponent* owner) : TButtonControl(owner) {}

    // Enter pressed anywhere on the form (and taken by no control) clicks the default
    // button; Escape clicks the cancel button.
    bool Default() const noexcept { return default_; }
    void SetDefault(bool v) noexcept { default_ = v; }
    bool Cancel() const noexcept { return cancel_; }
    void SetCancel(bool v) noexcept { cancel_ = v; }
    // Copied into the parent form's ModalResult by every click, before OnClick runs (so a
    // handler may set the form's ModalResult back to mrNone to keep a modal form open).
    int ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(int v) noexcept { modalResult_ = v; }

    void Click() override;
    void UserClick() override;
    bool DialogKey(unsigned short key) override;

protected:
    // Enter and Space on the focused button click it.
    void KeyDown(unsigned short& key, TShiftState shift) override;

private:
    bool default_ = false, cancel_ = false;
    int modalResult_ = 0;
};

class TCheckBox : public TButtonControl {
    RTL_DECLARE_CLASS(TCheckBox)
public:
    explicit TCheckBox(TComponent* owner) : TButtonControl(owner) {}

    bool Checked() const noexcept { return state_ == TCheckBoxState::cbChecked; }
    // Raises OnClick when the state changes (see the rules at the top).
    void SetChecked(bool v) { SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
    TCheckBoxState State() const noexcept { return state_; }
    void SetState(TCheckBoxState state);
    bool AllowGrayed() const noexcept { return allowGrayed_; }
    void SetAllowGrayed(bool v) noexcept { allowGrayed_ = v; }
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment v) noexcept { alignment_ = v; }

    // The next state of a click: unchecked → grayed (when allowed) → checked → unchecked.
    void Toggle();
    // The operator clicks the box: focus, then Toggle (which raises OnClick).
    void UserClick() override;

protected:
    void KeyDown(unsigned short& key, TShiftState shift) override;  // Space toggles
    // Follows the action's Checked without a click.
    void ApplyAction(TBasicAction* action) override;

private:
    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = TAlignment::taRightJustify;
};

class TRadioButton : public TButtonControl {
    RTL_DECLARE_CLASS(TRadioButton)
public:
    explicit TRadioButton(TComponent* owner) : TButtonControl(owner) {}

    bool Checked() const noexcept { return checked_; }
    // Checking unchecks the other radio buttons of the same parent and raises OnClick;
    // unchecking raises nothing.
    void SetChecked(bool v);
    TAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TAlignment v) noexcept { alignment_ = v; }

    // The operator clicks the button: focus, then it becomes checked.
    void UserClick() override;

protected:
    void KeyDown(unsigned short& key, TShiftState shift) override;  // Space checks

private:
    bool checked_ = false;
    TAlignment alignment_ = TAlignment::taLeftJustify;
};

// ---------------------------------------------------------------- edits

class TCustomEdit : public TWinControl {
    RTL_DECLARE_CLASS(TCustomEdit)
public:
    explicit TCustomEdit(TComponent* owner);

    bool ReadOnly() const noexcept { return readOnly_; }
    void SetReadOnly(bool v) noexcept { readOnly_ = v; }
    // The most characters the operator may type (0: no limit). Text set from code is not
    // cut, as the platform's edit does not cut it either.
    int MaxLength() const noexcept { return maxLength_; }
    void SetMaxLength(int v) noexcept { maxLength_ = v < 0 ? 0 : v; }
    TEditCharCase CharCase() const noexcept { return charCase_; }
    void SetCharCase(TEditCharCase v) noexcept { charCase_ = v; }
    char PasswordChar() const noexcept { return passwordChar_; }
    void SetPasswordChar(char v) noexcept { passwordChar_ = v; }
    // Set by the operator's typing, cleared by code.
    bool Modified() const noexcept { return modified_; }
    void SetModified(bool v) noexcept { modified_ = v; }
    void Clear() { SetText(std::string()); }

    // The operator clicks into the edit: it takes the focus.
    void UserClick() override;
    // The operator types: the edit takes the focus, then every character is a key press.
    // Characters go to the end of the text; Backspace deletes the last character.
    void UserType(const std::string& text) override;

    TNotifyEvent OnChange;

protected:
    // OnChange; every change of the text comes here.
    virtual void Change();
    void WndProc(TMessage& message) override;
    void TextChanged() override;
    void KeyPress(char& key) override;
    // Whether the typed character (one UTF-8 sequence) may go in; a spin edit takes
    // digits and signs only.
    virtual bool IsValidChar(const std::string& ch) const;
    // A text change made by the operator's typing: it bypasses WM_SETTEXT, as typing
    // does on the platform, and marks the edit modified.
    void ReplaceTextByOperator(std::string text);

private:
    bool readOnly_ = false, modified_ = false;
    int maxLength_ = 0;
    TEditCharCase charCase_ = TEditCharCase::ecNormal;
    char passwordChar_ = 0;
    std::string pendingBytes_;  // the head of a UTF-8 character still being typed
};

class TEdit : public TCustomEdit {
    RTL_DECLARE_CLASS(TEdit)
public:
    using TCustomEdit::TCustomEdit;
};

// A multi-line edit. Lines and Text are one content: Text is the lines each followed by
// a line break, as the platform's memo gives it; setting Text splits it into Lines. The
// Lines list's OnChange belongs to the memo (that is how it hears of line changes).
class TMemo : public TCustomEdit {
    RTL_DECLARE_CLASS(TMemo)
public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;

    rtl::TStringList* Lines() const noexcept { return lines_.get(); }
    bool WordWrap() const noexcept { return wordWrap_; }
    void SetWordWrap(bool v) noexcept { wordWrap_ = v; }
    // With WantReturns the memo takes Enter as a line break; without it Enter reaches the
    // form's default button.
    bool WantReturns() const noexcept { return wantReturns_; }
    void SetWantReturns(bool v) noexcept { wantReturns_ = v; }
    bool WantTabs() const noexcept { return wantTabs_; }
    void SetWantTabs(bool v) noexcept { wantTabs_ = v; }
    TScrollStyle ScrollBars() const noexcept { return scrollBars_; }
    void SetScrollBars(TScrollStyle v) noexcept { scrollBars_ = v; }

protected:
    void TextChanged() override;
    void KeyDown(unsigned short& key, TShiftState shift) override;

private:
    rtl::TStringList* LinesProp() { return lines_.get(); }
    void LinesChanged(TObject* sender);

    std::unique_ptr<rtl::TStringList> lines_;
    bool syncing_ = false;
    bool wordWrap_ = true, wantReturns_ = true, wantTabs_ = false;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
};

// ---------------------------------------------------------------- item lists

// The item list of a list or combo box. Add and Insert hand each entry to the control's
// window procedure (the add or insert message, LParam pointing to the text); the
// control's own handling of the message stores it, wherever its sorting puts it. An entry
// that a replaced window procedure swallows is not stored (Add then returns -1).
class TControlItems : public rtl::TStringList {
    RTL_DECLARE_CLASS(TControlItems)
public:
    TControlItems(TControl* control, UINT addMessage, UINT insertMessage);

    // The control's handling of the add and insert messages: stores the entry (with the
    // object the caller passed along) and returns its index.
    int Store(int index, std::string s);

protected:
    int InsertItem(int index, std::string s, TObject* object, bool add) override;

private:
    friend class TCustomListBox;
    friend class TCustomComboBox;
    TControl* control_;
    UINT addMessage_, insertMessage_;
    TObject* pendingObject_ = nullptr;
    int storedIndex_ = -1;
};

// Per-item state of list boxes, kept in the item list beside each entry so it moves and
// goes with its entry.
namespace itemstate {
inline constexpr std::uintptr_t Selected = 1;
inline constexpr std::uintptr_t Caret = 2;  // the focused item of a multi-select list
inline constexpr std::uintptr_t CheckMask = 0xC;
inline constexpr int CheckShift = 2;
inline constexpr std::uintptr_t Disabled = 0x10;
}  // namespace itemstate

class TCustomListBox : public TWinControl {
    RTL_DECLARE_CLASS(TCustomListBox)
public:
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    rtl::TStringList* Items() const noexcept { return items_.get(); }
    int Count() const noexcept { return items_->Count(); }
    // The selected item (single selection) or the focused one (multi-selection), -1 for
    // none. Setting it from code raises nothing; an index outside the items selects
    // nothing, as on the platform.
    int ItemIndex() const;
    void SetItemIndex(int index);
    bool MultiSelect() const noexcept { return multiSelect_; }
    void SetMultiSelect(bool v);
    bool ExtendedSelect() const noexcept { return extendedSelect_; }
    void SetExtendedSelect(bool v) noexcept { extendedSelect_ = v; }
    // Selection of one item (index errors raise EListError); from code, no events.
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;
    void ClearSelection();
    void SelectAll();
    // A sorted list box puts each added item in its place (Insert still inserts where it
    // is told, as the platform's does).
    bool Sorted() const noexcept { return sorted_; }
    void SetSorted(bool v);
    TListBoxStyle Style() const noexcept { return style_; }
    void SetStyle(TListBoxStyle v) noexcept { style_ = v; }
    int ItemHeight() const noexcept { return itemHeight_; }
    void SetItemHeight(int v) noexcept { itemHeight_ = v; }
    void Clear() { items_->Clear(); }

    // The operator clicks an item: the list takes the focus, the item is selected (with
    // Ctrl in a multi-select list it toggles) and OnClick runs — also when the item was
    // already selected, as each click is reported. Index errors raise EListError.
    virtual void UserSelect(int index, TShiftState shift = 0);
    // The operator double-clicks an item: the click, then OnDblClick.
    void UserDblClick(int index);

protected:
    void WndProc(TMessage& message) override;
    // Up, Down, Home and End move the selection as a click would (OnClick).
    void KeyDown(unsigned short& key, TShiftState shift) override;
    std::uintptr_t ItemBits(int index) const { return items_->ItemData(index); }
    void SetItemBits(int index, std::uintptr_t bits) { items_->SetItemData(index, bits); }
    void CheckIndex(int index) const;

private:
    rtl::TStringList* ItemsProp() { return items_.get(); }

    std::unique_ptr<TControlItems> items_;
    bool multiSelect_ = false, extendedSelect_ = true, sorted_ = false;
    TListBoxStyle style_ = TListBoxStyle::lbStandard;
    int itemHeight_ = 13;
};

class TListBox : public TCustomListBox {
    RTL_DECLARE_CLASS(TListBox)
public:
    using TCustomListBox::TCustomListBox;
};

class TCustomComboBox : public TWinControl {
    RTL_DECLARE_CLASS(TCustomComboBox)
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    rtl::TStringList* Items() const noexcept { return items_.get(); }
    // The selected item, -1 for none. Setting it from code sets Text to the item's text
    // and raises nothing (no OnChange: that is the operator's event).
    int ItemIndex() const;
    void SetItemIndex(int index);
    // A drop-down list's text is always its selected item's; setting Text selects the
    // item of that text, or none. A drop-down's text is free; setting it (or typing)
    // selects the item of that text when there is one, else none. Texts are compared
    // without case, as the platform's list finds them. Setting Text raises no OnChange.
    TComboBoxStyle Style() const noexcept { return style_; }
    void SetStyle(TComboBoxStyle v);
    bool Sorted() const noexcept { return sorted_; }
    void SetSorted(bool v);
    int DropDownCount() const noexcept { return dropDownCount_; }
    void SetDropDownCount(int v) noexcept { dropDownCount_ = v; }
    int MaxLength() const noexcept { return maxLength_; }
    void SetMaxLength(int v) noexcept { maxLength_ = v < 0 ? 0 : v; }
    bool DroppedDown() const noexcept { return droppedDown_; }
    void Clear();

    // The operator picks an item from the list: focus, selection (Text follows), then
    // OnChange, OnClick and OnSelect. Index errors raise EListError.
    void UserSelect(int index);
    // The operator opens and closes the list (OnDropDown lets a window fill it late).
    void UserDropDown();
    void UserCloseUp();
    void UserClick() override;
    void UserType(const std::string& text) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void WndProc(TMessage& message) override;
    // Typing into a drop-down edits the text (OnChange); into a drop-down list it picks
    // the next item starting with the character, as a pick from the list.
    void KeyPress(char& key) override;
    virtual void Change();
    virtual void Select();

private:
    rtl::TStringList* ItemsProp() { return items_.get(); }
    void SelectOnly(int index);  // no events

    std::unique_ptr<TControlItems> items_;
    TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
    bool sorted_ = false, droppedDown_ = false;
    int dropDownCount_ = 8, maxLength_ = 0;
    std::string pendingBytes_;
};

class TComboBox : public TCustomComboBox {
    RTL_DECLARE_CLASS(TComboBox)
public:
    using TCustomComboBox::TCustomComboBox;
};

// ---------------------------------------------------------------- group boxes

class TCustomGroupBox : public TCustomControl {
    RTL_DECLARE_CLASS(TCustomGroupBox)
public:
    using TCustomControl::TCustomControl;
};

class TGroupBox : public TCustomGroupBox {
    RTL_DECLARE_CLASS(TGroupBox)
public:
    using TCustomGroupBox::TCustomGroupBox;
};

}  // namespace vcl
