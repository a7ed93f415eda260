// The output settings panel driven by the operator: modes and the modes a window offers,
// the page height a window asks for, the compact look, the options of each mode, the
// folders with their menus and the fixed address, and the events each change raises.
#include "YmaTestForm.h"

#include "rtl/Files.h"
#include "vcl/Printers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

using namespace ymatest;
using yma::TRepMode;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// Heights of the panel's parts: the mode row, the current-record row and the pages'
// own rows (preview and save three, e-mail five).
constexpr int kModeRow = 24, kRecordRow = 20, kPreviewPage = 70, kEmailPage = 114;

class ReportSettingsTest : public FormTest {
protected:
    yma::TReportSettings* rs() { return form->ReportSettings1; }

    // A folder of the test's own, removed afterwards.
    std::string TempFolder(const std::string& name) {
        const std::string dir = rtl::GetTempDir() + "ymacomp-" + std::to_string(::getpid()) + "-" + name;
        std::filesystem::remove_all(dir);
        made_.push_back(dir);
        return dir;
    }
    void TearDown() override {
        for (const auto& d : made_) std::filesystem::remove_all(d);
        vcl::Printer()->Printers()->Clear();
    }

private:
    std::vector<std::string> made_;
};

TEST_F(ReportSettingsTest, OperatorSwitchesModesAndOnlyTheModesPageShows) {
    rs()->ModeButton(TRepMode::rmdSave)->UserClick();
    EXPECT_EQ(rs()->RepMode(), TRepMode::rmdSave);
    EXPECT_FALSE(rs()->ByEmailMode());
    EXPECT_THAT(log, ElementsAre("Delta", "ChangeMode", "Settings"));
    EXPECT_TRUE(rs()->Page(TRepMode::rmdSave)->Showing());
    EXPECT_FALSE(rs()->Page(TRepMode::rmdPreview)->Showing());
    EXPECT_TRUE(rs()->SaveNewNameBox()->Showing());
    EXPECT_FALSE(rs()->EmailNewNameBox()->Showing());

    // Clicking the chosen mode again is no change.
    log.clear();
    rs()->ModeButton(TRepMode::rmdSave)->UserClick();
    EXPECT_THAT(log, IsEmpty());

    // Code sets the mode through the same button and raises the same events.
    rs()->SetRepMode(TRepMode::rmdByEmail);
    EXPECT_TRUE(rs()->ByEmailMode());
    EXPECT_TRUE(rs()->ModeButton(TRepMode::rmdByEmail)->Checked());
    EXPECT_FALSE(rs()->ModeButton(TRepMode::rmdSave)->Checked());
    EXPECT_THAT(log, ElementsAre("Delta", "ChangeMode", "Settings"));
    log.clear();
    rs()->SetPropValue("RepMode", 0);
    EXPECT_EQ(rs()->RepMode(), TRepMode::rmdPreview);
    EXPECT_THAT(log, ElementsAre("Delta", "ChangeMode", "Settings"));
}

TEST_F(ReportSettingsTest, AModeOutsideModeListCannotBeChosen) {
    // The frame's panel offers preview and save only.
    rs()->SetModeList({TRepMode::rmdPreview, TRepMode::rmdSave});
    EXPECT_FALSE(rs()->ModeButton(TRepMode::rmdByEmail)->Visible());
    rs()->ModeButton(TRepMode::rmdByEmail)->UserClick();
    rs()->SetRepMode(TRepMode::rmdByEmail);
    rs()->SetPropValue("RepMode", static_cast<int>(TRepMode::rmdByEmail));
    EXPECT_EQ(rs()->RepMode(), TRepMode::rmdPreview);
    EXPECT_THAT(log, IsEmpty());

    // A list without the current mode hands over to its first mode.
    rs()->SetModeList({TRepMode::rmdSave, TRepMode::rmdByEmail});
    EXPECT_EQ(rs()->RepMode(), TRepMode::rmdSave);
    EXPECT_FALSE(rs()->ModeButton(TRepMode::rmdPreview)->Visible());
    EXPECT_THAT(log, ElementsAre("Delta", "ChangeMode", "Settings"));

    // An empty list still offers preview.
    rs()->SetModeList({});
    EXPECT_EQ(rs()->ModeList(), (yma::TRepModes{TRepMode::rmdPreview}));
    EXPECT_EQ(rs()->RepMode(), TRepMode::rmdPreview);
}

