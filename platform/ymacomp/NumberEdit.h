// Number entry: TNumberEdit shows its Value under DisplayFormat while the operator is
// elsewhere and as a plain number while the operator edits it. TCommitEdit, its base,
// is the package's edit: the other controls of the package use it for dates, folders and
// addresses too.
#pragma once

#include "vcl/StdCtrls.h"
#include "ymacomp/TextSources.h"

#include <string>

namespace yma {

// An edit that behaves as the platform's auto-selecting edit does: when the operator
// enters it, its whole text is selected, so the first character typed replaces the text
// (Backspace empties it). The operator's entry is handed over — OnCommit — when the
// operator presses Enter or leaves the edit after typing; Escape puts back the text the
// edit had when the operator came in. Text set from code is no entry: it commits nothing.
class TCommitEdit : public vcl::TEdit {
    RTL_DECLARE_CLASS(TCommitEdit)
public:
    explicit TCommitEdit(vcl::TComponent* owner) : vcl::TEdit(owner) {}

    // OnCommit runs for the operator's entry, before OnExit when the operator leaves.
    vcl::TNotifyEvent OnCommit;

protected:
    // Runs OnCommit; descendants check and take the entry here.
    virtual void Commit();
    void DoEnter() override;
    void DoExit() override;
    void KeyDown(unsigned short& key, vcl::TShiftState shift) override;
    void KeyPress(char& key) override;

    // Ends the operator's entry: commits what was typed. DoExit runs it before OnExit.
    void FinishEntry();

private:
    void CommitIfTyped();

    std::string entryText_;
    bool selected_ = false;  // the whole text is selected: the next character replaces it
};

// A number edit. Value is kept rounded to DecimalPlaces and, when MinValue < MaxValue,
// within the bounds.
//
// Events: OnChange runs whenever Value changes — set from code, or typed by the operator
// (each character that leaves a number behind) — and never for a mere change of the
// shown form (entering and leaving, DisplayFormat, DecimalPlaces that round nothing).
// When the operator's finished entry is no number, the edit beeps and shows the value
// it had; a number outside the bounds gets the range message (text ytxValueRangeFmt,
// a warning) and is taken as the nearest bound. OnExit runs after that, so a window's
// exit handler sees the value the edit settled on.
class TNumberEdit : public TCommitEdit, public IYMATextClient {
    RTL_DECLARE_CLASS(TNumberEdit)
public:
    explicit TNumberEdit(vcl::TComponent* owner);

    double Value() const noexcept { return value_; }
    void SetValue(double value);
    int DecimalPlaces() const noexcept { return decimalPlaces_; }
    // 0 to 15; the value is rounded again.
    void SetDecimalPlaces(int places);
    // A FormatFloat pattern (",0.00 %;-,0.00 %"); empty: grouped thousands with
    // DecimalPlaces decimals.
    const std::string& DisplayFormat() const noexcept { return displayFormat_; }
    void SetDisplayFormat(const std::string& format);
    double MinValue() const noexcept { return minValue_; }
    void SetMinValue(double value);
    double MaxValue() const noexcept { return maxValue_; }
    void SetMaxValue(double value);

    TYMASourcesReference* SourceReference() const noexcept { return link_.Reference(); }
    void SetSourceReference(TYMASourcesReference* reference) { link_.Set(reference); }
    void SourcesChanged() override {}

protected:
    void Change() override;
    void Commit() override;
    void DoEnter() override;
    void DoExit() override;
    bool IsValidChar(const std::string& ch) const override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    bool Bounded() const noexcept { return minValue_ < maxValue_; }
    double Rounded(double value) const;
    double Clamped(double value) const;
    // The text for the value: plain while the operator edits, DisplayFormat otherwise.
    std::string TextOf(double value) const;
    void ShowValue();
    void Assign(double value);  // stores, shows, OnChange when different

    double value_ = 0.0;
    int decimalPlaces_ = 2;
    std::string displayFormat_;
    double minValue_ = 0.0, maxValue_ = 0.0;
    bool editing_ = false;   // the operator is in the edit: the plain form is shown
    bool showing_ = false;   // the edit writes its own text: no value is read from it
    TSourceLink link_{this};
};

}  // namespace yma
