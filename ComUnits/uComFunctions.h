// Small services many windows and modules share: message boxes by kind, the user-break
// error, the debug log sink, file-name cleaning, the report file extension and a handful
// of list routines.
#pragma once

#include "db/DataSet.h"
#include "rtl/Exceptions.h"
#include "rtl/Method.h"
#include "rtl/StringList.h"
#include "vcl/WinTypes.h"

#include <exception>
#include <memory>
#include <string>
#include <string_view>

// Message-box kinds: 0 warning (task-modal, caption rstrConfirmation), 1 error
// (task-modal, topmost, rstrError), 2 information (rstrNotification), 3 information
// (task-modal, topmost, rstrConfirmation; standard-caption boxes only); any other kind
// is an error box with an empty caption. The owner is the given window when it is
// visible, else the active window. Each returns the button pressed.
int ShowBox(vcl::HWND wnd, std::string_view text, std::string_view caption, int kind);
int ShowKindBox(vcl::HWND wnd, std::string_view text, int kind);
int ShowBoxActive(std::string_view text, std::string_view caption, int kind);
int ShowKindBoxActive(std::string_view text, int kind);

// Raises an error with the text when the value is none.
template <class T>
void CheckAssigned(const T& value, const std::string& text) {
    if (!value) throw rtl::Exception(text);
}

// The debug log: a sink that is empty at load, so DebugLog does nothing until one is set.
using TDebugSink = rtl::TMethod<void(const std::string& text)>;
void DebugLog(const std::string& text);
void SetDebugSink(TDebugSink sink);

// The user break: a plain error "user break", told apart by its text (any case) or by an
// error of class ETerminated.
inline constexpr const char* kUserBreakText = "user break";
[[noreturn]] void RaiseUserBreak();
bool IsUserBreak(const std::exception& e);

// True when any byte of the text is 128 or above.
bool HasHighChars(std::string_view text);

namespace vcl {
class TCustomForm;
}
// The form that owns the active window, or nullptr.
vcl::TCustomForm* GetActiveForm();

// Replaces the characters a file name may not hold (" * / : < > ? [ ] \ |) by "_"; with
// keepDrive the first three characters stay. A name made only of dots ("." or "..")
// would name the folder itself or its parent, so it becomes "_".
std::string CleanPathText(std::string_view text, bool keepDrive);
// Cleans only the file-name part of a path (carriage return and blank are replaced too);
// the folder part stays as it is.
std::string CleanFileName(std::string_view path);

// The name with the report extension: ".xlsm" when EXPORT_SETTINGS/Export_Type is not 0,
// else ".xls".
std::string ReportFileExt(std::string_view name);

// A new list filled from comma text.
std::unique_ptr<rtl::TStringList> CommaTextToList(std::string_view text);
// Deletes every file of the list, ignoring failures; the list must be given.
void DeleteFiles(const rtl::TStringList* files);
void DeleteFilesCsv(std::string_view commaText);
// True when "Debug.ini" exists in the host program's folder.
bool DebugIniExists();
// a becomes the smaller, b the larger value.
void OrderPair(double& a, double& b) noexcept;
// When the bookmark is given and valid, goes to it; then, when the record number the
// bookmark was taken at differs from the current one and is below the record count,
// moves to that number (a re-read data set keeps its old place by position).
void GotoBookmarkEx(db::TDataSet* dataSet, const db::TBookmark& bookmark);
