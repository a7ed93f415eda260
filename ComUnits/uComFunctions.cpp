#include "ComUnits/uComFunctions.h"

#include "ComUnits/uINIConfig.h"
#include "ComUnits/uLongPathFilesFunctions.h"
#include "res/Ucomresources.h"
#include "rtl/Files.h"
#include "rtl/Strings.h"
#include "vcl/Forms.h"
#include "vcl/UserInterface.h"
#include "vcl/WinApi.h"

#include <algorithm>

namespace {

vcl::UINT KindFlags(int kind) {
    switch (kind) {
    case 0: return vcl::MB_ICONWARNING | vcl::MB_TASKMODAL;
    case 1: return vcl::MB_ICONERROR | vcl::MB_TASKMODAL | vcl::MB_TOPMOST;
    case 2: return vcl::MB_ICONINFORMATION;
    case 3: return vcl::MB_ICONINFORMATION | vcl::MB_TASKMODAL | vcl::MB_TOPMOST;
    default: return vcl::MB_ICONERROR;
    }
}

std::string KindCaption(int kind) {
    switch (kind) {
    case 0:
    case 3: return TranslateAplText(rstrConfirmation);
    case 1: return TranslateAplText(rstrError);
    case 2: return TranslateAplText(rstrNotification);
    default: return {};
    }
}

vcl::HWND OwnerOf(vcl::HWND wnd) { return vcl::IsWindowVisible(wnd) ? wnd : vcl::GetActiveWindow(); }

TDebugSink& Sink() {
    static TDebugSink sink;
    return sink;
}

bool IsForbidden(char c) {
    switch (c) {
    case '"': case '*': case '/': case ':': case '<': case '>': case '?': case '[': case ']': case '\\': case '|':
        return true;
    default:
        return false;
    }
}

// "." and ".." (and any other name of dots only) must not reach the file system as a name.
std::string NoDotsOnly(std::string name) {
    if (!name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c == '.'; })) return "_";
    return name;
}

}  // namespace

int ShowBox(vcl::HWND wnd, std::string_view text, std::string_view caption, int kind) {
    // A caller-given caption has no kind 3 of its own: it is treated like any other kind
    // above 2.
    return vcl::MessageBox(OwnerOf(wnd), text, caption, KindFlags(kind == 3 ? 4 : kind));
}

int ShowKindBox(vcl::HWND wnd, std::string_view text, int kind) {
    return vcl::MessageBox(OwnerOf(wnd), text, KindCaption(kind), KindFlags(kind));
}

int ShowBoxActive(std::string_view text, std::string_view caption, int kind) {
    return ShowBox(vcl::GetActiveWindow(), text, caption, kind);
}

int ShowKindBoxActive(std::string_view text, int kind) { return ShowKindBox(vcl::GetActiveWindow(), text, kind); }

void DebugLog(const std::string& text) {
    if (Sink()) Sink()(text);
}

void SetDebugSink(TDebugSink sink) { Sink() = std::move(sink); }

void RaiseUserBreak() { throw rtl::Exception(kUserBreakText); }

bool IsUserBreak(const std::exception& e) {
    return rtl::SameText(e.what(), kUserBreakText) || std::string_view(rtl::ExceptionClassName(e)) == "ETerminated";
}

bool HasHighChars(std::string_view text) { return rtl::HasHighBytes(text); }

vcl::TCustomForm* GetActiveForm() {
    const vcl::HWND active = vcl::GetActiveWindow();
    if (!active) return nullptr;
    for (int i = 0; i < vcl::Screen()->FormCount(); ++i) {
        vcl::TCustomForm* form = vcl::Screen()->Forms(i);
        if (form->HandleAllocated() && form->Handle() == active) return form;
    }
    return nullptr;
}

std::string CleanPathText(std::string_view text, bool keepDrive) {
    std::string out(text);
    for (std::size_t i = keepDrive ? 3 : 0; i < out.size(); ++i)
        if (IsForbidden(out[i])) out[i] = '_';
    return NoDotsOnly(std::move(out));
}

std::string CleanFileName(std::string_view path) {
    const std::string dir = rtl::ExtractFilePath(path);
    std::string name = rtl::ExtractFileName(path);
    for (char& c : name)
        if (c == '\r' || c == ' ' || IsForbidden(c)) c = '_';
    return dir + NoDotsOnly(std::move(name));
}

std::string ReportFileExt(std::string_view name) {
    // Read through a second handle on the same settings file, at every call.
    const rtl::TIniFile ini(INIConfig().FileName());
    return rtl::ChangeFileExt(name, ini.ReadInteger("EXPORT_SETTINGS", "Export_Type", 0) != 0 ? ".xlsm" : ".xls");
}

std::unique_ptr<rtl::TStringList> CommaTextToList(std::string_view text) {
    auto list = std::make_unique<rtl::TStringList>();
    list->SetCommaText(text);
    return list;
}

void DeleteFiles(const rtl::TStringList* files) {
    rtl::Assert(files != nullptr, "pFiles=nil", "COMUNITS/uComFunctions", __LINE__);
    for (const auto& name : *files) LPDeleteFile(name);
}

void DeleteFilesCsv(std::string_view commaText) {
    const auto list = CommaTextToList(commaText);
    DeleteFiles(list.get());
}

bool DebugIniExists() { return rtl::FileExists(rtl::HostExeFolder() + "Debug.ini"); }

void GotoBookmarkEx(db::TDataSet* dataSet, const db::TBookmark& bookmark) {
    if (!dataSet || !bookmark.Valid() || !dataSet->BookmarkValid(bookmark)) return;
    dataSet->GotoBookmark(bookmark);
    if (bookmark.Position != dataSet->RecNo() && bookmark.Position < dataSet->RecordCount())
        dataSet->SetRecNo(bookmark.Position);
}

void OrderPair(double& a, double& b) noexcept {
    if (a > b) std::swap(a, b);
}
