#include "vcl/StdCtrls.h"

#include "rtl/Exceptions.h"
#include "rtl/Strings.h"
#include "rtl/Utf8.h"
#include "vcl/Actions.h"
#include "vcl/Forms.h"

#include <algorithm>
#include <utility>

namespace vcl {

RTL_DEFINE_CLASS(TLabel, TGraphicControl, rtl::Prop<TLabel>("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap),
                 rtl::Prop<TLabel>("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize),
                 rtl::Prop<TLabel>("Alignment", &TLabel::Alignment, &TLabel::SetAlignment),
                 rtl::Prop<TLabel>("Transparent", &TLabel::Transparent, &TLabel::SetTransparent))
RTL_DEFINE_CLASS(TStaticText, TWinControl,
                 rtl::Prop<TStaticText>("Alignment", &TStaticText::Alignment, &TStaticText::SetAlignment))
RTL_DEFINE_CLASS(TButtonControl, TWinControl,
                 rtl::Prop<TButtonControl>("WordWrap", &TButtonControl::WordWrap, &TButtonControl::SetWordWrap))
RTL_DEFINE_CLASS(TButton, TButtonControl, rtl::Prop<TButton>("Default", &TButton::Default, &TButton::SetDefault),
                 rtl::Prop<TButton>("Cancel", &TButton::Cancel, &TButton::SetCancel),
                 rtl::Prop<TButton>("ModalResult", &TButton::ModalResult, &TButton::SetModalResult))
RTL_DEFINE_CLASS(TCheckBox, TButtonControl,
                 rtl::Prop<TCheckBox>("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked),
                 rtl::Prop<TCheckBox>("State", &TCheckBox::State, &TCheckBox::SetState),
                 rtl::Prop<TCheckBox>("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed))
RTL_DEFINE_CLASS(TRadioButton, TButtonControl,
                 rtl::Prop<TRadioButton>("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked))
RTL_DEFINE_CLASS(TCustomEdit, TWinControl,
                 rtl::Prop<TCustomEdit>("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly),
                 rtl::Prop<TCustomEdit>("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength),
                 rtl::Prop<TCustomEdit>("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase),
                 rtl::Prop<TCustomEdit>("Modified", &TCustomEdit::Modified, &TCustomEdit::SetModified))
RTL_DEFINE_CLASS(TEdit, TCustomEdit)
RTL_DEFINE_CLASS(TMemo, TCustomEdit, rtl::StringsProp<TMemo>("Lines", &TMemo::LinesProp),
                 rtl::Prop<TMemo>("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap),
                 rtl::Prop<TMemo>("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns),
                 rtl::Prop<TMemo>("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars))
RTL_DEFINE_CLASS(TControlItems, rtl::TStringList)
RTL_DEFINE_CLASS(TCustomListBox, TWinControl, rtl::StringsProp<TCustomListBox>("Items", &TCustomListBox::ItemsProp),
                 rtl::Prop<TCustomListBox>("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex),
                 rtl::Prop<TCustomListBox>("MultiSelect", &TCustomListBox::MultiSelect,
                                           &TCustomListBox::SetMultiSelect),
                 rtl::Prop<TCustomListBox>("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted),
                 rtl::Prop<TCustomListBox>("Count", &TCustomListBox::Count))
RTL_DEFINE_CLASS(TListBox, TCustomListBox)
RTL_DEFINE_CLASS(TCustomComboBox, TWinControl, rtl::StringsProp<TCustomComboBox>("Items", &TCustomComboBox::ItemsProp),
                 rtl::Prop<TCustomComboBox>("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex),
                 rtl::Prop<TCustomComboBox>("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle),
                 rtl::Prop<TCustomComboBox>("Sorted", &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted),
                 rtl::Prop<TCustomComboBox>("DropDownCount", &TCustomComboBox::DropDownCount,
                                            &TCustomComboBox::SetDropDownCount))
RTL_DEFINE_CLASS(TComboBox, TCustomComboBox)
RTL_DEFINE_CLASS(TCustomGroupBox, TCustomControl)
RTL_DEFINE_CLASS(TGroupBox, TCustomGroupBox)

// ---------------------------------------------------------------- helpers

bool IsLoading(const TComponent* component) noexcept {
    if (!component) return false;
    if (component->ComponentState() & csLoading) return true;
    const TComponent* owner = component->Owner();
    return owner && (owner->ComponentState() & csLoading);
}

bool AcceptsOperator(const TControl* control) {
    if (!control || !control->Showing()) return false;
    for (const TControl* c = control; c; c = c->Parent())
        if (!c->Enabled()) return false;
    return true;
}

void FocusByOperator(TWinControl* control) {
    if (!control || !control->CanFocus()) return;
    if (TCustomForm* form = control->ParentForm()) form->SetActiveControl(control);
}

namespace {

// Collects the bytes of one typed character: true, with the whole UTF-8 sequence in ch,
// once its last byte arrived. A continuation byte with no lead, or a byte that cannot
// lead, is dropped.
bool CollectTyped(std::string& pending, char byte, std::string& ch) {
    const auto u = static_cast<unsigned char>(byte);
    if (u < 0x80) {
        pending.clear();
        ch.assign(1, byte);
        return true;
    }
    if ((u & 0xC0) == 0x80) {
        if (pending.empty()) return false;
        pending += byte;
    } else {
        pending.assign(1, byte);
    }
    const auto lead = static_cast<unsigned char>(pending[0]);
    const std::size_t need = lead >= 0xF0 && lead <= 0xF7 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (need == 0 || (lead >= 0xF8)) {
        pending.clear();
        return false;
    }
    if (pending.size() < need) return false;
    ch = std::move(pending);
    pending.clear();
    return true;
}

// The text without its last character (UTF-8 aware).
std::string DropLastChar(std::string text) {
    if (text.empty()) return text;
    std::size_t n = text.size() - 1;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    text.erase(n);
    return text;
}

std::string ApplyCharCase(const std::string& ch, TEditCharCase charCase) {
    switch (charCase) {
    case TEditCharCase::ecUpperCase: return rtl::AnsiUpperCase(ch);
    case TEditCharCase::ecLowerCase: return rtl::AnsiLowerCase(ch);
    default: return ch;
    }
}

[[noreturn]] void RaiseIndexError(int index) {
    throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
}

// Runs f with flag set, putting the flag back afterwards even when f raises.
template <class F>
void WithFlag(bool& flag, F&& f) {
    const bool saved = flag;
    flag = true;
    try {
        f();
    } catch (...) {
        flag = saved;
        throw;
    }
    flag = saved;
}

}  // namespace

// ---------------------------------------------------------------- TLabel, TStaticText

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { SetColor(clBtnFace); }

void TLabel::SetFocusControl(TWinControl* control) {
    if (control == focusControl_) return;
    if (focusControl_) focusControl_->RemoveFreeNotification(this);
    focusControl_ = control;
    if (control) control->FreeNotification(this);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TStaticText::SetFocusControl(TWinControl* control) {
    if (control == focusControl_) return;
    if (focusControl_) focusControl_->RemoveFreeNotification(this);
    focusControl_ = control;
    if (control) control->FreeNotification(this);
}

void TStaticText::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == focusControl_) focusControl_ = nullptr;
}

// ---------------------------------------------------------------- buttons

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TButton::Click() {
    // The platform copies ModalResult even when it is mrNone; a handler that wants the
    // modal form to stay open sets the form's ModalResult back itself.
    if (TCustomForm* form = ParentForm()) form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

void TButton::UserClick() {
    if (!AcceptsOperator(this)) return;
    FocusByOperator(this);
    Click();
}

bool TButton::DialogKey(unsigned short key) {
    if (!((key == VK_RETURN && default_) || (key == VK_ESCAPE && cancel_))) return false;
    if (!AcceptsOperator(this)) return false;
    Click();
    return true;
}

void TButton::KeyDown(unsigned short& key, TShiftState shift) {
    TButtonControl::KeyDown(key, shift);
    // The focused button is the one Enter presses, whichever button is the default.
    if (key == VK_RETURN || key == VK_SPACE) {
        key = 0;
        Click();
    }
}

void TCheckBox::SetState(TCheckBoxState state) {
    if (state == state_) return;
    state_ = state;
    // Code that sets Checked gets the same OnClick as the operator's click: handlers that
    // enable dependent controls run either way.
    if (!clicksDisabled_ && !IsLoading(this)) Click();
}

void TCheckBox::Toggle() {
    switch (state_) {
    case TCheckBoxState::cbUnchecked:
        SetState(allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
        break;
    case TCheckBoxState::cbChecked: SetState(TCheckBoxState::cbUnchecked); break;
    case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbChecked); break;
    }
}

void TCheckBox::UserClick() {
    if (!AcceptsOperator(this)) return;
    FocusByOperator(this);
    Toggle();
}

void TCheckBox::KeyDown(unsigned short& key, TShiftState shift) {
    TButtonControl::KeyDown(key, shift);
    if (key == VK_SPACE) {
        key = 0;
        Toggle();
    }
}

void TCheckBox::ApplyAction(TBasicAction* action) {
    TButtonControl::ApplyAction(action);
    if (auto* a = dynamic_cast<TAction*>(action)) WithFlag(clicksDisabled_, [&] { SetChecked(a->Checked()); });
}

void TRadioButton::SetChecked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    if (!v) return;  // unchecking is a consequence, never an event of its own
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (TControl* c = parent->Controls(i); c != this && c->Is<TRadioButton>())
                static_cast<TRadioButton*>(c)->SetChecked(false);
    if (!clicksDisabled_ && !IsLoading(this)) Click();
}

void TRadioButton::UserClick() {
    if (!AcceptsOperator(this)) return;
    FocusByOperator(this);
    SetChecked(true);
}

void TRadioButton::KeyDown(unsigned short& key, TShiftState shift) {
    TButtonControl::KeyDown(key, shift);
    if (key == VK_SPACE) {
        key = 0;
        SetChecked(true);
    }
}

// ---------------------------------------------------------------- TCustomEdit

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomEdit::Change() {
    if (!IsLoading(this) && OnChange) OnChange(this);
}

void TCustomEdit::TextChanged() {
    // Code that sets Text raises OnChange as typing does; handlers that recompute
    // something from the text see both.
    Change();
}

void TCustomEdit::ReplaceTextByOperator(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    modified_ = true;
    Perform(CM_TEXTCHANGED);
}

bool TCustomEdit::IsValidChar(const std::string&) const { return true; }

void TCustomEdit::WndProc(TMessage& m) {
    // Text set from code is no edit of the operator's; handlers of the change see that.
    if (m.Msg == WM_SETTEXT) modified_ = false;
    TWinControl::WndProc(m);
}

void TCustomEdit::KeyPress(char& key) {
    TWinControl::KeyPress(key);
    if (key == 0) return;
    if (key == '\b') {
        pendingBytes_.clear();
        if (!readOnly_) ReplaceTextByOperator(DropLastChar(text_));
        return;
    }
    if (static_cast<unsigned char>(key) < 0x20) return;  // Enter, Escape, Tab are no text here
    std::string ch;
    if (!CollectTyped(pendingBytes_, key, ch) || readOnly_) return;
    if (maxLength_ > 0 && rtl::Utf8Length(text_) >= static_cast<std::size_t>(maxLength_)) return;
    ch = ApplyCharCase(ch, charCase_);
    if (!IsValidChar(ch)) return;
    ReplaceTextByOperator(text_ + ch);
}

void TCustomEdit::UserClick() {
    if (!AcceptsOperator(this)) return;
    FocusByOperator(this);
    Click();
}

void TCustomEdit::UserType(const std::string& text) {
    if (!AcceptsOperator(this)) return;
    FocusByOperator(this);
    TWinControl::UserType(text);
}

// ---------------------------------------------------------------- TMemo

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<rtl::TStringList>()) {
    lines_->OnChange = rtl::TNotifyEvent(this, &TMemo::LinesChanged);
}

TMemo::~TMemo() { lines_->OnChange = nullptr; }

void TMemo::LinesChanged(TObject*) {
    if (syncing_) return;
    std::string text = lines_->Text();
    if (text == text_) return;
    text_ = std::move(text);
    // Changing Lines is a change of the text: OnChange, once per change of the list.
    WithFlag(syncing_, [&] { Perform(CM_TEXTCHANGED); });
}

void TMemo::TextChanged() {
    if (!syncing_) WithFlag(syncing_, [&] { lines_->SetText(text_); });
    TCustomEdit::TextChanged();
}

void TMemo::KeyDown(unsigned short& key, TShiftState shift) {
    TCustomEdit::KeyDown(key, shift);
    if (key == VK_RETURN && wantReturns_) {
        key = 0;  // taken: the form's default button does not see it
        if (!ReadOnly()) ReplaceTextByOperator(text_ + "\r\n");
    } else if (key == VK_TAB && wantTabs_) {
        key = 0;
        if (!ReadOnly()) ReplaceTextByOperator(text_ + "\t");
    }
}

// ---------------------------------------------------------------- TControlItems

TControlItems::TControlItems(TControl* control, UINT addMessage, UINT insertMessage)
    : control_(control), addMessage_(addMessage), insertMessage_(insertMessage) {}

int TControlItems::InsertItem(int index, std::string s, TObject* object, bool add) {
    pendingObject_ = object;
    storedIndex_ = -1;
    std::string text = std::move(s);
    try {
        control_->Perform(add ? addMessage_ : insertMessage_, add ? 0 : static_cast<WPARAM>(index),
                          reinterpret_cast<LPARAM>(&text));
    } catch (...) {
        pendingObject_ = nullptr;
        throw;
    }
    if (storedIndex_ < 0 && pendingObject_ && OwnsObjects()) delete pendingObject_;  // swallowed: not leaked
    pendingObject_ = nullptr;
    return storedIndex_;
}

int TControlItems::Store(int index, std::string s) {
    if (index < 0 || index > Count()) index = Count();
    TObject* object = pendingObject_;
    pendingObject_ = nullptr;
    storedIndex_ = rtl::TStringList::InsertItem(index, std::move(s), object, false);
    return storedIndex_;
}

// Where an added entry goes in a sorted control: after the entries that sort before or
// equal to it.
static int SortedPlace(const rtl::TStringList& items, const std::string& s) {
    int lo = 0, hi = items.Count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (items.CompareStrings(items.Strings(mid), s) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// ---------------------------------------------------------------- TCustomListBox

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TControlItems>(this, LB_ADDSTRING, LB_INSERTSTRING)) {
    SetTabStop(true);
    SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::WndProc(TMessage& m) {
    if (m.Msg == LB_ADDSTRING || m.Msg == LB_INSERTSTRING) {
        std::string& s = *reinterpret_cast<std::string*>(m.LParam);
        int index = items_->Count();
        if (m.Msg == LB_INSERTSTRING)
            index = static_cast<int>(static_cast<std::intptr_t>(m.WParam));
        else if (sorted_ || items_->Sorted())
            index = SortedPlace(*items_, s);
        m.Result = items_->Store(index, s);
        return;
    }
    TWinControl::WndProc(m);
}

void TCustomListBox::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) RaiseIndexError(index);
}

int TCustomListBox::ItemIndex() const {
    const std::uintptr_t bit = multiSelect_ ? itemstate::Caret : itemstate::Selected;
    for (int i = 0; i < Count(); ++i)
        if (ItemBits(i) & bit) return i;
    return -1;
}

void TCustomListBox::SetItemIndex(int index) {
    if (index < 0 || index >= Count()) index = -1;
    for (int i = 0; i < Count(); ++i) {
        std::uintptr_t bits = ItemBits(i);
        if (multiSelect_) {
            // The focus moves and its item is selected; the rest of the selection stays.
            bits &= ~itemstate::Caret;
            if (i == index) bits |= itemstate::Caret | itemstate::Selected;
        } else {
            bits = i == index ? bits | itemstate::Selected : bits & ~itemstate::Selected;
        }
        SetItemBits(i, bits);
    }
}

void TCustomListBox::SetMultiSelect(bool v) {
    if (v == multiSelect_) return;
    const int current = ItemIndex();
    multiSelect_ = v;
    for (int i = 0; i < Count(); ++i) SetItemBits(i, ItemBits(i) & ~(itemstate::Selected | itemstate::Caret));
    SetItemIndex(current);
}

bool TCustomListBox::Selected(int index) const {
    CheckIndex(index);
    return (ItemBits(index) & itemstate::Selected) != 0;
}

void TCustomListBox::SetSelected(int index, bool selected) {
    CheckIndex(index);
    if (!multiSelect_) {
        if (selected)
            SetItemIndex(index);
        else if (ItemIndex() == index)
            SetItemIndex(-1);
        return;
    }
    const std::uintptr_t bits = ItemBits(index);
    SetItemBits(index, selected ? bits | itemstate::Selected : bits & ~itemstate::Selected);
}

int TCustomListBox::SelCount() const {
    int n = 0;
    for (int i = 0; i < Count(); ++i)
        if (ItemBits(i) & itemstate::Selected) ++n;
    return n;
}

void TCustomListBox::ClearSelection() {
    for (int i = 0; i < Count(); ++i) SetItemBits(i, ItemBits(i) & ~itemstate::Selected);
}

void TCustomListBox::SelectAll() {
    if (!multiSelect_) return;
    for (int i = 0; i < Count(); ++i) SetItemBits(i, ItemBits(i) | itemstate::Selected);
}

void TCustomListBox::SetSorted(bool v) {
    if (v == sorted_) return;
    sorted_ = v;
    if (v) items_->Sort();
}

void TCustomListBox::UserSelect(int index, TShiftState shift) {
    if (!AcceptsOperator(this)) return;
    CheckIndex(index);
    FocusByOperator(this);
    if (multiSelect_ && (shift & ssCtrl)) {
        for (int i = 0; i < Count(); ++i) SetItemBits(i, ItemBits(i) & ~itemstate::Caret);
        SetItemBits(index, (ItemBits(index) ^ itemstate::Selected) | itemstate::Caret);
    } else if (multiSelect_ && extendedSelect_ && (shift & ssShift) && ItemIndex() >= 0) {
        const int anchor = ItemIndex();
        const int lo = std::min(anchor, index), hi = std::max(anchor, index);
        for (int i = 0; i < Count(); ++i) {
            std::uintptr_t bits = ItemBits(i) & ~(itemstate::Caret | itemstate::Selected);
            if (i >= lo && i <= hi) bits |= itemstate::Selected;
            if (i == index) bits |= itemstate::Caret;
            SetItemBits(i, bits);
        }
    } else {
        ClearSelection();
        SetItemIndex(index);
    }
    // Each click of the operator is reported, even on the item that was selected.
    Click();
}

void TCustomListBox::UserDblClick(int index) {
    if (!AcceptsOperator(this)) return;
    UserSelect(index);
    DblClick();
}

void TCustomListBox::KeyDown(unsigned short& key, TShiftState shift) {
    TWinControl::KeyDown(key, shift);
    if (Count() == 0) return;
    const int current = ItemIndex();
    int next = current;
    switch (key) {
    case VK_UP: next = current <= 0 ? 0 : current - 1; break;
    case VK_DOWN: next = current < 0 ? 0 : std::min(current + 1, Count() - 1); break;
    case VK_HOME: next = 0; break;
    case VK_END: next = Count() - 1; break;
    default: return;
    }
    key = 0;
    if (next == current) return;  // at the end of the list the key changes nothing
    ClearSelection();
    SetItemIndex(next);
    Click();
}

// ---------------------------------------------------------------- TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TControlItems>(this, CB_ADDSTRING, CB_INSERTSTRING)) {
    SetTabStop(true);
    SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() = default;

void TCustomComboBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CB_ADDSTRING:
    case CB_INSERTSTRING: {
        std::string& s = *reinterpret_cast<std::string*>(m.LParam);
        int index = items_->Count();
        if (m.Msg == CB_INSERTSTRING)
            index = static_cast<int>(static_cast<std::intptr_t>(m.WParam));
        else if (sorted_ || items_->Sorted())
            index = SortedPlace(*items_, s);
        m.Result = items_->Store(index, s);
        return;
    }
    case WM_GETTEXT:
        if (style_ == TComboBoxStyle::csDropDownList) {
            const int index = ItemIndex();
            auto& out = *reinterpret_cast<std::string*>(m.LParam);
            out = index >= 0 ? items_->Strings(index) : std::string();
            m.Result = static_cast<LRESULT>(out.size());
            return;
        }
        break;
    case WM_SETTEXT:
        if (style_ == TComboBoxStyle::csDropDownList) {
            const int index = items_->IndexOf(*reinterpret_cast<const std::string*>(m.LParam));
            SelectOnly(index);
            m.Result = index >= 0 ? 1 : 0;
            return;
        }
        TWinControl::WndProc(m);
        SelectOnly(items_->IndexOf(text_));
        return;
    default: break;
    }
    TWinControl::WndProc(m);
}

void TCustomComboBox::SelectOnly(int index) {
    for (int i = 0; i < items_->Count(); ++i) {
        const std::uintptr_t bits = items_->ItemData(i);
        items_->SetItemData(i, i == index ? bits | itemstate::Selected : bits & ~itemstate::Selected);
    }
}

int TCustomComboBox::ItemIndex() const {
    for (int i = 0; i < items_->Count(); ++i)
        if (items_->ItemData(i) & itemstate::Selected) return i;
    return -1;
}

void TCustomComboBox::SetItemIndex(int index) {
    if (index < 0 || index >= items_->Count()) index = -1;
    SelectOnly(index);
    // The text follows the item without OnChange: the platform reports only the
    // operator's changes of a combo box.
    text_ = index >= 0 ? items_->Strings(index) : std::string();
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
    if (v == style_) return;
    if (style_ == TComboBoxStyle::csDropDownList) {
        const int index = ItemIndex();
        text_ = index >= 0 ? items_->Strings(index) : std::string();
    }
    style_ = v;
}

void TCustomComboBox::SetSorted(bool v) {
    if (v == sorted_) return;
    sorted_ = v;
    if (v) items_->Sort();
}

void TCustomComboBox::Clear() {
    items_->Clear();
    text_.clear();
}

void TCustomComboBox::Change() {
    if (!IsLoading(this) && OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
    if (!IsLoading(this) && OnSelect) OnSelect(this);
}

void TCustomComboBox::UserSelect(int index) {
    if (!AcceptsOperator(this)) return;
    if (index < 0 || index >= items_->Count()) RaiseIndexError(index);
    FocusByOperator(this);
    SetItemIndex(index);
    // The operator's pick: OnChange, then OnClick, then OnSelect, each time an item is
    // picked (picking the selected item again is still a pick).
    Change();
    Click();
    Select();
}

void TCustomComboBox::UserDropDown() {
    if (!AcceptsOperator(this) || droppedDown_) return;
    FocusByOperator(this);
    droppedDown_ = true;
    if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::UserCloseUp() {
    if (!droppedDown_) return;
    droppedDown_ = false;
    if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::UserClick() {
    if (!AcceptsOperator(this)) return;
    FocusByOperator(this);
    Click();
}

void TCustomComboBox::UserType(const std::string& text) {
    if (!AcceptsOperator(this)) return;
    FocusByOperator(this);
    TWinControl::UserType(text);
}

void TCustomComboBox::KeyPress(char& key) {
    TWinControl::KeyPress(key);
    if (key == 0) return;
    if (style_ == TComboBoxStyle::csDropDownList) {
        if (static_cast<unsigned char>(key) < 0x20) return;
        std::string ch;
        if (!CollectTyped(pendingBytes_, key, ch)) return;
        const int count = items_->Count(), current = ItemIndex();
        for (int step = 1; step <= count; ++step) {
            const int i = (current + step + count) % count;
            if (rtl::AnsiStartsText(ch, items_->Strings(i))) {
                if (i == current) return;
                SetItemIndex(i);
                Change();
                Click();
                Select();
                return;
            }
        }
        return;
    }
    std::string text = text_;
    if (key == '\b') {
        pendingBytes_.clear();
        text = DropLastChar(text);
    } else {
        if (static_cast<unsigned char>(key) < 0x20) return;
        std::string ch;
        if (!CollectTyped(pendingBytes_, key, ch)) return;
        if (maxLength_ > 0 && rtl::Utf8Length(text) >= static_cast<std::size_t>(maxLength_)) return;
        text += ch;
    }
    if (text == text_) return;
    text_ = std::move(text);
    SelectOnly(items_->IndexOf(text_));
    Perform(CM_TEXTCHANGED);
    Change();  // typing is the operator's change
}

}  // namespace vcl
