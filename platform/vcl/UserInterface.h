// The user-interface service: every message box, question and beep of the process goes
// through the one installed implementation — a scripted recorder in tests, the terminal
// in the console program. Single-threaded, like the windows it stands for.
#pragma once

#include "vcl/WinTypes.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vcl {

class TCustomForm;

enum class TMsgIcon { None, Error, Question, Warning, Information };

// One message box as it was (or would have been) shown.
struct TMessageBoxInfo {
    HWND Owner = nullptr;
    std::string Text;
    std::string Caption;
    UINT Flags = 0;

    TMsgIcon Icon() const noexcept;
    UINT Buttons() const noexcept { return Flags & MB_TYPEMASK; }
    bool TaskModal() const noexcept { return (Flags & MB_TASKMODAL) != 0; }
    bool TopMost() const noexcept { return (Flags & MB_TOPMOST) != 0; }
    // The answer taken when the user just presses Enter.
    int DefaultResult() const noexcept;
    // Whether the box asks anything (more than one button).
    bool AsksQuestion() const noexcept { return Buttons() != MB_OK; }
};

// A progress window as the operator sees it: a caption, a phase line, a bar of steps and
// a line under the bar, and a cancel button. Closing is freeing the view.
class TProgressView {
public:
    virtual ~TProgressView() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    // The line under the bar (the item being worked on).
    virtual void SetText(const std::string& text) = 0;
    // A new phase: its line, and the bar reset to `count` steps.
    virtual void Restart(const std::string& text, int count) = 0;
    // One step on, showing the text; false once the operator pressed cancel.
    virtual bool Step(const std::string& text) = 0;
};

class TUserInterface {
public:
    virtual ~TUserInterface() = default;
    // Shows the box and returns the button pressed (IDOK, IDYES …).
    virtual int MessageBox(const TMessageBoxInfo& box) = 0;
    virtual void Beep(UINT type) = 0;
    // Plays the operator's part while a form is shown modally; returns once the form's
    // ModalResult is set. The default refuses: there is nobody to answer the window.
    virtual void RunModal(TCustomForm& form);
    // Opens a progress window.
    virtual std::unique_ptr<TProgressView> OpenProgress(const std::string& caption, const std::string& text,
                                                        int count) = 0;
    // Shows lines in a list window under the caption, until the operator closes it.
    virtual void ShowList(const std::vector<std::string>& lines, const std::string& caption) = 0;
};

// The installed implementation; the terminal one until something else is installed.
TUserInterface& UI();
// Installs an implementation (not owned; nullptr restores the terminal) and returns the
// previous one.
TUserInterface* SetUserInterface(TUserInterface* ui);

// The platform's MessageBox and MessageBeep, routed to the service.
int MessageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags);
void MessageBeep(UINT type);
// A plain box under the application's title, with no icon.
void ShowMessage(std::string_view text);
// The application's title: the program's file name without extension.
std::string ApplicationTitle();

}  // namespace vcl
