#include "vcl/Forms.h"

#include "vcl/Actions.h"
#include "vcl/Menus.h"
#include "vcl/UserInterface.h"
#include "vcl/WinApi.h"

#include <algorithm>

namespace vcl {

RTL_DEFINE_CLASS(TCustomForm, TWinControl)
RTL_DEFINE_CLASS(TForm, TCustomForm)
RTL_DEFINE_CLASS(TApplication, TComponent, rtl::Prop<TApplication>("Title", &TApplication::Title, &TApplication::SetTitle))

// ---------------------------------------------------------------- TCustomForm

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    visible_ = false;  // a form appears when it is shown
    Screen()->forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
    auto& forms = Screen()->forms_;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (Screen()->activeForm_ == this) Screen()->activeForm_ = nullptr;
    if (Application()->mainForm_ == this) Application()->mainForm_ = nullptr;
    auto& released = Application()->released_;
    released.erase(std::remove(released.begin(), released.end(), this), released.end());
}

void TCustomForm::Construct() {
    TWinControl::Construct();
    SetComponentState(csLoading, true);
    CreateFormComponents();
    SetComponentState(csLoading, false);
    for (int i = 0; i < ComponentCount(); ++i) Components(i)->Loaded();  // NOLINT
    if (oldCreateOrder_) DoCreate();
}

void TCustomForm::AfterConstruction() {
    TWinControl::AfterConstruction();
    if (!oldCreateOrder_) DoCreate();
}

void TCustomForm::BeforeDestruction() {
    TWinControl::BeforeDestruction();
    if (visible_) SetVisible(false);
    DoDestroy();
}

void TCustomForm::DoCreate() {
    if (created_) return;
    created_ = true;
    if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    if (OnDestroy) OnDestroy(this);
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TCustomForm::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (visible) {
        DoShow();
        ShowWindowHandle(Handle(), true);
        Activate();
    } else {
        DoHide();
        if (HandleAllocated()) ShowWindowHandle(Handle(), false);
        if (active_) {
            Deactivate();
            // The most recently shown other form takes over, as the window manager would.
            for (auto it = Screen()->forms_.rbegin(); it != Screen()->forms_.rend(); ++it)
                if (*it != this && (*it)->Visible()) {
                    (*it)->Activate();
                    break;
                }
        }
    }
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

void TCustomForm::Activate() {
    if (active_) return;
    TCustomForm* previous = Screen()->activeForm_;
    if (previous && previous != this) previous->Deactivate();
    active_ = true;
    Screen()->activeForm_ = this;
    SetActiveWindow(Handle());
    if (!activeControl_) {
        // The first control in tab order that can take the focus.
        std::vector<TWinControl*> candidates;
        std::function<void(TWinControl*)> collect = [&](TWinControl* parent) {
            std::vector<TControl*> children;
            for (int i = 0; i < parent->ControlCount(); ++i) children.push_back(parent->Controls(i));
            std::stable_sort(children.begin(), children.end(), [](TControl* a, TControl* b) {
                auto order = [](TControl* c) { return c->Is<TWinControl>() ? static_cast<TWinControl*>(c)->TabOrder() : 0; };
                return order(a) < order(b);
            });
            for (TControl* c : children) {
                if (!c->Is<TWinControl>()) continue;
                auto* w = static_cast<TWinControl*>(c);
                if (w->TabStop() && w->CanFocus()) candidates.push_back(w);
                collect(w);
            }
        };
        collect(this);
        if (!candidates.empty()) SetActiveControl(candidates.front());
    }
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (!active_) return;
    active_ = false;
    if (Screen()->activeForm_ == this) Screen()->activeForm_ = nullptr;
    if (HandleAllocated() && GetActiveWindow() == Handle()) SetActiveWindow(nullptr);
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == activeControl_) return;
    if (control && !ContainsControl(control))
        throw rtl::EInvalidOperation("The control " + control->Name() + " is not on the form " + Name());
    TWinControl* old = activeControl_;
    activeControl_ = control;
    if (old) old->DoExit();
    if (control) control->DoEnter();
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == activeControl_) activeControl_ = nullptr;
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = TCloseAction::caHide;
    DoClose(action);
    switch (action) {
    case TCloseAction::caNone: return;
    case TCloseAction::caHide: Hide(); break;
    case TCloseAction::caMinimize: windowState_ = TWindowState::wsMinimized; break;
    case TCloseAction::caFree: Release(); break;
    }
    if (Application()->MainForm() == this) Application()->Terminate();
}

