// The report data module base: construction order, the progress contract with its
// cancel button, silence, the period and the stopwatch.
#include "FormReposit/uYMABaseDM.h"

#include "ComUnits/uComFunctions.h"
#include "db/ClientDataSet.h"
#include "res/Ucomresources.h"
#include "vcl/ScriptedUI.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string>* gLog = nullptr;

// A report module as the system builds them: its form resource makes a data set and
// sets OldCreateOrder; its OnCreate and AfterCreate note when they ran.
class TTestReportDM : public TYMABaseDM {
public:
    using TYMABaseDM::TYMABaseDM;
    db::TClientDataSet* DS = nullptr;
    bool SilentSeenByCreate = true;

    void AfterCreate() override {
        gLog->push_back("AfterCreate");
        TYMABaseDM::AfterCreate();
    }

protected:
    void CreateFormComponents() override {
        SetOldCreateOrder(true);
        DS = vcl::Create<db::TClientDataSet>(this);
        DS->SetName("DS");
        OnCreate = vcl::TNotifyEvent(this, &TTestReportDM::DataModuleCreate);
        OnDestroy = vcl::TNotifyEvent(this, &TTestReportDM::DataModuleDestroy);
    }

private:
    void DataModuleCreate(rtl::TObject*) {
        gLog->push_back("OnCreate");
        SilentSeenByCreate = Silent;
    }
    void DataModuleDestroy(rtl::TObject*) {
        gLog->push_back(std::string("OnDestroy progress ") + (FIProgress ? "open" : "closed"));
    }
};

struct Free {
    void operator()(rtl::TObject* o) const { rtl::TObject::Free(o); }
};

class YMABaseDMTest : public ::testing::Test {
protected:
    void SetUp() override { gLog = &log; }
    void TearDown() override { gLog = nullptr; }
    std::unique_ptr<TTestReportDM, Free> Make() { return std::unique_ptr<TTestReportDM, Free>(vcl::Create<TTestReportDM>(nullptr)); }

    std::vector<std::string> log;
    vcl::TScriptedUI ui;
};

TEST_F(YMABaseDMTest, OnCreateRunsInsideConstructionBeforeAfterCreate) {
    auto dm = Make();
    EXPECT_EQ(log, (std::vector<std::string>{"OnCreate", "AfterCreate"}));
    EXPECT_FALSE(dm->Silent);
    EXPECT_TRUE(dm->ShowProgress);
    ASSERT_NE(dm->ScrollList, nullptr);
    // The registry sees the module's components: its data set is delivered.
    std::vector<vcl::TComponent*> seen;
    dm->ScrollList->Subscribe(db::TDataSet::StaticClass(),
                              TOnComponentsScrollEvent::FromFunction([&](vcl::TComponent* c) { seen.push_back(c); }));
    dm->ScrollList->Deliver();
    EXPECT_EQ(seen, std::vector<vcl::TComponent*>{dm->DS});
}

TEST_F(YMABaseDMTest, ProgressWindowShowsCaptionTextAndSteps) {
    auto dm = Make();
    dm->OpenProgress("Чтение данных", 3);
    EXPECT_TRUE(dm->StepProgress("1"));
    EXPECT_TRUE(dm->RestartProgress("Второй проход", 2));
    EXPECT_TRUE(dm->SetProgressText("строка"));
    EXPECT_TRUE(dm->StepProgress("2"));
    dm->CloseProgress();
    ASSERT_EQ(ui.Progresses().size(), 1u);
    const auto& p = ui.Progresses()[0];
    EXPECT_EQ(p.Caption, TranslateAplText(rstrLoading));
    EXPECT_EQ(p.Phases, (std::vector<std::string>{"Чтение данных", "Второй проход"}));
    EXPECT_EQ(p.Counts, (std::vector<int>{3, 2}));
    EXPECT_EQ(p.Texts, (std::vector<std::string>{"1", "строка", "2"}));
    EXPECT_TRUE(p.Closed);
}

