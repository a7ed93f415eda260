// Message boxes by kind, the debug sink, the user break, name cleaning, the report file
// extension and the list routines of uComFunctions.
#include "ComUnits/uComFunctions.h"

#include "TempFolder.h"

#include "res/Ucomresources.h"
#include "rtl/Files.h"
#include "vcl/ScriptedUI.h"
#include "vcl/WinApi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace {

using namespace vcl;

struct Kind {
    int kind;
    UINT flags;                       // icon and mode
    const res::TAplResString* caption;  // ShowKindBox's caption; nullptr: empty
};

const Kind kKinds[] = {
    {0, MB_ICONWARNING | MB_TASKMODAL, &rstrConfirmation},
    {1, MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST, &rstrError},
    {2, MB_ICONINFORMATION, &rstrNotification},
    {3, MB_ICONINFORMATION | MB_TASKMODAL | MB_TOPMOST, &rstrConfirmation},
    {4, MB_ICONERROR, nullptr},
    {-1, MB_ICONERROR, nullptr},
};

class MessageBoxes : public ::testing::Test {
protected:
    TScriptedUI ui;
    HWND visible = CreateWindowHandle(nullptr);
    HWND hidden = CreateWindowHandle(nullptr);
    HWND active = CreateWindowHandle(nullptr);

    void SetUp() override {
        ShowWindowHandle(visible, true);
        ShowWindowHandle(active, true);
        SetActiveWindow(active);
    }
    void TearDown() override {
        for (HWND w : {visible, hidden, active}) DestroyWindowHandle(w);
        SetComLanguages(nullptr);
    }
};

TEST_F(MessageBoxes, ShowKindBoxTakesIconModeAndCaptionFromTheKind) {
    for (const Kind& k : kKinds) {
        SCOPED_TRACE(k.kind);
        EXPECT_EQ(ShowKindBox(visible, "текст", k.kind), IDOK);
        const TRecordedBox& box = ui.LastBox();
        EXPECT_EQ(box.Text, "текст");
        EXPECT_EQ(box.Flags, k.flags | MB_OK);
        EXPECT_EQ(box.Caption, k.caption ? TranslateAplText(*k.caption) : "");
        EXPECT_EQ(box.Owner, visible);
    }
    EXPECT_EQ(ui.Boxes()[1].Caption, "Ошибка");
    SetComLanguages(std::make_unique<TEnglishLanguagesDM>());
    ShowKindBox(visible, "text", 0);
    EXPECT_EQ(ui.LastBox().Caption, "Confirmation");
    ShowKindBoxActive("text", 2);
    EXPECT_EQ(ui.LastBox().Caption, "Notification");
    EXPECT_EQ(ui.LastBox().Owner, active);
}

TEST_F(MessageBoxes, ShowBoxKeepsTheGivenCaptionAndTreatsKind3AsAnErrorBox) {
    for (const Kind& k : kKinds) {
        SCOPED_TRACE(k.kind);
        EXPECT_EQ(ShowBox(visible, "текст", "Заголовок", k.kind), IDOK);
        EXPECT_EQ(ui.LastBox().Caption, "Заголовок");
        EXPECT_EQ(ui.LastBox().Flags, k.kind == 3 ? MB_ICONERROR : k.flags);
    }
    ShowBoxActive("active", "Заголовок", 1);
    EXPECT_EQ(ui.LastBox().Owner, active);
    EXPECT_EQ(ui.LastBox().Flags, MB_ICONERROR | MB_TASKMODAL | MB_TOPMOST);
}

TEST_F(MessageBoxes, OwnerIsTheGivenWindowOnlyWhenVisible) {
    const HWND destroyed = CreateWindowHandle(nullptr);
    ShowWindowHandle(destroyed, true);
    DestroyWindowHandle(destroyed);
    const std::pair<HWND, HWND> cases[] = {
        {visible, visible}, {hidden, active}, {nullptr, active}, {destroyed, active}};
    for (const auto& [given, owner] : cases) {
        ShowBox(given, "x", "", 2);
        EXPECT_EQ(ui.LastBox().Owner, owner);
        ShowKindBox(given, "x", 2);
        EXPECT_EQ(ui.LastBox().Owner, owner);
    }
    SetActiveWindow(nullptr);
    ShowKindBox(hidden, "x", 0);
    EXPECT_EQ(ui.LastBox().Owner, nullptr);
}