void TCustomForm::CloseModal() {
    TCloseAction action = TCloseAction::caNone;
    if (CloseQuery()) {
        action = TCloseAction::caHide;
        DoClose(action);
    }
    if (action == TCloseAction::caNone) modalResult_ = mrNone;
    else if (action == TCloseAction::caFree) Release();
}

int TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || modal_) throw rtl::EInvalidOperation("Cannot make a visible window modal");
    modal_ = true;
    modalResult_ = mrNone;
    try {
        Show();
        do {
            UI().RunModal(*this);
            CloseModal();
        } while (modalResult_ == mrNone);
    } catch (...) {
        modal_ = false;
        if (Visible()) Hide();
        throw;
    }
    modal_ = false;
    if (Visible()) Hide();
    return modalResult_;
}

void TCustomForm::Release() { Application()->ReleaseForm(this); }

bool TCustomForm::IsShortCut(unsigned short key, TShiftState shift) {
    const TShortCut s = ShortCut(key, shift);
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* list = dynamic_cast<TActionList*>(Components(i)); list && list->IsShortCut(s)) return true;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* menu = dynamic_cast<TPopupMenu*>(Components(i)); menu && menu->IsShortCut(s)) return true;
    return false;
}

void TCustomForm::UpdateActions() {
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* list = dynamic_cast<TActionList*>(Components(i))) list->UpdateActions();
}

// ---------------------------------------------------------------- TApplication

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() {
    if (handle_) DestroyWindowHandle(handle_);
}

void TApplication::SetMainForm(TCustomForm* form) {
    if (mainForm_) mainForm_->RemoveFreeNotification(this);
    mainForm_ = form;
    if (form) form->FreeNotification(this);
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == mainForm_) mainForm_ = nullptr;
}

HWND TApplication::Handle() {
    if (!handle_) handle_ = CreateWindowHandle([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    return handle_;
}

HWND TApplication::MainFormHandle() { return mainForm_ ? mainForm_->Handle() : Handle(); }

void TApplication::ReleaseForm(TCustomForm* form) {
    if (std::find(released_.begin(), released_.end(), form) == released_.end()) released_.push_back(form);
}

void TApplication::ProcessMessages() {
    ProcessPostedMessages();
    while (!released_.empty()) {
        TCustomForm* form = released_.front();
        released_.erase(released_.begin());
        TObject::Free(form);
    }
}

void TApplication::Idle() {
    bool done = true;
    if (OnIdle) OnIdle(this, done);
    const std::vector<TCustomForm*> forms = Screen()->forms_;
    for (TCustomForm* f : forms)
        if (f->Showing()) f->UpdateActions();
}

void TApplication::ShowException(const std::exception& e) {
    std::string text = e.what();
    if (!text.empty() && text.back() != '.' && static_cast<unsigned char>(text.back()) > '.') text += '.';
    vcl::MessageBox(MainFormHandle(), text, title_.empty() ? ApplicationTitle() : title_, MB_OK | MB_ICONERROR);
}

void TApplication::HandleException(const std::exception& e) {
    if (dynamic_cast<const rtl::EAbort*>(&e)) return;
    if (OnException) OnException(this, e);
    else ShowException(e);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    return vcl::MessageBox(MainFormHandle(), text, caption, flags);
}

// ---------------------------------------------------------------- process-wide objects

TWinControl* TScreen::ActiveControl() const { return activeForm_ ? activeForm_->ActiveControl() : nullptr; }

TApplication* Application() {
    static TApplication* app = Create<TApplication>(nullptr);  // lives as long as the process
    return app;
}

TScreen* Screen() {
    static TScreen* screen = new TScreen;  // lives as long as the process
    return screen;
}

}  // namespace vcl
