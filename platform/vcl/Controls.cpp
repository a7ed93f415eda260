#include "vcl/Controls.h"

#include "vcl/Actions.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"
#include "vcl/WinApi.h"

#include <algorithm>

namespace vcl {

RTL_DEFINE_CLASS(TControl, TComponent, rtl::Prop<TControl>("Caption", &TControl::Caption, &TControl::SetCaption),
                 rtl::Prop<TControl>("Text", &TControl::Text, &TControl::SetText),
                 rtl::Prop<TControl>("Hint", &TControl::Hint, &TControl::SetHint),
                 rtl::Prop<TControl>("Visible", &TControl::Visible, &TControl::SetVisible),
                 rtl::Prop<TControl>("Enabled", &TControl::Enabled, &TControl::SetEnabled),
                 rtl::Prop<TControl>("Left", &TControl::Left, &TControl::SetLeft),
                 rtl::Prop<TControl>("Top", &TControl::Top, &TControl::SetTop),
                 rtl::Prop<TControl>("Width", &TControl::Width, &TControl::SetWidth),
                 rtl::Prop<TControl>("Height", &TControl::Height, &TControl::SetHeight),
                 rtl::Prop<TControl>("Color", &TControl::Color, &TControl::SetColor))
RTL_DEFINE_CLASS(TWinControl, TControl, rtl::Prop<TWinControl>("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder))
RTL_DEFINE_CLASS(TGraphicControl, TControl)
RTL_DEFINE_CLASS(TCustomControl, TWinControl)

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* owner) : TComponent(owner) { WindowProc = TWndMethod(this, &TControl::WndProc); }

TControl::~TControl() {
    SetAction(nullptr);
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == this) throw EComponentError("A control cannot have itself as its parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

TCustomForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    return c->Is<TCustomForm>() ? const_cast<TCustomForm*>(static_cast<const TCustomForm*>(c)) : nullptr;
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    const TCustomForm* form = ParentForm();
    return form != nullptr;  // a control outside any form is never on screen
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Perform(CM_ENABLEDCHANGED);
}

std::string TControl::Text() const {
    std::string text;
    const_cast<TControl*>(this)->Perform(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&text));
    return text;
}

void TControl::SetText(const std::string& text) {
    if (text == Text()) return;
    std::string value = text;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&value));
}

void TControl::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = std::max(0, width);
    height_ = std::max(0, height);
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->AlignControls();
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
    popupMenu_ = menu;
    if (menu) menu->FreeNotification(this);
}

void TControl::SetAction(TBasicAction* action) {
    if (RelinkAction(*this, *this, action_, action) && action) ApplyAction(action);
}

void TControl::ActionChanged(TBasicAction* action) {
    if (action == action_) ApplyAction(action);
}

void TControl::ActionFreed(TBasicAction* action) {
    if (action == action_) action_ = nullptr;
}

void TControl::ApplyAction(TBasicAction* action) {
    if (auto* a = dynamic_cast<TAction*>(action)) {
        SetCaption(a->Caption());
        SetHint(a->Hint());
        SetEnabled(a->Enabled());
        SetVisible(a->Visible());
    }
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == popupMenu_) popupMenu_ = nullptr;
    if (component == action_) action_ = nullptr;
}

void TControl::Click() {
    if (OnClick && (!action_ || !(OnClick == action_->OnExecute))) {
        OnClick(this);
    } else if (action_) {
        action_->Execute();
    } else if (OnClick) {
        OnClick(this);
    }
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::UserClick() {
    if (Showing() && enabled_) Click();
}

bool TControl::UserWheel(int wheelDelta, TShiftState shift) {
    if (!Showing()) return false;
    for (TControl* c = this; c; c = c->parent_)
        if (c->DoMouseWheel(shift, wheelDelta, TPoint{}) ) return true;
    return false;
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint pos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, pos, handled);
    if (!handled) {
        if (wheelDelta < 0 && OnMouseWheelDown) OnMouseWheelDown(this, shift, wheelDelta, pos, handled);
        else if (wheelDelta > 0 && OnMouseWheelUp) OnMouseWheelUp(this, shift, wheelDelta, pos, handled);
    }
    return handled;
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    if (WindowProc) WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_GETTEXT:
        *reinterpret_cast<std::string*>(m.LParam) = text_;
        m.Result = static_cast<LRESULT>(text_.size());
        break;
    case WM_SETTEXT: {
        const auto& value = *reinterpret_cast<const std::string*>(m.LParam);
        if (value != text_) {
            text_ = value;
            Perform(CM_TEXTCHANGED);
        }
        m.Result = 1;
        break;
    }
    case CM_TEXTCHANGED: TextChanged(); break;
    case CM_VISIBLECHANGED: VisibleChanged(); break;
    case CM_ENABLEDCHANGED: EnabledChanged(); break;
    default: break;
    }
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Children that belong to other owners are only taken off this parent.
    while (!controls_.empty()) controls_.back()->SetParent(nullptr);
    if (handle_) DestroyWindowHandle(handle_);
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount()) throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return controls_[static_cast<std::size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->parent_)
        if (c == this) return true;
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    control->parent_ = this;
    if (control->Align() != TAlign::alNone) AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
    if (TCustomForm* form = ParentForm(); form && form->activeControl_ &&
                                          (form->activeControl_ == control || (control->Is<TWinControl>() &&
                                           static_cast<TWinControl*>(control)->ContainsControl(form->activeControl_))))
        form->activeControl_ = nullptr;
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    control->parent_ = nullptr;
    AlignControls();
}

