// The user-interface service: the scripted recorder of the tests, the default button of
// a box, and the terminal implementation when nobody sits at a terminal.
#include "vcl/ScriptedUI.h"
#include "vcl/TerminalUI.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using namespace vcl;

HWND FakeOwner() { return reinterpret_cast<HWND>(std::uintptr_t{0x1234}); }

TEST(ScriptedUI, RecordsEveryBoxAsShown) {
    TScriptedUI ui;
    EXPECT_EQ(MessageBox(FakeOwner(), "Файл сохранён", "Отчёт", MB_OK | MB_ICONINFORMATION | MB_TOPMOST), IDOK);
    MessageBeep(MB_ICONERROR);
    ShowMessage("plain");

    ASSERT_EQ(ui.Boxes().size(), 2u);
    const TRecordedBox& first = ui.Boxes()[0];
    EXPECT_EQ(first.Owner, FakeOwner());
    EXPECT_EQ(first.Text, "Файл сохранён");
    EXPECT_EQ(first.Caption, "Отчёт");
    EXPECT_EQ(first.Flags, MB_OK | MB_ICONINFORMATION | MB_TOPMOST);
    EXPECT_EQ(first.Icon(), TMsgIcon::Information);
    EXPECT_TRUE(first.TopMost());
    EXPECT_FALSE(first.TaskModal());
    EXPECT_EQ(first.Result, IDOK);

    const TRecordedBox& shown = ui.LastBox();
    EXPECT_EQ(shown.Text, "plain");
    EXPECT_EQ(shown.Caption, ApplicationTitle());
    EXPECT_EQ(ApplicationTitle(), "vcl_tests");
    EXPECT_EQ(shown.Owner, nullptr);
    EXPECT_EQ(shown.Icon(), TMsgIcon::None);
    EXPECT_EQ(ui.Beeps(), std::vector<UINT>{MB_ICONERROR});

    ui.Clear();
    EXPECT_TRUE(ui.Boxes().empty());
    EXPECT_TRUE(ui.Beeps().empty());
    EXPECT_THROW(ui.LastBox(), rtl::Exception);
}

TEST(ScriptedUI, QuestionsTakeTheQueuedAnswersInOrder) {
    TScriptedUI ui;
    ui.QueueAnswer(IDNO);
    ui.QueueAnswer(IDCANCEL);
    EXPECT_EQ(MessageBox(nullptr, "info", "", MB_OK), IDOK) << "a plain box takes no answer";
    EXPECT_EQ(ui.PendingAnswers(), 2u);
    EXPECT_EQ(MessageBox(nullptr, "first?", "", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBox(nullptr, "second?", "", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(ui.PendingAnswers(), 0u);
    EXPECT_EQ(ui.Boxes()[1].Result, IDNO);
    EXPECT_EQ(ui.Boxes()[2].Result, IDCANCEL);

    try {
        MessageBox(nullptr, "unexpected?", "caption", MB_YESNOCANCEL);
        FAIL() << "a question with no answer queued must throw";
    } catch (const rtl::Exception& e) {
        EXPECT_NE(std::string(e.what()).find("unexpected?"), std::string::npos) << e.what();
    }
    ASSERT_EQ(ui.Boxes().size(), 4u) << "the unanswered question is recorded too";
    EXPECT_EQ(ui.LastBox().Text, "unexpected?");
}

TEST(ScriptedUI, NestedRecordersRestoreThePreviousOne) {
    TUserInterface* const before = &UI();
    {
        TScriptedUI outer;
        EXPECT_EQ(&UI(), &outer);
        {
            TScriptedUI inner;
            EXPECT_EQ(&UI(), &inner);
            MessageBox(nullptr, "to inner", "", MB_OK);
            EXPECT_EQ(inner.Boxes().size(), 1u);
        }
        EXPECT_EQ(&UI(), &outer);
        MessageBox(nullptr, "to outer", "", MB_OK);
        ASSERT_EQ(outer.Boxes().size(), 1u);
        EXPECT_EQ(outer.Boxes()[0].Text, "to outer");
    }
    EXPECT_EQ(&UI(), before);
}

TEST(MessageBoxInfo, DefaultResultIsTheDefaultButtonsAnswer) {
    const struct {
        UINT flags;
        int expected;
    } cases[] = {
        {MB_OK, IDOK},
        {MB_OK | MB_DEFBUTTON2, IDOK},
        {MB_OKCANCEL, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_ABORTRETRYIGNORE, IDABORT},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_YESNO, IDYES},
        {MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TASKMODAL, IDNO},
        {MB_RETRYCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO | 0x300, IDYES},  // a fourth default button does not exist: the first one
        {0x6, IDOK},                // a button set this platform does not know
    };
    for (const auto& c : cases) {
        TMessageBoxInfo box;
        box.Flags = c.flags;
        EXPECT_EQ(box.DefaultResult(), c.expected) << std::hex << "flags 0x" << c.flags;
    }
}

TEST(MessageBoxInfo, IconFromFlags) {
    const std::pair<UINT, TMsgIcon> cases[] = {
        {MB_OK, TMsgIcon::None},
        {MB_ICONERROR | MB_YESNO, TMsgIcon::Error},
        {MB_ICONQUESTION, TMsgIcon::Question},
        {MB_ICONWARNING | MB_TOPMOST, TMsgIcon::Warning},
        {MB_ICONINFORMATION | MB_DEFBUTTON2, TMsgIcon::Information},
    };
    for (const auto& [flags, icon] : cases) {
        TMessageBoxInfo box;
        box.Flags = flags;
        EXPECT_EQ(box.Icon(), icon) << std::hex << flags;
    }
}

std::string ReadAll(std::FILE* f) {
    std::rewind(f);
    std::string text;
    char buf[256];
    while (const std::size_t n = std::fread(buf, 1, sizeof buf, f)) text.append(buf, n);
    return text;
}

TEST(TerminalUI, WithoutATerminalAnswersTheDefaultButton) {
    std::FILE* out = std::tmpfile();
    std::FILE* in = std::tmpfile();
    ASSERT_TRUE(out && in);
    std::fputs("y\n", in);  // never read: the input is not a terminal
    std::rewind(in);
    {
        TTerminalUI ui(out, in);
        EXPECT_EQ(ui.MessageBox({nullptr, "Удалить файлы?", "Подтверждение", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2}),
                  IDNO);
        EXPECT_EQ(ui.MessageBox({nullptr, "Повторить?", "", MB_RETRYCANCEL}), IDRETRY);
        EXPECT_EQ(ui.MessageBox({nullptr, "Готово", "", MB_OK | MB_ICONINFORMATION}), IDOK);
        ui.Beep(MB_OK);
    }
    const std::string text = ReadAll(out);
    EXPECT_NE(text.find("Подтверждение"), std::string::npos) << text;
    EXPECT_NE(text.find("Удалить файлы?\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[N]o (default, no terminal)"), std::string::npos) << text;
    EXPECT_NE(text.find("[R]etry (default, no terminal)"), std::string::npos) << text;
    EXPECT_NE(text.find("Готово\n"), std::string::npos) << text;
    EXPECT_EQ(text.find('\a'), std::string::npos) << "no beep without a terminal";
    std::fclose(out);
    std::fclose(in);
}

}  // namespace
