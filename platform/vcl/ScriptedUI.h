// The user interface of tests: answers are queued beforehand, every box and beep is
// recorded. A question with no answer queued fails the test loudly instead of guessing.
#pragma once

#include "vcl/UserInterface.h"

#include <deque>
#include <functional>
#include <vector>

namespace vcl {

struct TRecordedBox : TMessageBoxInfo {
    int Result = 0;
};

// What a progress window went through.
struct TRecordedProgress {
    std::string Caption;
    std::vector<std::string> Texts;   // every line shown under the bar, in order
    std::vector<std::string> Phases;  // the line of every phase, the first one included
    std::vector<int> Counts;          // the step count of every phase
    int Steps = 0;                    // steps taken in all
    bool Cancelled = false;           // the operator pressed cancel
    bool Closed = false;
};

struct TRecordedList {
    std::string Caption;
    std::vector<std::string> Lines;
};

class TScriptedUI : public TUserInterface {
public:
    // Installs itself for its lifetime and puts back what was there before.
    TScriptedUI();
    ~TScriptedUI() override;
    TScriptedUI(const TScriptedUI&) = delete;
    TScriptedUI& operator=(const TScriptedUI&) = delete;

    void QueueAnswer(int result) { answers_.push_back(result); }
    // What the operator does with the next modal window: the script clicks, ticks and
    // types on the form; it must leave a ModalResult, else the run fails.
    using TModalScript = std::function<void(TCustomForm& form)>;
    void QueueModal(TModalScript script) { modals_.push_back(std::move(script)); }
    const std::vector<std::string>& ModalForms() const noexcept { return modalForms_; }
    // The operator presses cancel in the next progress window when it reaches that
    // step (1 = the first step).
    void CancelProgressAtStep(int step) { cancelAt_ = step; }
    const std::vector<TRecordedProgress>& Progresses() const noexcept { return progresses_; }
    const std::vector<TRecordedList>& Lists() const noexcept { return lists_; }
    std::size_t PendingAnswers() const noexcept { return answers_.size(); }

    const std::vector<TRecordedBox>& Boxes() const noexcept { return boxes_; }
    const std::vector<UINT>& Beeps() const noexcept { return beeps_; }
    const TRecordedBox& LastBox() const;
    void Clear();

    int MessageBox(const TMessageBoxInfo& box) override;
    void Beep(UINT type) override { beeps_.push_back(type); }
    void RunModal(TCustomForm& form) override;
    std::unique_ptr<TProgressView> OpenProgress(const std::string& caption, const std::string& text, int count) override;
    void ShowList(const std::vector<std::string>& lines, const std::string& caption) override;

private:
    std::deque<int> answers_;
    std::deque<TModalScript> modals_;
    std::vector<std::string> modalForms_;
    std::vector<TRecordedProgress> progresses_;
    std::vector<TRecordedList> lists_;
    int cancelAt_ = 0;
    std::vector<TRecordedBox> boxes_;
    std::vector<UINT> beeps_;
    TUserInterface* previous_;
};

}  // namespace vcl
