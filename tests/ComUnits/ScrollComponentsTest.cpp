#include "ComUnits/uScrollComponents.h"

#include "rtl/Exceptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

namespace {

// A small class tree like a window's: queries and tables are both data sets; labels are not.
class TTestDataSet : public vcl::TComponent {
    RTL_DECLARE_CLASS(TTestDataSet)
public:
    using vcl::TComponent::TComponent;

protected:
    ~TTestDataSet() override = default;
};

class TTestQuery : public TTestDataSet {
    RTL_DECLARE_CLASS(TTestQuery)
public:
    using TTestDataSet::TTestDataSet;

protected:
    ~TTestQuery() override = default;
};

class TTestTable : public TTestDataSet {
    RTL_DECLARE_CLASS(TTestTable)
public:
    using TTestDataSet::TTestDataSet;

protected:
    ~TTestTable() override = default;
};

class TTestLabel : public vcl::TComponent {
    RTL_DECLARE_CLASS(TTestLabel)
public:
    using vcl::TComponent::TComponent;

protected:
    ~TTestLabel() override = default;
};

RTL_DEFINE_CLASS(TTestDataSet, vcl::TComponent)
RTL_DEFINE_CLASS(TTestQuery, TTestDataSet)
RTL_DEFINE_CLASS(TTestTable, TTestDataSet)
RTL_DEFINE_CLASS(TTestLabel, vcl::TComponent)

template <class T>
T* Make(vcl::TComponent* owner, const std::string& name) {
    T* component = vcl::Create<T>(owner);
    component->SetName(name);
    return component;
}

// Handlers are methods, so "same code" has its real meaning: two recorders share code.
struct TRecorder {
    std::vector<std::string>* Log;
    std::string Tag;
    void Record(vcl::TComponent* c) { Log->push_back(Tag + c->Name()); }
    void RecordAgain(vcl::TComponent* c) { Log->push_back(Tag + "again:" + c->Name()); }
    void Before(TScrollComponentList*) { Log->push_back("before"); }
    void After(TScrollComponentList*) { Log->push_back("after"); }
};

class ScrollComponentsTest : public ::testing::Test {
protected:
    ScrollComponentsTest() {
        Query1 = Make<TTestQuery>(Owner.get(), "Query1");
        Table1 = Make<TTestTable>(Owner.get(), "Table1");
        Query2 = Make<TTestQuery>(Owner.get(), "Query2");
        Label1 = Make<TTestLabel>(Owner.get(), "Label1");
        List.reset(new TScrollComponentList(Owner.get()));
    }

    TOnComponentsScrollEvent Handler(TRecorder& r) { return {&r, &TRecorder::Record}; }
    std::vector<std::string> DeliverAll() {
        Log.clear();
        List->Deliver();
        return Log;
    }

