#include "ComUnits/uParams.h"

#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace {

class ParamsTest : public ::testing::Test {
protected:
    std::unique_ptr<TMyParams, rtl::TObjectFree> Params{new TMyParams};
};

rtl::EAssertionFailed CatchAssertion(const std::function<void()>& action) {
    try {
        action();
    } catch (const rtl::EAssertionFailed& e) {
        return e;
    }
    ADD_FAILURE() << "no assertion";
    return rtl::EAssertionFailed("", "", 0);
}

TEST_F(ParamsTest, NewParameterIsNullAndReadsAsDefaults) {
    for (TMyParamType type : {ptUnknown, ptBoolean, ptInteger, ptString}) {
        TMyParam* p = Params->CreateParam(type, "P");
        EXPECT_EQ(p->DataType(), type);
        EXPECT_TRUE(p->IsNull());
        EXPECT_FALSE(p->AsBoolean());
        EXPECT_EQ(p->AsInteger(), 0);
        EXPECT_EQ(p->AsString(), "");
        EXPECT_TRUE(p->GetValue().IsEmpty());
    }
}

TEST_F(ParamsTest, BooleanParameterReadsAsTheDataAccessWords) {
    TMyParam* p = Params->CreateParam(ptBoolean, "SRVDetail");
    p->SetAsBoolean(true);
    EXPECT_TRUE(p->AsBoolean());
    EXPECT_EQ(p->AsString(), "True");
    p->SetAsBoolean(false);
    EXPECT_FALSE(p->IsNull());
    EXPECT_EQ(p->AsString(), "False");

    // The writers set the type even on a parameter created untyped.
    TMyParam* q = Params->CreateParam(ptUnknown, "Count");
    q->SetAsInteger(42);
    EXPECT_EQ(q->DataType(), ptInteger);
    EXPECT_EQ(q->AsString(), "42");
    q->SetAsString("17");
    EXPECT_EQ(q->DataType(), ptString);
    EXPECT_EQ(q->AsInteger(), 17);
}

TEST_F(ParamsTest, UntypedParameterTakesTheTypeOfTheFirstValue) {
    struct Case {
        rtl::Variant Value;
        TMyParamType Expected;
    };
    const Case cases[] = {
        {std::int16_t{1}, ptInteger},           {std::int32_t{1}, ptInteger},
        {std::int8_t{1}, ptInteger},            {std::uint8_t{1}, ptInteger},
        {std::uint16_t{1}, ptInteger},          {std::uint32_t{1}, ptFloat},
        {1.5f, ptFloat},                        {1.5, ptFloat},
        {rtl::TDateTime(45000.5), ptDateTime},  {"text", ptString},
        {true, ptBoolean},                      {std::int64_t{1}, ptUnknown},
        {rtl::Currency{15000}, ptUnknown},      {rtl::Variant::Null(), ptUnknown},
        {rtl::Variant(), ptUnknown},
    };
    for (const Case& c : cases) {
        TMyParam* p = Params->CreateParam(ptUnknown, "P");
        p->SetValue(c.Value);
        EXPECT_EQ(p->DataType(), c.Expected) << rtl::VarTypeName(c.Value.VarType());
        EXPECT_EQ(p->GetValue().VarType(), c.Value.VarType());
    }
}

TEST_F(ParamsTest, TypedParameterKeepsItsTypeWhateverIsWritten) {
    TMyParam* p = Params->CreateParam(ptUnknown, "P");
    p->SetValue("abc");
    p->SetValue(5);
    EXPECT_EQ(p->DataType(), ptString);
    EXPECT_EQ(p->GetValue().VarType(), rtl::varInteger);
    EXPECT_EQ(p->AsInteger(), 5);

    // A null write keeps the type and makes the parameter null again.
    p->SetValue(rtl::Variant::Null());
    EXPECT_EQ(p->DataType(), ptString);
    EXPECT_TRUE(p->IsNull());
    EXPECT_EQ(p->AsInteger(), 0);

    p->SetValue("not a number");
    EXPECT_THROW(p->AsInteger(), rtl::EConvertError);
}

TEST_F(ParamsTest, PointerAndObjectParametersAreAlwaysNullAndSilent) {
    int calls = 0;
    for (TMyParamType type : {ptPointer, ptPersistent}) {
        TMyParam* p = Params->CreateParam(type, "Ref");
        p->OnAfterSetParam = TMyParamNotifyEvent::FromFunction([&](rtl::TObject*) { ++calls; });
        p->OnBeforeGetParam = TMyParamNotifyEvent::FromFunction([&](rtl::TObject*) { ++calls; });
        p->SetValue(7);
        EXPECT_TRUE(p->IsNull());
        EXPECT_EQ(p->GetValue().AsInteger(), 7);
        EXPECT_EQ(calls, 0);
        p->SetDataType(ptInteger);
        EXPECT_FALSE(p->IsNull());
        calls = 0;
    }
}

