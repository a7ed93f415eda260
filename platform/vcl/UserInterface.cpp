#include "vcl/UserInterface.h"

#include "vcl/TerminalUI.h"

#include "rtl/Exceptions.h"
#include "rtl/Files.h"
#include "vcl/Forms.h"

namespace vcl {
namespace {

TUserInterface*& Installed() {
    static TUserInterface* ui = nullptr;
    return ui;
}

TUserInterface& Terminal() {
    static TTerminalUI& terminal = *new TTerminalUI;  // usable from any exit hook
    return terminal;
}

}  // namespace

TMsgIcon TMessageBoxInfo::Icon() const noexcept {
    switch (Flags & MB_ICONMASK) {
    case MB_ICONERROR: return TMsgIcon::Error;
    case MB_ICONQUESTION: return TMsgIcon::Question;
    case MB_ICONWARNING: return TMsgIcon::Warning;
    case MB_ICONINFORMATION: return TMsgIcon::Information;
    default: return TMsgIcon::None;
    }
}

int TMessageBoxInfo::DefaultResult() const noexcept {
    static constexpr int kButtons[][3] = {
        {IDOK, IDOK, IDOK},           {IDOK, IDCANCEL, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE},
        {IDYES, IDNO, IDCANCEL},      {IDYES, IDNO, IDNO},        {IDRETRY, IDCANCEL, IDCANCEL},
    };
    const UINT type = Buttons() <= MB_RETRYCANCEL ? Buttons() : MB_OK;
    const UINT def = (Flags & MB_DEFMASK) >> 8;
    return kButtons[type][def > 2 ? 0 : def];
}

void TUserInterface::RunModal(TCustomForm& form) {
    throw rtl::EInvalidOperation("The window \"" + form.Caption() + "\" (" + form.ClassName() +
                                 ") needs an operator and cannot be shown here");
}

TUserInterface& UI() { return Installed() ? *Installed() : Terminal(); }

TUserInterface* SetUserInterface(TUserInterface* ui) {
    TUserInterface* previous = Installed();
    Installed() = ui;
    return previous;
}

int MessageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags) {
    return UI().MessageBox(TMessageBoxInfo{owner, std::string(text), std::string(caption), flags});
}

void MessageBeep(UINT type) { UI().Beep(type); }

std::string ApplicationTitle() {
    const std::string name = rtl::ExtractFileName(rtl::HostExeName());
    return rtl::ChangeFileExt(name, "");
}

void ShowMessage(std::string_view text) { MessageBox(nullptr, text, ApplicationTitle(), MB_OK); }

}  // namespace vcl
