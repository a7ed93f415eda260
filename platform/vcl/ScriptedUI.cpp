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

namespace {

class TScriptedProgress : public TProgressView {
public:
    TScriptedProgress(std::vector<TRecordedProgress>& records, std::size_t index, int cancelAt)
        : records_(records), index_(index), cancelAt_(cancelAt) {}
    ~TScriptedProgress() override { Record().Closed = true; }
    void SetCaption(const std::string& caption) override { Record().Caption = caption; }
    void SetText(const std::string& text) override { Record().Texts.push_back(text); }
    void Restart(const std::string& text, int count) override {
        Record().Phases.push_back(text);
        Record().Counts.push_back(count);
    }
    bool Step(const std::string& text) override {
        TRecordedProgress& r = Record();
        r.Texts.push_back(text);
        ++r.Steps;
        if (cancelAt_ > 0 && r.Steps >= cancelAt_) r.Cancelled = true;
        return !r.Cancelled;
    }

private:
    // By index: the record list may grow while this window is open.
    TRecordedProgress& Record() { return records_[index_]; }
    std::vector<TRecordedProgress>& records_;
    std::size_t index_;
    int cancelAt_;
};

}  // namespace

std::unique_ptr<TProgressView> TScriptedUI::OpenProgress(const std::string& caption, const std::string& text, int count) {
    TRecordedProgress record;
    record.Caption = caption;
    record.Phases.push_back(text);
    record.Counts.push_back(count);
    progresses_.push_back(std::move(record));
    const int cancelAt = cancelAt_;
    cancelAt_ = 0;
    return std::make_unique<TScriptedProgress>(progresses_, progresses_.size() - 1, cancelAt);
}

void TScriptedUI::ShowList(const std::vector<std::string>& lines, const std::string& caption) {
    lists_.push_back(TRecordedList{caption, lines});
}

void TScriptedUI::Clear() {
    progresses_.clear();
    lists_.clear();
    cancelAt_ = 0;
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