TEST_F(ParamsTest, FindParamIgnoresCaseAndTakesTheFirstOfAName) {
    TMyParam* detail = Params->CreateParam(ptBoolean, "SRVDetail");
    TMyParam* first = Params->CreateParam(ptInteger, "Dup");
    Params->CreateParam(ptString, "Dup");
    TMyParam* cyrillic = Params->CreateParam(ptString, "Сумма");
    EXPECT_EQ(Params->FindParam("srvdetail"), detail);
    EXPECT_EQ(Params->FindParam("DUP"), first);
    EXPECT_EQ(Params->FindParam("СУММА"), cyrillic);
    EXPECT_EQ(Params->FindParam("Absent"), nullptr);
    EXPECT_EQ(Params->ParamByName("SrvDetail"), detail);
}

TEST_F(ParamsTest, ParamByNameOfAnAbsentNameFailsAndLeavesTheCollection) {
    Params->CreateParam(ptBoolean, "SRVDetail");
    const auto e = CatchAssertion([&] { Params->ParamByName("NoSuch"); });
    EXPECT_EQ(e.AssertMessage(),
              "uParams.TMyParam._ShowError (Error 2001) by operation \"NoSuch\" : parameter\r\n"
              "\"NoSuch\" parameter is not exists");
    EXPECT_EQ(e.Unit(), "COMUNITS/uParams");
    EXPECT_EQ(e.Line(), 438);
    ASSERT_EQ(Params->Count(), 1);
    EXPECT_EQ(Params->Items(0)->Name(), "SRVDetail");
}

TEST_F(ParamsTest, ReadOnlyParameterRefusesWrites) {
    TMyParam* p = Params->CreateParam(ptInteger, "Locked");
    p->SetAsInteger(1);
    p->SetReadOnly(true);
    EXPECT_EQ(CatchAssertion([&] { p->SetValue(2); }).AssertMessage(),
              "uParams.TMyParam._ShowError (Error 2000) by operation \"Locked\" : parameter\r\n"
              "Parameter is ReadOnly (FReadOnly=True), for writing value execute SetReadOnLy(False).");
    EXPECT_EQ(p->AsInteger(), 1);
    p->SetReadOnly(false);
    p->SetValue(2);
    EXPECT_EQ(p->AsInteger(), 2);

    p->SetReadOnlyAlways();
    p->SetReadOnly(false);
    EXPECT_EQ(CatchAssertion([&] { p->SetAsInteger(3); }).AssertMessage(),
              "uParams.TMyParam._ShowError (Error 2000) by operation \"Locked\" : parameter\r\n"
              "Parameter always is ReadOnly(FReadOnlyAlways=True).");
    EXPECT_EQ(p->AsInteger(), 2);

    EXPECT_EQ(CatchAssertion([&] { p->_ShowError(7); }).AssertMessage(),
              "uParams.TMyParam._ShowError (Error 2007) by operation \"Locked\" : parameter\r\n???");
}

TEST_F(ParamsTest, AfterSetHandlerIsCalledOncePerOutsideWriteEvenWhenItWrites) {
    TMyParam* p = Params->CreateParam(ptInteger, "Rounded");
    int calls = 0;
    p->OnAfterSetParam = TMyParamNotifyEvent::FromFunction([&](rtl::TObject* sender) {
        ++calls;
        auto* self = static_cast<TMyParam*>(sender);
        self->SetValue(self->GetValue().AsInteger() / 10 * 10);
    });
    p->SetValue(47);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(p->AsInteger(), 40);
    p->SetAsInteger(123);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(p->AsInteger(), 120);

    // A failing handler does not leave the guard set.
    p->OnAfterSetParam = TMyParamNotifyEvent::FromFunction([&](rtl::TObject*) {
        ++calls;
        throw rtl::Exception("refused");
    });
    EXPECT_THROW(p->SetValue(1), rtl::Exception);
    EXPECT_THROW(p->SetValue(2), rtl::Exception);
    EXPECT_EQ(calls, 4);
}

TEST_F(ParamsTest, BeforeGetHandlerRunsBeforeEveryRead) {
    TMyParam* p = Params->CreateParam(ptUnknown, "Lazy");
    int calls = 0;
    p->OnBeforeGetParam = TMyParamNotifyEvent::FromFunction([&](rtl::TObject* sender) {
        ++calls;
        static_cast<TMyParam*>(sender)->SetValue(true);
    });
    EXPECT_TRUE(p->AsBoolean());
    EXPECT_EQ(p->AsString(), "True");
    EXPECT_EQ(p->AsInteger(), -1);
    EXPECT_TRUE(p->GetValue().AsBoolean());
    EXPECT_EQ(calls, 4);
}

TEST_F(ParamsTest, CollectionOwnsItsParametersUnlessRemoved) {
    TMyParam* a = Params->CreateParam(ptString, "A");
    TMyParam* b = Params->CreateParam(ptString, "B");
    Params->RemoveParam(a);
    std::unique_ptr<TMyParam, rtl::TObjectFree> removed{a};
    EXPECT_EQ(a->Collection(), nullptr);
    ASSERT_EQ(Params->Count(), 1);
    EXPECT_EQ(Params->Items(0), b);
    EXPECT_EQ(Params->FindParam("A"), nullptr);

    rtl::TObject::Free(b);
    EXPECT_EQ(Params->Count(), 0);
    Params->CreateParam(ptString, "C");
    Params->Clear();
    EXPECT_EQ(Params->Count(), 0);
}

}  // namespace
