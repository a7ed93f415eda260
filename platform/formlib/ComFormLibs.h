// The form library's contract with the plug-in: the progress window and the list window,
// linked by import (the plug-in does not load without the library). The library draws
// them through the process's user-interface service.
#pragma once

#include "rtl/Interface.h"
#include "rtl/StringList.h"

#include <string>

// The progress window's interface. The plug-in calls operations 2, 4 and 6; the others
// complete the window for other users of the library.
class IProgress_001 : public virtual rtl::IInterface {
public:
    // 1: the window caption.
    virtual void SetCaption(const std::string& caption) = 0;
    // 2: the line under the bar (the item now being processed).
    virtual void SetText(const std::string& text) = 0;
    // 3: the number of steps of the current phase.
    virtual int StepCount() const = 0;
    // 4: a new phase: its caption line, and the bar reset to `count` steps; false when the
    // operator has cancelled.
    virtual bool Restart(const std::string& text, int count) = 0;
    // 5: the steps taken in the current phase.
    virtual int Position() const = 0;
    // 6: one step on, showing the text; false when the operator has pressed cancel.
    virtual bool Step(const std::string& text) = 0;

protected:
    ~IProgress_001() = default;
};

// Opens a progress window with the caption, the first text line and `count` steps, and
// puts its interface into `progress` (replacing, and so closing, what was there). The
// window closes when the last reference goes. `mode` is the library's display style
// (5: caption line, bar, text line and a cancel button).
void GetIProgressEx(rtl::IPtr<IProgress_001>& progress, const std::string& caption, const std::string& text, int count,
                    int mode);

// Shows the lines in a list window under the caption.
void ShowFileList1(const rtl::TStringList& lines, const std::string& caption);