    std::unique_ptr<vcl::TComponent, rtl::TObjectFree> Owner{vcl::Create<vcl::TComponent>(nullptr)};
    std::unique_ptr<TScrollComponentList, rtl::TObjectFree> List;
    std::vector<std::string> Log;
    TRecorder Rec{&Log, ""};
    TTestQuery* Query1;
    TTestTable* Table1;
    TTestQuery* Query2;
    TTestLabel* Label1;
};

TEST_F(ScrollComponentsTest, BaseClassEntryReceivesEveryDescendantOnce) {
    List->Subscribe(TTestDataSet::StaticClass(), Handler(Rec));
    EXPECT_THAT(DeliverAll(), UnorderedElementsAre("Query1", "Table1", "Query2"));

    // An exact class entry keeps component order; each entry delivers its own components.
    TRecorder queries{&Log, "q:"};
    List->Subscribe(TTestQuery::StaticClass(), Handler(queries));
    EXPECT_EQ(List->Count(), 2);
    const auto log = DeliverAll();
    EXPECT_EQ(log.size(), 5u);
    EXPECT_THAT(std::vector<std::string>(log.end() - 2, log.end()), ElementsAre("q:Query1", "q:Query2"));
    EXPECT_EQ(List->FindEntry(TTestLabel::StaticClass()), nullptr);
}

TEST_F(ScrollComponentsTest, DeliverCallsEveryHandlerPerComponentBetweenTheTwoNotifications) {
    List->Subscribe(TTestQuery::StaticClass(), Handler(Rec));
    List->Subscribe(TTestQuery::StaticClass(), {&Rec, &TRecorder::RecordAgain});
    List->OnBeforeDeliver = {&Rec, &TRecorder::Before};
    List->OnAfterDeliver = {&Rec, &TRecorder::After};
    EXPECT_THAT(DeliverAll(), ElementsAre("before", "Query1", "again:Query1", "Query2", "again:Query2", "after"));
}

TEST_F(ScrollComponentsTest, HandlerWithTheSameCodeIsHeldOnce) {
    TRecorder other{&Log, "other:"};
    List->Subscribe(TTestTable::StaticClass(), Handler(Rec));
    List->Subscribe(TTestTable::StaticClass(), Handler(Rec));
    List->Subscribe(TTestTable::StaticClass(), Handler(other));  // same code, another object
    EXPECT_THAT(DeliverAll(), ElementsAre("Table1"));

    List->Subscribe(TTestTable::StaticClass(), {&Rec, &TRecorder::RecordAgain});
    List->Unsubscribe(TTestTable::StaticClass(), Handler(other));
    EXPECT_THAT(DeliverAll(), ElementsAre("again:Table1"));
    List->Unsubscribe(TTestLabel::StaticClass(), Handler(Rec));  // no entry: nothing happens
    EXPECT_EQ(List->Count(), 1);
}

TEST_F(ScrollComponentsTest, ComponentCreatedLaterIsDeliveredAfterRescan) {
    List->Subscribe(TTestQuery::StaticClass(), Handler(Rec));
    Make<TTestQuery>(Owner.get(), "Query3");
    EXPECT_THAT(DeliverAll(), ElementsAre("Query1", "Query2"));
    List->Rescan();
    EXPECT_THAT(DeliverAll(), ElementsAre("Query1", "Query2", "Query3"));
    List->Rescan();  // nothing new: nothing doubled
    EXPECT_THAT(DeliverAll(), ElementsAre("Query1", "Query2", "Query3"));
}

TEST_F(ScrollComponentsTest, FreedComponentIsForgottenAndRescanStillWorks) {
    List->Subscribe(TTestDataSet::StaticClass(), Handler(Rec));
    rtl::TObject::Free(Query1);
    rtl::TObject::Free(Table1);
    EXPECT_THAT(DeliverAll(), ElementsAre("Query2"));

    // As many created as freed: the owner's count is where it was, the new ones are found.
    Make<TTestQuery>(Owner.get(), "Query3");
    Make<TTestTable>(Owner.get(), "Table3");
    List->Rescan();
    EXPECT_THAT(DeliverAll(), UnorderedElementsAre("Query2", "Query3", "Table3"));

    // An entry made now is filled from the index, which holds nothing freed.
    TRecorder tables{&Log, "t:"};
    List->Subscribe(TTestTable::StaticClass(), Handler(tables));
    EXPECT_THAT(DeliverAll(), UnorderedElementsAre("Query2", "Query3", "Table3", "t:Table3"));
}

TEST_F(ScrollComponentsTest, ComponentFreedByAHandlerIsNotDeliveredAfterwards) {
    auto freeQuery2 = TOnComponentsScrollEvent::FromFunction([&](vcl::TComponent* c) {
        Log.push_back("free:" + c->Name());
        if (c == Query1) rtl::TObject::Free(Query2);
    });
    List->Subscribe(TTestQuery::StaticClass(), freeQuery2);
    List->Subscribe(TTestQuery::StaticClass(), Handler(Rec));
    EXPECT_THAT(DeliverAll(), ElementsAre("free:Query1", "Query1"));
}

TEST_F(ScrollComponentsTest, FurtherOwnersAreScannedOnce) {
    auto* module = Make<vcl::TComponent>(Owner.get(), "Module");
    Make<TTestQuery>(module, "ModuleQuery");
    List->Subscribe(TTestQuery::StaticClass(), Handler(Rec));
    List->AddOwner(module);
    List->AddOwner(module);
    List->AddOwner(nullptr);
    EXPECT_EQ(List->OwnerCount(), 2);
    EXPECT_THAT(DeliverAll(), ElementsAre("Query1", "Query2", "ModuleQuery"));

    // The module goes before the registry: its queries and the module itself are forgotten.
    rtl::TObject::Free(module);
    EXPECT_EQ(List->OwnerCount(), 1);
    List->Rescan();
    EXPECT_THAT(DeliverAll(), ElementsAre("Query1", "Query2"));
}

TEST_F(ScrollComponentsTest, WatchersAreNeverDelivered) {
    // A watched component that is itself an owner gains watchers among its components.
    auto* module = Make<TTestQuery>(Owner.get(), "Module");
    Make<TTestLabel>(module, "ModuleLabel");
    List->Rescan();
    List->AddOwner(module);
    List->Subscribe(vcl::TComponent::StaticClass(), Handler(Rec));
    List->Subscribe(TTestQuery::StaticClass(), Handler(Rec));
    List->Rescan();
    List->Rescan();
    const auto log = DeliverAll();
    EXPECT_THAT(std::vector<std::string>(log.end() - 3, log.end()), ElementsAre("Query1", "Query2", "Module"));
    EXPECT_THAT(std::vector<std::string>(log.begin(), log.end() - 3),
                UnorderedElementsAre("Query1", "Table1", "Query2", "Label1", "Module", "ModuleLabel"));
}

TEST_F(ScrollComponentsTest, EntryListsAndWatchesItsComponents) {
    List->Subscribe(TTestDataSet::StaticClass(), Handler(Rec));
    TScrollComponent* entry = List->FindEntry(TTestDataSet::StaticClass());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->ScrollList(), List.get());