TEST(ComFunctions, CheckAssignedRaisesWithTheText) {
    int value = 1;
    EXPECT_NO_THROW(CheckAssigned(&value, "unused"));
    try {
        CheckAssigned(static_cast<int*>(nullptr), "Не задан набор данных");
        FAIL() << "no error raised";
    } catch (const rtl::Exception& e) {
        EXPECT_EQ(e.Message(), "Не задан набор данных");
    }
}

TEST(ComFunctions, DebugLogReachesTheSinkOnlyOnceOneIsSet) {
    DebugLog("nowhere");  // no sink: nothing happens
    std::vector<std::string> lines;
    SetDebugSink(TDebugSink::FromFunction([&](const std::string& text) { lines.push_back(text); }));
    DebugLog("select 1 from dual");
    EXPECT_EQ(lines, std::vector<std::string>{"select 1 from dual"});
    SetDebugSink(nullptr);
    DebugLog("after");
    EXPECT_EQ(lines.size(), 1u);
}

TEST(ComFunctions, UserBreakIsToldByTextOrByTerminatedClass) {
    try {
        RaiseUserBreak();
    } catch (const rtl::Exception& e) {
        EXPECT_EQ(e.Message(), "user break");
        EXPECT_STREQ(e.ClassName(), "Exception");
        EXPECT_TRUE(IsUserBreak(e));
    }
    EXPECT_TRUE(IsUserBreak(rtl::Exception("USER BREAK")));
    EXPECT_TRUE(IsUserBreak(rtl::Exception("User Break")));
    EXPECT_TRUE(IsUserBreak(rtl::ETerminated("thread stopped")));
    EXPECT_TRUE(IsUserBreak(std::runtime_error("user break")));
    EXPECT_FALSE(IsUserBreak(rtl::Exception("user break!")));
    EXPECT_FALSE(IsUserBreak(rtl::Exception("user  break")));
    EXPECT_FALSE(IsUserBreak(rtl::EAbort("")));
    EXPECT_FALSE(IsUserBreak(rtl::EConvertError("ETerminated")));
    EXPECT_FALSE(IsUserBreak(std::runtime_error("ETerminated")));
}

TEST(ComFunctions, HasHighChars) {
    EXPECT_FALSE(HasHighChars(""));
    EXPECT_FALSE(HasHighChars("plain ASCII \x7F"));
    EXPECT_TRUE(HasHighChars("Отчёт"));
    EXPECT_TRUE(HasHighChars("a\x80"));
}

