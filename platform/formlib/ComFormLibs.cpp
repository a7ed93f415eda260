#include "formlib/ComFormLibs.h"

#include "vcl/UserInterface.h"

#include <memory>
#include <vector>

namespace {

class TProgressWindow : public rtl::TInterfacedObject, public IProgress_001 {
public:
    TProgressWindow(const std::string& caption, const std::string& text, int count)
        : view_(vcl::UI().OpenProgress(caption, text, count)), count_(count) {}

    void SetCaption(const std::string& caption) override { view_->SetCaption(caption); }
    void SetText(const std::string& text) override { view_->SetText(text); }
    int StepCount() const override { return count_; }
    bool Restart(const std::string& text, int count) override {
        count_ = count;
        position_ = 0;
        view_->Restart(text, count);
        return !cancelled_;
    }
    int Position() const override { return position_; }
    bool Step(const std::string& text) override {
        ++position_;
        if (!view_->Step(text)) cancelled_ = true;
        return !cancelled_;
    }

private:
    std::unique_ptr<vcl::TProgressView> view_;  // the window closes with the object
    int count_;
    int position_ = 0;
    bool cancelled_ = false;
};

}  // namespace

void GetIProgressEx(rtl::IPtr<IProgress_001>& progress, const std::string& caption, const std::string& text, int count,
                    int /*mode*/) {
    // The old window goes first, as a replaced reference closes it.
    progress.Reset();
    progress = rtl::IPtr<IProgress_001>(new TProgressWindow(caption, text, count));
}

void ShowFileList1(const rtl::TStringList& lines, const std::string& caption) {
    std::vector<std::string> copy(lines.begin(), lines.end());
    vcl::UI().ShowList(copy, caption);
}
