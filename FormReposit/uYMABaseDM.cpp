#include "FormReposit/uYMABaseDM.h"

#include "ComUnits/uComFunctions.h"
#include "res/Ucomresources.h"
#include "rtl/Exceptions.h"
#include "rtl/Files.h"

RTL_DEFINE_CLASS(TYMABaseDM, vcl::TDataModule)

namespace {
constexpr const char* kUnit = "FORMREPOSIT/uYMABaseDM";
}

TYMABaseDM::TYMABaseDM(vcl::TComponent* owner) : vcl::TDataModule(owner) {}

TYMABaseDM::~TYMABaseDM() {
    // The window never outlives the module; the registry goes before the components.
    FIProgress.Reset();
    ScrollList.reset();
}

void TYMABaseDM::Construct() {
    vcl::TDataModule::Construct();
    Silent = false;
    ShowProgress = true;
    ScrollList = std::make_unique<TScrollComponentList>(this);
    AfterCreate();
}

void TYMABaseDM::BeforeDestruction() {
    vcl::TDataModule::BeforeDestruction();  // OnDestroy
    FIProgress.Reset();
}

void TYMABaseDM::SetPeriod(rtl::TDateTime begin, rtl::TDateTime end) {
    PeriodBegin = begin;
    PeriodEnd = end;
}

void TYMABaseDM::OpenProgress(const std::string& text, int count) {
    if (!ShowProgress) return;
    GetIProgressEx(FIProgress, TranslateAplText(rstrLoading), text, count, 5);
}

bool TYMABaseDM::StepProgress(const std::string& text) {
    if (!ShowProgress) return true;
    rtl::Assert(static_cast<bool>(FIProgress), "TYMABaseDM: FIProgresss is not created", kUnit, __LINE__);
    return FIProgress->Step(text);
}

bool TYMABaseDM::RestartProgress(const std::string& text, int count) {
    if (!ShowProgress) return true;
    rtl::Assert(static_cast<bool>(FIProgress), "TYMABaseDM: FIProgress is not created", kUnit, __LINE__);
    return FIProgress->Restart(text, count);
}

bool TYMABaseDM::SetProgressText(const std::string& text) {
    if (!ShowProgress) return false;
    rtl::Assert(static_cast<bool>(FIProgress), "TYMABaseDM: FIProgress is not created", kUnit, __LINE__);
    FIProgress->SetText(text);
    return true;
}

void TYMABaseDM::CloseProgress() { FIProgress.Reset(); }

void TYMABaseDM::UserBreak() { RaiseUserBreak(); }

void TYMABaseDM::ShowMsg(const std::string& text, const std::string& caption, std::uint8_t kind) {
    if (!Silent) ShowBoxActive(text, caption, kind);
}

void TYMABaseDM::ShowKindMsg(const std::string& text, std::uint8_t kind) {
    if (!Silent) ShowKindBoxActive(text, kind);
}

std::string TicksToText(std::uint32_t m) {
    std::string ms = std::to_string(m % 1000);
    if (ms.size() < 3) ms.insert(0, 3 - ms.size(), '0');
    return std::to_string(m / 60000) + ":" + std::to_string((m % 60000) / 1000) + ":" + ms;
}

void TTickInfo::Start() {
    Running = true;
    StartTick = rtl::GetTickCount();
}

void TTickInfo::Stop() {
    StopTick = rtl::GetTickCount();
    Running = false;
}

std::uint32_t TTickInfo::Elapsed() const {
    return Running ? rtl::GetTickCount() - StartTick : StopTick - StartTick;
}