TEST_F(YMABaseDMTest, CancelTurnsIntoAQuietUserBreak) {
    auto dm = Make();
    ui.CancelProgressAtStep(2);
    dm->OpenProgress("Подсчет", 10);
    int steps = 0;
    try {
        for (;;) {
            if (!dm->StepProgress("запись")) {
                dm->CloseProgress();
                dm->UserBreak();
            }
            ++steps;
        }
    } catch (const std::exception& e) {
        EXPECT_TRUE(IsUserBreak(e));
    }
    EXPECT_EQ(steps, 1);
    EXPECT_TRUE(ui.Progresses()[0].Cancelled);
    EXPECT_TRUE(ui.Progresses()[0].Closed);
    EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(YMABaseDMTest, WithoutProgressNothingOpensAndTheRunCannotBeCancelled) {
    auto dm = Make();
    dm->SetShowProgress(false);
    ui.CancelProgressAtStep(1);
    dm->OpenProgress("x", 5);
    EXPECT_TRUE(dm->StepProgress("a"));
    EXPECT_TRUE(dm->RestartProgress("b", 1));
    EXPECT_FALSE(dm->SetProgressText("c"));
    EXPECT_TRUE(ui.Progresses().empty());
}

TEST_F(YMABaseDMTest, ProgressWithoutWindowIsAProgrammingError) {
    auto dm = Make();
    const struct {
        std::function<void()> call;
        const char* message;
    } cases[] = {
        {[&] { dm->StepProgress("a"); }, "TYMABaseDM: FIProgresss is not created"},
        {[&] { dm->RestartProgress("a", 1); }, "TYMABaseDM: FIProgress is not created"},
        {[&] { dm->SetProgressText("a"); }, "TYMABaseDM: FIProgress is not created"},
    };
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.message;
        } catch (const rtl::EAssertionFailed& e) {
            EXPECT_EQ(e.AssertMessage(), c.message);
            EXPECT_EQ(e.Unit(), "FORMREPOSIT/uYMABaseDM");
        }
    }
}

TEST_F(YMABaseDMTest, OpeningAgainClosesTheOldWindow) {
    auto dm = Make();
    dm->OpenProgress("first", 1);
    dm->OpenProgress("second", 1);
    ASSERT_EQ(ui.Progresses().size(), 2u);
    EXPECT_TRUE(ui.Progresses()[0].Closed);
    EXPECT_FALSE(ui.Progresses()[1].Closed);
}

TEST_F(YMABaseDMTest, OnDestroyRunsBeforeTheWindowIsReleased) {
    {
        auto dm = Make();
        dm->OpenProgress("p", 1);
    }
    EXPECT_EQ(log.back(), "OnDestroy progress open");
    EXPECT_TRUE(ui.Progresses()[0].Closed);
}

TEST_F(YMABaseDMTest, SilentShowsNothingWhateverTheKind) {
    auto dm = Make();
    dm->SetSilent(true);
    for (std::uint8_t kind : {0, 1, 2, 3, 7}) {
        dm->ShowMsg("text", "caption", kind);
        dm->ShowKindMsg("text", kind);
    }
    EXPECT_TRUE(ui.Boxes().empty());
    dm->SetSilent(false);
    dm->ShowKindMsg("Ошибка отчета", 1);
    dm->ShowMsg("Внимание", "Заголовок", 0);
    ASSERT_EQ(ui.Boxes().size(), 2u);
    EXPECT_EQ(ui.Boxes()[0].Caption, TranslateAplText(rstrError));
    EXPECT_EQ(ui.Boxes()[0].Icon(), vcl::TMsgIcon::Error);
    EXPECT_EQ(ui.Boxes()[1].Caption, "Заголовок");
    EXPECT_EQ(ui.Boxes()[1].Icon(), vcl::TMsgIcon::Warning);
}

TEST_F(YMABaseDMTest, SetPeriodStoresBothEnds) {
    auto dm = Make();
    dm->SetPeriod(rtl::EncodeDate(2026, 3, 1), rtl::EncodeDate(2026, 3, 31));
    EXPECT_EQ(dm->PeriodBegin.Value(), rtl::EncodeDate(2026, 3, 1).Value());
    EXPECT_EQ(dm->PeriodEnd.Value(), rtl::EncodeDate(2026, 3, 31).Value());
}

TEST(TicksToText, MinutesSecondsMilliseconds) {
    const struct {
        std::uint32_t ms;
        const char* text;
    } cases[] = {{0, "0:0:000"},    {999, "0:0:999"},   {1000, "0:1:000"}, {59999, "0:59:999"},
                 {60000, "1:0:000"}, {61005, "1:1:005"}, {3600000, "60:0:000"}};
    for (const auto& c : cases) EXPECT_EQ(TicksToText(c.ms), c.text) << c.ms;
}

TEST(TickInfo, ElapsedWhileRunningAndAfterStopAcrossTheWrap) {
    TTickInfo t;
    t.Start();
    EXPECT_TRUE(t.Running);
    t.Stop();
    EXPECT_FALSE(t.Running);
    EXPECT_LT(t.Elapsed(), 1000u);
    t.StartTick = 0xFFFFFF00u;
    t.StopTick = 0x100u;
    EXPECT_EQ(t.Elapsed(), 0x200u);
    EXPECT_EQ(t.ElapsedText(), "0:0:512");
}

}  // namespace
