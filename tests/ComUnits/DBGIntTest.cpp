// The debug library link against the stand-in DBG.dll built beside the test program.
#include "ComUnits/uDBGInt.h"

#include "res/Ucomresources.h"
#include "vcl/ScriptedUI.h"

#include <gtest/gtest.h>

namespace {

class DBGInt : public ::testing::Test {
protected:
    vcl::TScriptedUI ui;
    void SetUp() override { UnloadDBGLib(); }
    void TearDown() override {
        UnloadDBGLib();
        SetComLanguages(nullptr);
    }

    static std::string Missing(const res::TAplResString& what, const char* name) {
        return "uDBGInt: " + TranslateAplText(what) + " DBG.dll: \"" + name + "\".";
    }
};

TEST_F(DBGInt, ExportedCallsReachTheLibrary) {
    EXPECT_FALSE(DbgIsEnable());
    SetDbgIsEnable(true);
    EXPECT_TRUE(DbgIsEnable());
    int options = 0;
    EXPECT_TRUE(CnfDebugOptionsExt(&options));
    EXPECT_EQ(options, 42);
    EXPECT_FALSE(CnfDebugOptionsExt(nullptr));
    EXPECT_TRUE(ui.Boxes().empty());

    UnloadDBGLib();
    EXPECT_FALSE(DbgIsEnable()) << "loaded afresh after unloading";
}

TEST_F(DBGInt, AMissingFunctionIsReportedOnceAndAnswersFalse) {
    EXPECT_FALSE(DbgIsBeforeReport());
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.LastBox().Text, Missing(rstr_msg_NorFoundFunction, "_DbgIsBeforeReport"));
    EXPECT_EQ(ui.LastBox().Text, "uDBGInt: Не найдена функция DBG.dll: \"_DbgIsBeforeReport\".");
    EXPECT_EQ(ui.LastBox().Buttons(), vcl::MB_OK);
}

TEST_F(DBGInt, AMissingProcedureIsReportedOnce) {
    SetComLanguages(std::make_unique<TEnglishLanguagesDM>());
    SetDbgIsBeforeReport(true);
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.LastBox().Text, "uDBGInt: Procedure not found DBG.dll: \"_SetDbgIsBeforeReport\".");
    EXPECT_EQ(ui.LastBox().Text, Missing(rstr_msg_NorFoundProcedure, "_SetDbgIsBeforeReport"));
    EXPECT_FALSE(DbgIsEnable()) << "the other exports still work";
    EXPECT_EQ(ui.Boxes().size(), 1u);
}

}  // namespace
