#include "vcl/ScriptedUI.h"

#include "rtl/Exceptions.h"
#include "vcl/Forms.h"

namespace vcl {

TScriptedUI::TScriptedUI() : previous_(SetUserInterface(this)) {}

TScriptedUI::~TScriptedUI() { SetUserInterface(previous_); }

const TRecordedBox& TScriptedUI::LastBox() const {
    if (boxes_.empty()) throw rtl::Exception("TScriptedUI: no message box was shown");
    return boxes_.back();
}

void TScriptedUI::RunModal(TCustomForm& form) {
    modalForms_.push_back(form.ClassName());
    if (modals_.empty())
        throw rtl::Exception(std::string("TScriptedUI: no script queued for the modal window ") + form.ClassName() +
                             " \"" + form.Caption() + "\"");
    TModalScript script = std::move(modals_.front());
    modals_.pop_front();
    script(form);
    if (form.ModalResult() == mrNone)
        throw rtl::Exception(std::string("TScriptedUI: the script left the modal window ") + form.ClassName() + " open");
}

void TScriptedUI::Clear() {
    modals_.clear();
    modalForms_.clear();
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
