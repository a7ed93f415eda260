#include "vcl/ScriptedUI.h"

#include "rtl/Exceptions.h"

namespace vcl {

TScriptedUI::TScriptedUI() : previous_(SetUserInterface(this)) {}

TScriptedUI::~TScriptedUI() { SetUserInterface(previous_); }

const TRecordedBox& TScriptedUI::LastBox() const {
    if (boxes_.empty()) throw rtl::Exception("TScriptedUI: no message box was shown");
    return boxes_.back();
}

void TScriptedUI::Clear() {
    answers_.clear();
    boxes_.clear();
    beeps_.clear();
}

int TScriptedUI::MessageBox(const TMessageBoxInfo& box) {
    TRecordedBox record;
    static_cast<TMessageBoxInfo&>(record) = box;
    if (!box.AsksQuestion()) {
        record.Result = IDOK;
    } else if (!answers_.empty()) {
        record.Result = answers_.front();
        answers_.pop_front();
    } else {
        boxes_.push_back(record);
        throw rtl::Exception("TScriptedUI: no answer queued for the question \"" + box.Text + "\"");
    }
    boxes_.push_back(record);
    return record.Result;
}

}  // namespace vcl
