// The form library's progress and list windows, as the plug-in reaches them, shown by the
// scripted interface of tests and by the terminal of the console program.
#include "formlib/ComFormLibs.h"

#include "vcl/ScriptedUI.h"
#include "vcl/TerminalUI.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

TEST(ComFormLibs, TheLastReferenceClosesTheProgressWindow) {
    vcl::TScriptedUI ui;
    rtl::IPtr<IProgress_001> progress;
    GetIProgressEx(progress, "Загрузка", "Чтение", 4, 5);
    rtl::IPtr<IProgress_001> second = progress;  // a second holder keeps it open
    progress.Reset();
    EXPECT_FALSE(ui.Progresses()[0].Closed);
    EXPECT_TRUE(second->Step("1"));
    EXPECT_EQ(second->Position(), 1);
    EXPECT_TRUE(second->Restart("Запись", 2));
    EXPECT_EQ(second->StepCount(), 2);
    EXPECT_EQ(second->Position(), 0);
    second.Reset();
    EXPECT_TRUE(ui.Progresses()[0].Closed);
}

TEST(ComFormLibs, ACancelledWindowStaysCancelled) {
    vcl::TScriptedUI ui;
    ui.CancelProgressAtStep(1);
    rtl::IPtr<IProgress_001> progress;
    GetIProgressEx(progress, "c", "t", 3, 5);
    EXPECT_FALSE(progress->Step("a"));
    EXPECT_FALSE(progress->Restart("again", 3));  // a new phase does not undo the cancel
    EXPECT_FALSE(progress->Step("b"));
}

TEST(ComFormLibs, TheListWindowShowsTheLinesUnderItsCaption) {
    vcl::TScriptedUI ui;
    rtl::TStringList lines{"Сохранено: 2", "Без данных: 1"};
    ShowFileList1(lines, "Результат");
    ASSERT_EQ(ui.Lists().size(), 1u);
    EXPECT_EQ(ui.Lists()[0].Caption, "Результат");
    EXPECT_EQ(ui.Lists()[0].Lines, (std::vector<std::string>{"Сохранено: 2", "Без данных: 1"}));
}

std::string ReadAll(std::FILE* f) {
    std::rewind(f);
    std::string s;
    char buf[256];
    while (std::fgets(buf, sizeof buf, f)) s += buf;
    return s;
}

TEST(ComFormLibs, WithoutATerminalProgressIsWrittenAsAFewLines) {
    std::FILE* out = std::tmpfile();
    std::FILE* in = std::tmpfile();
    {
        vcl::TTerminalUI terminal(out, in);
        vcl::TUserInterface* previous = vcl::SetUserInterface(&terminal);
        rtl::IPtr<IProgress_001> progress;
        GetIProgressEx(progress, "Загрузка", "Чтение записей", 100, 5);
        for (int i = 0; i < 100; ++i) progress->Step("запись");
        progress.Reset();
        rtl::TStringList lines{"a.xls", "b.xls"};
        ShowFileList1(lines, "Файлы");
        vcl::SetUserInterface(previous);
    }
    const std::string text = ReadAll(out);
    EXPECT_NE(text.find("Загрузка: Чтение записей (100)\n"), std::string::npos);
    EXPECT_NE(text.find("Загрузка: Чтение записей 50%\n"), std::string::npos);
    EXPECT_NE(text.find("Загрузка: Чтение записей 100%\n"), std::string::npos);
    int lines = 0;
    for (char c : text) lines += c == '\n';
    EXPECT_EQ(lines, 1 + 10 + 3);  // the phase, one line per tenth, the list with its title
    EXPECT_NE(text.find("== Файлы ==\na.xls\nb.xls\n"), std::string::npos);
    std::fclose(out);
    std::fclose(in);
}

}  // namespace