HWND TWinControl::Handle() {
    if (!handle_) {
        handle_ = CreateWindowHandle([this](HWND, UINT msg, WPARAM w, LPARAM l) { return Perform(msg, w, l); });
        ShowWindowHandle(handle_, Showing());
    }
    return handle_;
}

bool TWinControl::CanFocus() const {
    const TCustomForm* form = ParentForm();
    if (!form) return false;
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    TCustomForm* form = ParentForm();
    if (!form || !CanFocus()) throw rtl::EInvalidOperation("Cannot focus a disabled or invisible window");
    form->SetActiveControl(this);
}

bool TWinControl::Focused() const {
    const TCustomForm* form = ParentForm();
    return form && form->ActiveControl() == this && form->Active();
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::KeyDown(unsigned short& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::UserKey(unsigned short key, TShiftState shift, char ch) {
    if (!Showing() || !Enabled()) return;
    TCustomForm* form = ParentForm();
    if (form && form->IsShortCut(key, shift)) return;
    if (form && form != this && form->KeyPreview()) {
        form->TWinControl::KeyDown(key, shift);
        if (key == 0) return;
    }
    KeyDown(key, shift);
    if (key == 0) return;
    if (ch == 0 && key == VK_RETURN) ch = '\r';
    if (ch == 0 && key == VK_ESCAPE) ch = 27;
    if (ch == 0 && key == VK_BACK) ch = '\b';  // Backspace arrives as a character too, so editors see it in KeyPress
    if (ch != 0) {
        if (form && form != this && form->KeyPreview()) {
            form->TWinControl::KeyPress(ch);
            if (ch == 0) return;
        }
        KeyPress(ch);
    }
    // Keys nobody took are dialog keys: Enter and Escape press the form's default and
    // cancel buttons.
    if (form && (key == VK_RETURN || key == VK_ESCAPE)) form->DialogKey(key);
}

bool TControl::DialogKey(unsigned short) { return false; }

bool TWinControl::DialogKey(unsigned short key) {
    for (TControl* c : std::vector<TControl*>(controls_))
        if (c->Visible() && c->Enabled() && c->DialogKey(key)) return true;
    return false;
}

// The virtual key a typed character comes with. Letters and digits carry their own key;
// every other printable character carries a key with no meaning of its own, so typing
// "(" or "&" is not mistaken for the arrow keys that share their codes.
static unsigned short KeyOfChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<unsigned short>(u - 'a' + 'A');
    if ((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')) return u;
    switch (u) {
    case ' ': return VK_SPACE;
    case '\r':
    case '\n': return VK_RETURN;
    case '\b': return VK_BACK;
    case '\t': return VK_TAB;
    case 27: return VK_ESCAPE;
    default: return 0xDF;
    }
}

void TWinControl::UserType(const std::string& text) {
    for (char c : text) UserKey(KeyOfChar(c), 0, c);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    const bool resized = width != Width() || height != Height();
    TControl::SetBounds(left, top, width, height);
    if (resized) {
        AlignControls();
        if (OnResize) OnResize(this);
    }
}

void TWinControl::AlignControls() {
    TRect area{0, 0, Width(), Height()};
    auto place = [&](TAlign which) {
        for (TControl* c : controls_) {
            if (c->Align() != which || !c->Visible()) continue;
            switch (which) {
            case TAlign::alTop:
                c->SetBounds(area.Left, area.Top, area.Width(), c->Height());
                area.Top += c->Height();
                break;
            case TAlign::alBottom:
                c->SetBounds(area.Left, area.Bottom - c->Height(), area.Width(), c->Height());
                area.Bottom -= c->Height();
                break;
            case TAlign::alLeft:
                c->SetBounds(area.Left, area.Top, c->Width(), area.Height());
                area.Left += c->Width();
                break;
            case TAlign::alRight:
                c->SetBounds(area.Right - c->Width(), area.Top, c->Width(), area.Height());
                area.Right -= c->Width();
                break;
            case TAlign::alClient: c->SetBounds(area.Left, area.Top, area.Width(), area.Height()); break;
            default: break;
            }
        }
    };
    for (TAlign a : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) place(a);
}

}  // namespace vcl