TEST_F(ReportSettingsTest, TheFormResourceSetsModesWithoutEvents) {
    // The resource linked the handlers before it set properties; none ran.
    Log created;
    Owned<TSettingsForm> other(vcl::Create<TSettingsForm>(nullptr, &created));
    EXPECT_THAT(created, IsEmpty());
    EXPECT_TRUE(other->ReportSettings1->IsNewFileName());
    EXPECT_TRUE(other->ReportSettings1->EmailNewNameBox()->Checked());
}

TEST_F(ReportSettingsTest, EachModeAsksTheWindowForExtraHeightAndAddedControlsShowOnTheirPage) {
    rs()->AddControl(TRepMode::rmdByEmail, form->rdgrpEMail);
    EXPECT_EQ(form->rdgrpEMail->Parent(), rs()->Page(TRepMode::rmdByEmail));
    EXPECT_EQ(form->rdgrpEMail->Top(), kEmailPage);  // under the page's own rows
    EXPECT_FALSE(form->rdgrpEMail->Showing());
    EXPECT_EQ(rs()->Height(), kModeRow + kRecordRow + kPreviewPage);

    rs()->ModeButton(TRepMode::rmdByEmail)->UserClick();
    EXPECT_EQ(rs()->DeltaHeight(), 32);
    EXPECT_EQ(rs()->Height(), kModeRow + kRecordRow + kEmailPage + 32);
    EXPECT_TRUE(form->rdgrpEMail->Showing());

    // A new answer counts only once the window asks for it again with -1.
    form->EmailDelta = 50;
    EXPECT_EQ(rs()->Height(), kModeRow + kRecordRow + kEmailPage + 32);
    log.clear();
    rs()->SetDeltaHeight(-1);
    EXPECT_THAT(log, ElementsAre("Delta"));
    EXPECT_EQ(rs()->Height(), kModeRow + kRecordRow + kEmailPage + 50);
    rs()->SetDeltaHeight(10);  // a fixed value is taken as it is
    EXPECT_EQ(rs()->Height(), kModeRow + kRecordRow + kEmailPage + 10);

    rs()->ModeButton(TRepMode::rmdPreview)->UserClick();
    EXPECT_EQ(rs()->DeltaHeight(), 0);
    EXPECT_EQ(rs()->Height(), kModeRow + kRecordRow + kPreviewPage);
    EXPECT_FALSE(form->rdgrpEMail->Showing());

    // Without a handler, -1 means no extra height.
    rs()->OnCanReDeltaHeight = nullptr;
    rs()->SetDeltaHeight(-1);
    EXPECT_EQ(rs()->DeltaHeight(), 0);

    // A freed control leaves its page.
    vcl::TObject::Free(form->rdgrpEMail);
    form->rdgrpEMail = nullptr;
    rs()->SetRepMode(TRepMode::rmdByEmail);
    EXPECT_EQ(rs()->Page(TRepMode::rmdByEmail)->ControlCount(), 7);
}

