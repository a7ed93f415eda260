// TControl and TWinControl, headless. Controls keep their state (parent, bounds, align,
// visibility, enabled, text, hint, colours, font, focus) and raise their events through
// the same paths an operator's input takes: the User… operations stand for the operator
// (a click, a key press, a wheel turn) and run exactly what the platform runs for them.
//
// Event rules kept from the platform:
//  - a click (UserClick, or Click() from code) raises OnClick, or executes the linked
//    action when OnClick is not set or is the action's own handler;
//  - setting Text/Caption from code raises the control's change notification
//    (TextChanged; an edit's OnChange) exactly as typing does;
//  - a disabled or hidden control ignores the operator (User… do nothing), but code may
//    still call Click().
#pragma once

#include "vcl/Component.h"
#include "vcl/Graphics.h"
#include "vcl/Messages.h"
#include "vcl/WinTypes.h"

#include <string>
#include <vector>

namespace vcl {

class TWinControl;
class TCustomForm;
class TPopupMenu;
class TBasicAction;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

using TShiftState = unsigned;
inline constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4;

using TKeyEvent = rtl::TMethod<void(TObject* sender, unsigned short& key, TShiftState shift)>;
using TKeyPressEvent = rtl::TMethod<void(TObject* sender, char& key)>;
using TMouseWheelEvent =
    rtl::TMethod<void(TObject* sender, TShiftState shift, int wheelDelta, TPoint mousePos, bool& handled)>;
using TWndMethod = rtl::TMethod<void(TMessage& message)>;

// Something that follows an action's state (caption, enabled, visible, hint, checked,
// image index): controls and menu items.
class IActionClient {
public:
    virtual void ActionChanged(TBasicAction* action) = 0;
    virtual void ActionFreed(TBasicAction* action) = 0;

protected:
    ~IActionClient() = default;
};

class TControl : public TComponent, public IActionClient {
    RTL_DECLARE_CLASS(TControl)
public:
    explicit TControl(TComponent* owner);

    TWinControl* Parent() const noexcept { return parent_; }
    virtual void SetParent(TWinControl* parent);
    // The form the control sits on (itself for a form), or nullptr.
    TCustomForm* ParentForm() const;

    bool Visible() const noexcept { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to the form visible as well.
    bool Showing() const;
    bool Enabled() const noexcept { return enabled_; }
    virtual void SetEnabled(bool enabled);

    // Caption and Text are one value, read and written through WM_GETTEXT/WM_SETTEXT, so
    // a replaced window procedure sees (and may change) every text set.
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& text) { SetText(text); }
    std::string Text() const;
    void SetText(const std::string& text);

    const std::string& Hint() const noexcept { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const noexcept { return showHint_; }
    void SetShowHint(bool v) noexcept { showHint_ = v; }

    int Left() const noexcept { return left_; }
    int Top() const noexcept { return top_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const noexcept { return {left_, top_, left_ + width_, top_ + height_}; }
    TAlign Align() const noexcept { return align_; }
    void SetAlign(TAlign align);

    TColor Color() const noexcept { return color_; }
    void SetColor(TColor color) noexcept { color_ = color; }
    TFont* Font() noexcept { return &font_; }
    TPopupMenu* PopupMenu() const noexcept { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);

    TBasicAction* Action() const noexcept { return action_; }
    void SetAction(TBasicAction* action);

    // Runs the click: OnClick, or the linked action.
    virtual void Click();
    virtual void DblClick();
    // The operator clicks the control (ignored when it is not showing or not enabled).
    virtual void UserClick();
    // Enter or Escape that no focused control took; true when this control (a default
    // or cancel button) acted on it.
    virtual bool DialogKey(unsigned short key);
    // The operator turns the mouse wheel over the control; true when it was handled.
    bool UserWheel(int wheelDelta, TShiftState shift = 0);

    // Sends a message through the control's window procedure.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    TWndMethod WindowProc;  // the control's WndProc unless replaced

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelEvent OnMouseWheelDown;
    TMouseWheelEvent OnMouseWheelUp;

    void ActionChanged(TBasicAction* action) override;
    void ActionFreed(TBasicAction* action) override;

protected:
    ~TControl() override;
    virtual void WndProc(TMessage& message);
    // After the text changed (CM_TEXTCHANGED).
    virtual void TextChanged() {}
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    // Wheel handling: OnMouseWheel first, then OnMouseWheelDown/Up; false goes on to the
    // parent.
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint pos);
    // Copies the linked action's state into the control.
    virtual void ApplyAction(TBasicAction* action);
    void Notification(TComponent* component, TOperation operation) override;

    std::string text_;

private:
    friend class TWinControl;
    friend class TCustomForm;
    TWinControl* parent_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    bool showHint_ = false;
    std::string hint_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = TAlign::alNone;
    TColor color_ = clBtnFace;
    TFont font_;
    TPopupMenu* popupMenu_ = nullptr;
    TBasicAction* action_ = nullptr;
};

class TWinControl : public TControl {
    RTL_DECLARE_CLASS(TWinControl)
public:
    explicit TWinControl(TComponent* owner);

    int ControlCount() const noexcept { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(const TControl* control) const;

    // The window handle, made on first use; its window procedure is Perform.
    HWND Handle();
    bool HandleAllocated() const noexcept { return handle_ != nullptr; }

    int TabOrder() const noexcept { return tabOrder_; }
    void SetTabOrder(int v) noexcept { tabOrder_ = v; }
    bool TabStop() const noexcept { return tabStop_; }
    void SetTabStop(bool v) noexcept { tabStop_ = v; }
    bool CanFocus() const;
    // Makes the control the form's active control (raises when it cannot take focus).
    virtual void SetFocus();
    bool Focused() const;

    // The operator presses a key while the control has the focus: the form's shortcuts
    // first, then the form's OnKeyDown when it previews keys, then the control's own
    // handling; a character key then goes through OnKeyPress.
    void UserKey(unsigned short key, TShiftState shift = 0, char ch = 0);
    // The operator types text into the control, one character after the other.
    virtual void UserType(const std::string& text);
    // Offers the dialog key to the children.
    bool DialogKey(unsigned short key) override;
    // Resizing lays out the aligned children again and raises OnResize.
    void SetBounds(int left, int top, int width, int height) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnResize;

protected:
    ~TWinControl() override;
    friend class TCustomForm;
    // Key handling; a key set to 0 is consumed.
    virtual void KeyDown(unsigned short& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();
    // Lays out the aligned children inside the client area.
    void AlignControls();

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    std::vector<TControl*> controls_;
    HWND handle_ = nullptr;
    int tabOrder_ = 0;
    bool tabStop_ = false;
};

// A control with no window of its own (labels, bevels, speed buttons).
class TGraphicControl : public TControl {
    RTL_DECLARE_CLASS(TGraphicControl)
public:
    using TControl::TControl;
};

// A windowed control with a client area for children (panels, group boxes).
class TCustomControl : public TWinControl {
    RTL_DECLARE_CLASS(TCustomControl)
public:
    using TWinControl::TWinControl;
};

}  // namespace vcl
