// Forms, the application object and the screen, headless.
//
// The order of a form's life, as the platform keeps it:
//  - creation (vcl::Create): the form's components are built (CreateFormComponents, the
//    "form resource"), then OnCreate — inside Construct when OldCreateOrder is set, in
//    AfterConstruction otherwise;
//  - Show: OnShow, then the form becomes visible and active (OnActivate);
//  - Close: OnCloseQuery may refuse; OnClose chooses what happens (hide by default, or
//    free, minimise, nothing); closing the main form ends the application;
//  - ShowModal: the form is shown and handed to the user interface, which plays the
//    operator until ModalResult is set; closing then runs as for Close;
//  - freeing (Free or Release): OnDestroy runs first, then the components go.
#pragma once

#include "vcl/Controls.h"

#include <functional>
#include <string>
#include <vector>

namespace vcl {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter, poOwnerFormCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

using TModalResult = int;
inline constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                              mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11;

using TCloseEvent = rtl::TMethod<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = rtl::TMethod<void(TObject* sender, bool& canClose)>;

class TCustomForm : public TWinControl {
    RTL_DECLARE_CLASS(TCustomForm)
public:
    explicit TCustomForm(TComponent* owner);

    void Construct() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    void SetVisible(bool visible) override;
    int ShowModal();
    // Asks OnCloseQuery, then OnClose decides: hide, free (Release), minimise or stay.
    void Close();
    bool CloseQuery();
    // Frees the form once the application processes its messages.
    void Release();
    bool Modal() const noexcept { return modal_; }

    TWinControl* ActiveControl() const noexcept { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    TModalResult ModalResult() const noexcept { return modalResult_; }
    void SetModalResult(TModalResult v) noexcept { modalResult_ = v; }
    bool KeyPreview() const noexcept { return keyPreview_; }
    void SetKeyPreview(bool v) noexcept { keyPreview_ = v; }
    bool OldCreateOrder() const noexcept { return oldCreateOrder_; }
    void SetOldCreateOrder(bool v) noexcept { oldCreateOrder_ = v; }
    TPosition Position() const noexcept { return position_; }
    void SetPosition(TPosition v) noexcept { position_ = v; }
    TWindowState WindowState() const noexcept { return windowState_; }
    void SetWindowState(TWindowState v) noexcept { windowState_ = v; }
    bool Active() const noexcept { return active_; }
    HICON Icon() const noexcept { return icon_; }
    void SetIcon(HICON icon) noexcept { icon_ = icon; }

    // The form's shortcuts: its action lists, then its popup menus.
    virtual bool IsShortCut(unsigned short key, TShiftState shift);
    // OnUpdate of the actions of the form's action lists (called when the application
    // is idle and the form is showing).
    void UpdateActions();
    // Makes this the active form (OnDeactivate of the previous one, then OnActivate).
    void Activate();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    ~TCustomForm() override;
    // The form resource: builds the form's components. Overrides call the inherited one
    // first, as an inherited form resource adds to its parent's.
    virtual void CreateFormComponents() {}
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TApplication;
    friend class TWinControl;
    void CloseModal();
    void Deactivate();

    TWinControl* activeControl_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool keyPreview_ = false;
    bool oldCreateOrder_ = false;
    bool modal_ = false;
    bool active_ = false;
    bool created_ = false;
    bool destroyed_ = false;
    TPosition position_ = TPosition::poDesigned;
    TWindowState windowState_ = TWindowState::wsNormal;
    HICON icon_ = nullptr;
};

class TForm : public TCustomForm {
    RTL_DECLARE_CLASS(TForm)
public:
    using TCustomForm::TCustomForm;
};

using TIdleEvent = rtl::TMethod<void(TObject* sender, bool& done)>;
using TExceptionEvent = rtl::TMethod<void(TObject* sender, const std::exception& e)>;

// The process's application object: main form, title, posted messages, idle work and
// the display of unhandled errors.
class TApplication : public TComponent {
    RTL_DECLARE_CLASS(TApplication)
public:
    explicit TApplication(TComponent* owner);

    const std::string& Title() const noexcept { return title_; }
    void SetTitle(const std::string& v) { title_ = v; }
    TCustomForm* MainForm() const noexcept { return mainForm_; }
    void SetMainForm(TCustomForm* form);
    // The main form's window, or the application's own hidden window when there is none.
    HWND MainFormHandle();
    HWND Handle();
    bool Terminated() const noexcept { return terminated_; }
    void Terminate() noexcept { terminated_ = true; }

    // Delivers posted messages and frees released forms.
    void ProcessMessages();
    // The idle step: OnIdle, then the actions of every showing form are updated.
    void Idle();
    // Shows the error as the platform does (error box under the title); a silent abort
    // (rtl::EAbort) shows nothing.
    void HandleException(const std::exception& e);
    void ShowException(const std::exception& e);
    // A message box owned by the main form.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    TIdleEvent OnIdle;
    TExceptionEvent OnException;

private:
    friend class TCustomForm;
    void ReleaseForm(TCustomForm* form);

    std::string title_;
    TCustomForm* mainForm_ = nullptr;
    HWND handle_ = nullptr;
    bool terminated_ = false;
    std::vector<TCustomForm*> released_;

protected:
    ~TApplication() override;
    void Notification(TComponent* component, TOperation operation) override;
};

// The screen: the forms that exist, the active one, and the work area.
class TScreen {
public:
    int FormCount() const noexcept { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const { return forms_.at(static_cast<std::size_t>(index)); }
    TCustomForm* ActiveForm() const noexcept { return activeForm_; }
    TWinControl* ActiveControl() const;
    TRect WorkAreaRect() const noexcept { return workArea_; }
    void SetWorkAreaRect(const TRect& r) noexcept { workArea_ = r; }
    int Width() const noexcept { return workArea_.Right; }
    int Height() const noexcept { return workArea_.Bottom; }

private:
    friend class TCustomForm;
    friend class TApplication;
    std::vector<TCustomForm*> forms_;
    TCustomForm* activeForm_ = nullptr;
    TRect workArea_{0, 0, 1920, 1040};
};

TApplication* Application();
TScreen* Screen();

}  // namespace vcl