    // A component of no scanned owner can be added by hand; it is watched like the others.
    std::unique_ptr<TTestTable, rtl::TObjectFree> outside{Make<TTestTable>(nullptr, "Outside")};
    entry->AddComponent(outside.get());
    entry->AddComponent(outside.get());
    EXPECT_EQ(entry->Count(), 4);
    EXPECT_EQ(outside->ComponentCount(), 1);
    std::vector<std::string> seen;
    entry->Deliver(TOnComponentsScrollEvent::FromFunction([&](vcl::TComponent* c) { seen.push_back(c->Name()); }));
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen.back(), "Outside");

    entry->DelComponent(outside.get());
    EXPECT_EQ(entry->IndexOf(outside.get()), -1);
    EXPECT_EQ(outside->ComponentCount(), 0);

    // Freeing the entry leaves the registry and takes the watchers off the components.
    rtl::TObject::Free(entry);
    EXPECT_EQ(List->Count(), 0);
    EXPECT_EQ(Query1->ComponentCount(), 0);
}

TEST_F(ScrollComponentsTest, RegistryCanGoBeforeOrAfterItsComponents) {
    List->Subscribe(TTestDataSet::StaticClass(), Handler(Rec));
    EXPECT_EQ(Query1->ComponentCount(), 1);
    List.reset();
    EXPECT_EQ(Query1->ComponentCount(), 0);

    List.reset(new TScrollComponentList(Owner.get()));
    List->Subscribe(TTestDataSet::StaticClass(), Handler(Rec));
    Owner.reset();
    EXPECT_EQ(List->OwnerCount(), 0);
    EXPECT_EQ(List->Items(0)->Count(), 0);
    List->Rescan();
    EXPECT_THAT(DeliverAll(), IsEmpty());
}

void ExpectAssertion(const std::function<void()>& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no assertion for: " << message;
    } catch (const rtl::EAssertionFailed& e) {
        EXPECT_EQ(e.AssertMessage(), message);
        EXPECT_EQ(e.Unit(), "COMUNITS/uScrollComponents");
    }
}

TEST_F(ScrollComponentsTest, MisuseFailsAssertions) {
    List->Subscribe(TTestDataSet::StaticClass(), Handler(Rec));
    TScrollComponent* entry = List->Items(0);
    ExpectAssertion([&] { new TScrollComponent(nullptr, TTestQuery::StaticClass()); },
                    "TScrollComponent.Create: AScrollList = nil");
    ExpectAssertion([&] { new TScrollComponent(List.get(), TTestDataSet::StaticClass()); },
                    "TScrollComponent.Create: components of Class \"TTestDataSet\" Is already added");
    ExpectAssertion([&] { entry->AddComponent(Label1); },
                    "TScrollComponent.AddComponent: \"TTestLabel\" class is not inherited \"TTestDataSet\" class");
    ExpectAssertion([&] { entry->DelComponent(Label1); },
                    "TScrollComponent.DelComponent: \"TTestLabel\" class is not inherited \"TTestDataSet\" class");
    ExpectAssertion([&] { vcl::Create<_TChildComponent>(nullptr, entry); }, "_TChildComponent.Create: AOwner = nil");
    EXPECT_EQ(List->Count(), 1);
    EXPECT_EQ(entry->Count(), 3);

    // A watcher whose entry does not list its component is a program error; the stray
    // watcher is still freed with its owner afterwards.
    auto* stray = vcl::Create<_TChildComponent>(Label1, entry);
    ExpectAssertion([&] { rtl::TObject::Free(stray); }, "_TChildComponent.Destroy: program error: pIndex = -1");
    EXPECT_EQ(entry->Count(), 3);
}

}  // namespace
