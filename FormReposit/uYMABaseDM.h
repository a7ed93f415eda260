// The root of every report data module: a progress window borrowed from the form library
// (its cancel button becomes the user-break error), the report period, message boxes that
// can be silenced for unattended runs, a registry of the module's components, and the
// AfterCreate / ReleaseWork / SetPeriod hooks. Also TTickInfo, the stopwatch reports time
// their creation with.
#pragma once

#include "ComUnits/uComFormLibInt.h"
#include "ComUnits/uScrollComponents.h"
#include "rtl/DateTime.h"
#include "rtl/Interface.h"
#include "vcl/DataModule.h"

#include <cstdint>
#include <memory>
#include <string>

class TYMABaseDM : public vcl::TDataModule {
    RTL_DECLARE_CLASS(TYMABaseDM)
public:
    explicit TYMABaseDM(vcl::TComponent* owner);

    // The module's components are built (and OnCreate run, with OldCreateOrder), then
    // Silent := false, ShowProgress := true, the registry is made, and AfterCreate runs.
    void Construct() override;
    void BeforeDestruction() override;

    // The last step of construction; report classes initialise themselves here.
    virtual void AfterCreate() {}
    // Frees work lists and procedures made on demand (report classes).
    virtual void ReleaseWork() {}
    virtual void SetPeriod(rtl::TDateTime begin, rtl::TDateTime end);

    // With ShowProgress set: opens the form library's progress window with the caption
    // rstrLoading, the text and the count; otherwise nothing.
    void OpenProgress(const std::string& text, int count);
    // True when the run may go on: always without ShowProgress, else the window's answer
    // (false once the operator pressed cancel).
    bool StepProgress(const std::string& text);
    bool RestartProgress(const std::string& text, int count);
    bool SetProgressText(const std::string& text);
    // Releases the window (it closes when the last reference goes).
    void CloseProgress();
    // Raises the user-break error ("user break"), which ends a run quietly.
    [[noreturn]] void UserBreak();
    // Message boxes over the active window, unless Silent.
    void ShowMsg(const std::string& text, const std::string& caption, std::uint8_t kind);
    void ShowKindMsg(const std::string& text, std::uint8_t kind);
    void SetShowProgress(bool value) noexcept { ShowProgress = value; }
    void SetSilent(bool value) noexcept { Silent = value; }

    rtl::IPtr<IProgress_001> FIProgress;
    bool ShowProgress = false;
    bool Silent = false;
    rtl::TDateTime PeriodBegin = 0.0;
    rtl::TDateTime PeriodEnd = 0.0;
    std::unique_ptr<TScrollComponentList> ScrollList;

protected:
    ~TYMABaseDM() override;
};

// "minutes:seconds:milliseconds", the milliseconds padded to three digits: 61005 gives
// "1:1:005".
std::string TicksToText(std::uint32_t milliseconds);

// A stopwatch on the system's millisecond tick count (which wraps at 2^32; differences
// are taken in 32 bits, so a run across the wrap still measures right).
class TTickInfo {
public:
    void Start();
    void Stop();
    std::uint32_t Elapsed() const;
    std::string ElapsedText() const { return TicksToText(Elapsed()); }

    std::uint32_t StartTick = 0;
    std::uint32_t StopTick = 0;
    bool Running = false;
};