TEST(ComFunctions, CleanPathText) {
    const struct {
        const char* text;
        bool keepDrive;
        const char* expected;
    } cases[] = {
        {"C:\\a:b", true, "C:\\a_b"},
        {"C:\\a:b", false, "C__a_b"},
        {"a\"*/:<>?[]\\|b", false, "a___________b"},
        {"::x:", true, "::x_"},
        {"file name.txt", false, "file name.txt"},
        {"Отчёт: итоги", false, "Отчёт_ итоги"},
        {".", false, "_"},
        {"..", false, "_"},
        {"..", true, "_"},
        {".a", false, ".a"},
        {"", false, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(CleanPathText(c.text, c.keepDrive), c.expected) << c.text << " " << c.keepDrive;
}

TEST(ComFunctions, CleanFileNameCleansOnlyTheName) {
    const std::pair<const char*, const char*> cases[] = {
        {"/tmp/dir/a b\r.txt", "/tmp/dir/a_b_.txt"},
        {"/tmp/my dir [1]/x:y?.xls", "/tmp/my dir [1]/x_y_.xls"},
        {"report \"Итоги\".xls", "report__Итоги_.xls"},
        {"a\\b|c.xls", "a_b_c.xls"},
        {"/tmp/dir/..", "/tmp/dir/_"},
        {"/tmp/dir/", "/tmp/dir/"},
    };
    for (const auto& [path, expected] : cases) EXPECT_EQ(CleanFileName(path), expected) << path;
}

TEST(ComFunctions, ReportFileExtFollowsExportType) {
    const std::string ini = rtl::HostExeFolder() + "Settings.ini";
    const std::pair<const char*, const char*> cases[] = {
        {"[OTHER]\nx=1\n", ".xls"},
        {"[EXPORT_SETTINGS]\nExport_Type=0\n", ".xls"},
        {"[EXPORT_SETTINGS]\nExport_Type=1\n", ".xlsm"},
        {"[EXPORT_SETTINGS]\nExport_Type=2\n", ".xlsm"},
    };
    for (const auto& [settings, ext] : cases) {
        THostFileScope file(ini, settings);
        EXPECT_EQ(ReportFileExt("/tmp/out.d/report.txt"), std::string("/tmp/out.d/report") + ext) << settings;
        EXPECT_EQ(ReportFileExt("/tmp/out.d/report"), std::string("/tmp/out.d/report") + ext) << settings;
    }
}

TEST(ComFunctions, CommaTextToList) {
    const auto list = CommaTextToList("a,\"b c\",d");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->Count(), 3);
    EXPECT_EQ((*list)[0], "a");
    EXPECT_EQ((*list)[1], "b c");
    EXPECT_EQ((*list)[2], "d");
    EXPECT_EQ(CommaTextToList("")->Count(), 0);
}

TEST(ComFunctions, DeleteFilesNeedsAListAndIgnoresFailures) {
    try {
        DeleteFiles(nullptr);
        FAIL() << "no assertion raised";
    } catch (const rtl::EAssertionFailed& e) {
        EXPECT_EQ(e.AssertMessage(), "pFiles=nil");
        EXPECT_EQ(e.Unit(), "COMUNITS/uComFunctions");
    }

    TTempFolder tmp;
    for (const char* name : {"a.xls", "b.xls", "c.xls", "d.xls"}) WriteFile(tmp / name, "x");
    std::filesystem::create_directory(tmp / "folder");
    rtl::TStringList files{tmp / "a.xls", tmp / "missing.xls", " " + (tmp / "b.xls") + " ", tmp / "folder"};
    EXPECT_NO_THROW(DeleteFiles(&files));
    EXPECT_FALSE(std::filesystem::exists(tmp / "a.xls"));
    EXPECT_FALSE(std::filesystem::exists(tmp / "b.xls"));
    EXPECT_TRUE(IsDir(tmp / "folder"));

    EXPECT_NO_THROW(DeleteFilesCsv(tmp / "c.xls," + tmp / "nothing," + tmp / "d.xls"));
    EXPECT_FALSE(std::filesystem::exists(tmp / "c.xls"));
    EXPECT_FALSE(std::filesystem::exists(tmp / "d.xls"));
}

TEST(ComFunctions, DebugIniExistsBesideTheProgram) {
    const std::string debugIni = rtl::HostExeFolder() + "Debug.ini";
    const bool before = std::filesystem::exists(debugIni);
    EXPECT_EQ(DebugIniExists(), before);
    {
        THostFileScope file(debugIni, "[DEBUG]\n");
        EXPECT_TRUE(DebugIniExists());
    }
    EXPECT_EQ(DebugIniExists(), before);
}

TEST(ComFunctions, OrderPair) {
    const struct {
        double a, b, lo, hi;
    } cases[] = {{3, 1, 1, 3}, {1, 3, 1, 3}, {2, 2, 2, 2}, {-0.5, -1.5, -1.5, -0.5}};
    for (const auto& c : cases) {
        double a = c.a, b = c.b;
        OrderPair(a, b);
        EXPECT_EQ(a, c.lo);
        EXPECT_EQ(b, c.hi);
    }
}

}  // namespace