TEST_F(ReportSettingsTest, ShortStyleFoldsThePanelToItsModeRowWithoutEvents) {
    rs()->SetRepMode(TRepMode::rmdByEmail);
    log.clear();
    rs()->StyleButton()->UserClick();
    EXPECT_TRUE(rs()->ShortStyle());
    EXPECT_EQ(rs()->Height(), kModeRow + kRecordRow);
    EXPECT_FALSE(rs()->Page(TRepMode::rmdByEmail)->Showing());
    EXPECT_EQ(rs()->StyleButton()->Hint(), "Развернуть");
    // The modes stay at hand in the compact look.
    rs()->ModeButton(TRepMode::rmdSave)->UserClick();
    EXPECT_EQ(rs()->RepMode(), TRepMode::rmdSave);
    EXPECT_FALSE(rs()->Page(TRepMode::rmdSave)->Showing());
    log.clear();
    rs()->SetShortStyle(false);
    EXPECT_TRUE(rs()->Page(TRepMode::rmdSave)->Showing());
    EXPECT_EQ(rs()->Height(), kModeRow + kRecordRow + kPreviewPage);
    EXPECT_EQ(rs()->StyleButton()->Hint(), "Свернуть");
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(ReportSettingsTest, CurrentRecordSwitchAndItsVisibility) {
    rs()->CurrentRecordBox()->UserClick();
    EXPECT_TRUE(rs()->UseCurrentRecord());
    EXPECT_THAT(log, ElementsAre("CurrentRec", "Settings"));

    // Hidden, the switch goes off (with its events) and cannot be turned on.
    log.clear();
    rs()->SetCurrentRecordVisible(false);
    EXPECT_FALSE(rs()->UseCurrentRecord());
    EXPECT_FALSE(rs()->CurrentRecordBox()->Visible());
    EXPECT_EQ(rs()->Height(), kModeRow + kPreviewPage);
    EXPECT_THAT(log, ElementsAre("CurrentRec", "Settings"));
    log.clear();
    rs()->SetUseCurrentRecord(true);
    EXPECT_FALSE(rs()->UseCurrentRecord());
    EXPECT_THAT(log, IsEmpty());

    rs()->SetCurrentRecordVisible(true);
    rs()->SetUseCurrentRecord(true);
    EXPECT_TRUE(rs()->UseCurrentRecord());
    EXPECT_THAT(log, ElementsAre("CurrentRec", "Settings"));
}

TEST_F(ReportSettingsTest, PrintOptionsFollowAutoPrintAndTheSystemsPrinters) {
    vcl::Printer()->Printers()->SetCommaText("Office,Hall");
    EXPECT_TRUE(rs()->PrintersExists());
    EXPECT_FALSE(rs()->CopiesEdit()->Enabled());
    rs()->CopiesEdit()->UserUp();  // disabled: the operator cannot reach it
    EXPECT_EQ(rs()->Copies(), 1);

    rs()->AutoPrintBox()->UserClick();
    EXPECT_TRUE(rs()->AutoPrint());
    EXPECT_TRUE(rs()->CopiesEdit()->Enabled());
    EXPECT_TRUE(rs()->PrinterBox()->Enabled());
    EXPECT_EQ(rs()->PrinterBox()->Items()->CommaText(), "Office,Hall");
    rs()->CopiesEdit()->UserUp();
    EXPECT_EQ(rs()->Copies(), 2);
    EXPECT_EQ(rs()->PrinterIndex(), -1);  // the default printer until one is picked
    rs()->PrinterBox()->UserSelect(1);
    EXPECT_EQ(rs()->PrinterIndex(), 1);
    EXPECT_THAT(log, ElementsAre("Settings", "Settings", "Settings"));

    // From code: copies report as an edit does, the printer choice stays quiet; an
    // index outside the list is the default printer.
    log.clear();
    rs()->SetCopies(5000);
    EXPECT_EQ(rs()->Copies(), 999);
    rs()->SetPrinterIndex(7);
    EXPECT_EQ(rs()->PrinterIndex(), -1);
    EXPECT_THAT(log, ElementsAre("Settings"));

    // Printers gone: there is nothing to choose.
    vcl::Printer()->Printers()->Clear();
    rs()->SetAutoPrint(false);
    rs()->SetAutoPrint(true);
    EXPECT_FALSE(rs()->PrintersExists());
    EXPECT_FALSE(rs()->PrinterBox()->Enabled());
    EXPECT_EQ(rs()->PrinterIndex(), -1);
    EXPECT_THROW(vcl::Printer()->SetPrinterIndex(0), vcl::EPrinter);
}

TEST_F(ReportSettingsTest, OperatorTypesFoldersAndIsAskedBeforeTheSendFolderMoves) {
    const std::string saved = TempFolder("saved"), sent = TempFolder("sent"), other = TempFolder("other");
    rs()->ModeButton(TRepMode::rmdSave)->UserClick();
    log.clear();
    rs()->SaveFolderEdit()->UserType("  " + saved + "  ");
    form->RepBtn->UserClick();  // leaving the edit takes the entry
    EXPECT_EQ(rs()->FldrSavingRep(), saved + "/");
    EXPECT_EQ(rs()->SaveFolderEdit()->Text(), saved + "/");
    EXPECT_THAT(log, ElementsAre("Settings"));

    // Code sets the send folder as given (with its delimiter), as an edit reports it.
    rs()->SetFldrSendRep(sent);
    EXPECT_EQ(rs()->FldrSendRep(), sent + "/");
    rs()->ModeButton(TRepMode::rmdByEmail)->UserClick();
    log.clear();

    ui.QueueAnswer(vcl::IDNO);
    rs()->SendFolderEdit()->UserType(other);
    rs()->SendFolderEdit()->UserKey(vcl::VK_RETURN);
    EXPECT_EQ(ui.LastBox().Text, "Изменить папку для отправки отчётов?");
    EXPECT_EQ(ui.LastBox().Caption, "Смена папки для отправки");
    EXPECT_EQ(rs()->FldrSendRep(), sent + "/");
    EXPECT_EQ(rs()->SendFolderEdit()->Text(), sent + "/");
    EXPECT_THAT(log, IsEmpty());

    ui.QueueAnswer(vcl::IDYES);
    rs()->SendFolderEdit()->UserType(other);  // still in the edit: the text was put back whole
    EXPECT_EQ(rs()->SendFolderEdit()->Text(), sent + "/" + other);
    rs()->SendFolderEdit()->UserKey(vcl::VK_ESCAPE);
    EXPECT_EQ(rs()->SendFolderEdit()->Text(), sent + "/");
    rs()->SendFolderEdit()->UserType(other);
    form->RepBtn->UserClick();
    EXPECT_EQ(rs()->FldrSendRep(), other + "/");
    EXPECT_THAT(log, ElementsAre("Settings"));
}

TEST_F(ReportSettingsTest, FolderMenusCreateMissingFoldersAndCarryTheWindowsItems) {
    const std::string base = TempFolder("menu");
    const std::string send = base + "/send/";
    rs()->SetFldrSendRep(send);
    rs()->SetRepMode(TRepMode::rmdByEmail);

    // The window's extension, as the report frame makes it: an item of its own, and a
    // popup handler that runs the panel's first and then enables the item.
    vcl::TPopupMenu* menu = rs()->Mn_SendRepFolder();
    auto* sendItem = vcl::Create<vcl::TMenuItem>(rs());
    sendItem->SetName("SendRepFolderItem");
    sendItem->SetCaption("Отправка по электронной почте");
    menu->Items()->Add(sendItem);
    const vcl::TNotifyEvent previous = menu->OnPopup;
    menu->OnPopup = vcl::TNotifyEvent::FromFunction([&, previous](vcl::TObject* sender) {
        if (previous) previous(sender);
        sendItem->SetEnabled(rtl::DirectoryExists(rs()->FldrSendRep()));
    });
    log.clear();

    rs()->SendFolderButton()->UserClick();
    EXPECT_TRUE(menu->IsOpen());
    EXPECT_EQ(menu->PopupComponent(), rs()->SendFolderButton());
    vcl::TMenuItem* openItem = menu->Items()->Items(0);
    EXPECT_EQ(openItem->Caption(), "Создать");
    EXPECT_FALSE(sendItem->Enabled());

    ui.QueueAnswer(vcl::IDNO);
    openItem->UserClick();
    EXPECT_EQ(ui.LastBox().Text, "Папка «" + send + "» не существует.\r\nСоздать её?");
    EXPECT_FALSE(rtl::DirectoryExists(send));

    ui.QueueAnswer(vcl::IDYES);
    openItem->UserClick();
    EXPECT_TRUE(rtl::DirectoryExists(send));
    EXPECT_THAT(log, ElementsAre("Open " + send));

    rs()->SendFolderButton()->UserClick();
    EXPECT_EQ(openItem->Caption(), "Открыть");
    EXPECT_TRUE(sendItem->Enabled());

    // A folder that cannot be made (a file stands in its way) is an error, not opened.
    std::ofstream(base + "/file") << "x";
    rs()->ModeButton(TRepMode::rmdSave)->UserClick();
    rs()->SetFldrSavingRep(base + "/file/reports");
    log.clear();
    rs()->SaveFolderButton()->UserClick();
    ui.QueueAnswer(vcl::IDYES);
    rs()->SaveFolderMenu()->Items()->Items(0)->UserClick();
    EXPECT_EQ(ui.LastBox().Icon(), vcl::TMsgIcon::Error);
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(ReportSettingsTest, FixedAddressIsEnteredPickedAndRemembered) {
    rs()->SetFldrSendRep("/srv/send");
    rs()->ModeButton(TRepMode::rmdByEmail)->UserClick();
    EXPECT_FALSE(rs()->EmailBox()->Enabled());
    log.clear();

    rs()->FixedAddressBox()->UserClick();
    EXPECT_TRUE(rs()->UseCurrentAddress());
    EXPECT_TRUE(rs()->EmailBox()->Enabled());
    rs()->EmailBox()->UserType(" ivanov@bank.ru");
    rs()->EmailBox()->UserKey(vcl::VK_RETURN);
    EXPECT_EQ(rs()->CurrentEmail(), "ivanov@bank.ru");
    EXPECT_EQ(rs()->EmailList()->CommaText(), "ivanov@bank.ru");
    EXPECT_EQ(rs()->EmailIndex(), 0);
    EXPECT_EQ(rs()->FldrEmailAddr(), "/srv/send/ivanov@bank.ru/");
    EXPECT_THAT(log, ElementsAre("Settings", "Settings"));

    // An address with characters no address holds is refused.
    log.clear();
    rs()->SetCurrentEmail("");  // code: quiet
    rs()->EmailBox()->UserType("petrov bank.ru");
    form->RepBtn->UserClick();
    EXPECT_EQ(ui.LastBox().Text, "Недопустимые символы: \"petrov bank.ru\"");
    EXPECT_EQ(ui.LastBox().Icon(), vcl::TMsgIcon::Warning);
    EXPECT_EQ(rs()->CurrentEmail(), "");
    EXPECT_THAT(log, IsEmpty());

    // The stored list as the window loads it, then the operator's pick.
    rs()->EmailList()->SetDelimitedText("\"a@x.ru\",\"b@y.ru\"");
    rs()->SetEmailIndex(1);
    EXPECT_EQ(rs()->CurrentEmail(), "b@y.ru");
    EXPECT_THAT(log, IsEmpty());
    rs()->EmailBox()->UserSelect(0);
    EXPECT_EQ(rs()->CurrentEmail(), "a@x.ru");
    EXPECT_EQ(rs()->GetStringsProp("EmailList")->Count(), 2);
    EXPECT_THAT(log, ElementsAre("Settings"));

    // Off, the address box is out of the operator's reach again.
    rs()->SetUseCurrentAddress(false);
    EXPECT_FALSE(rs()->EmailBox()->Enabled());
    EXPECT_FALSE(rs()->EmailFolderButton()->Enabled());
}

TEST_F(ReportSettingsTest, AddresseeFolderNamesStayInsideTheSendFolder) {
    struct Case {
        const char* address;
        const char* folder;
    };
    const Case cases[] = {
        {"ivanov@bank.ru", "ivanov@bank.ru"},
        {"a/b\\c:d*e?f\"g<h>i|j", "a_b_c_d_e_f_g_h_i_j"},
        {"..", "_"},
        {".", "_"},
        {"", ""},
        {"Иванов@банк.рф", "Иванов@банк.рф"},
    };
    for (const Case& c : cases) EXPECT_EQ(yma::AddresseeFolderName(c.address), c.folder) << c.address;
}

TEST_F(ReportSettingsTest, NewFileNameIsOneSettingShownOnTwoPages) {
    rs()->ModeButton(TRepMode::rmdByEmail)->UserClick();
    log.clear();
    rs()->EmailNewNameBox()->UserClick();  // on since the resource; the operator turns it off
    EXPECT_FALSE(rs()->IsNewFileName());
    EXPECT_FALSE(rs()->SaveNewNameBox()->Checked());
    EXPECT_THAT(log, ElementsAre("Settings"));
    log.clear();
    rs()->SetIsNewFileName(true);
    EXPECT_TRUE(rs()->EmailNewNameBox()->Checked());
    EXPECT_THAT(log, ElementsAre("Settings"));
}

TEST_F(ReportSettingsTest, PropertiesAreReachableByName) {
    rs()->SetPropValue("ShortStyle", true);
    rs()->SetPropValue("FldrSavingRep", "/data/rep");
    rs()->SetPropValue("AutoPrint", true);
    EXPECT_TRUE(rs()->ShortStyle());
    EXPECT_EQ(rs()->GetPropValue("FldrSavingRep").AsString(), "/data/rep/");
    EXPECT_TRUE(rs()->GetPropValue("AutoPrint").AsBoolean());
    EXPECT_EQ(rs()->GetObjectProp("SourceReference"), form->YMASourcesReference);
    EXPECT_THROW(rs()->SetPropValue("PrintersExists", true), rtl::EPropertyError);
}

}  // namespace
