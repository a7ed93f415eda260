// The component model: metaclasses and named properties, names and ownership, two-phase
// creation, free notification, collections, actions with their shortcuts and idle
// update, menus, window procedures and the application object.
#include "vcl/Actions.h"
#include "vcl/Collection.h"
#include "vcl/Component.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"
#include "vcl/ScriptedUI.h"
#include "vcl/StdCtrls.h"
#include "vcl/WinApi.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace vcl;

std::vector<std::string>* gLog = nullptr;

// A component that notes its construction steps, its notifications and its end.
class TProbe : public TComponent {
    RTL_DECLARE_CLASS(TProbe)
public:
    using TComponent::TComponent;
    bool failInConstruct = false;
    TComponent* watched = nullptr;
    void Construct() override {
        TComponent::Construct();
        gLog->push_back("construct " + Name());
        if (failInConstruct) throw rtl::Exception("construction failed");
    }
    void AfterConstruction() override { gLog->push_back("after construction"); }
    void Watch(TComponent* c) {
        watched = c;
        c->FreeNotification(this);
    }

protected:
    ~TProbe() override {
        if (gLog) gLog->push_back("destroy " + Name());
    }
    void Notification(TComponent* c, TOperation op) override {
        TComponent::Notification(c, op);
        if (op == TOperation::opRemove && c == watched) {
            watched = nullptr;
            if (gLog) gLog->push_back(Name() + " told of " + c->Name());
        }
    }
};
RTL_DEFINE_CLASS(TProbe, TComponent)

class TSubProbe : public TProbe {
    RTL_DECLARE_CLASS(TSubProbe)
public:
    using TProbe::TProbe;
};
RTL_DEFINE_CLASS(TSubProbe, TProbe)

struct Free {
    void operator()(rtl::TObject* o) const { rtl::TObject::Free(o); }
};
template <class T>
using Owned = std::unique_ptr<T, Free>;

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override { gLog = &log; }
    void TearDown() override { gLog = nullptr; }
    std::vector<std::string> log;
    TScriptedUI ui;
};

TEST_F(ComponentTest, MetaclassesAnswerClassQuestionsAndNamedProperties) {
    Owned<TSubProbe> p(Create<TSubProbe>(nullptr));
    EXPECT_STREQ(p->ClassName(), "TSubProbe");
    EXPECT_TRUE(p->InheritsFrom(TProbe::StaticClass()));
    EXPECT_TRUE(p->Is<TComponent>());
    EXPECT_FALSE(p->Is<TControl>());
    EXPECT_EQ(p->ClassType().ClassParent(), &TProbe::StaticClass());
    EXPECT_NE(TProbe::StaticClass().Identity(), TSubProbe::StaticClass().Identity());
    EXPECT_THROW(rtl::As<TControl>(p.get()), rtl::EInvalidCast);
    EXPECT_EQ(rtl::As<TProbe>(p.get()), p.get());

    p->SetPropValue("name", rtl::Variant("Probe1"));  // names of properties ignore case
    p->SetPropValue("Tag", rtl::Variant(7));
    EXPECT_EQ(p->Name(), "Probe1");
    EXPECT_EQ(p->GetPropValue("TAG").AsInteger(), 7);
    EXPECT_TRUE(p->HasProperty("Name"));
    EXPECT_FALSE(p->HasProperty("Caption"));
    try {
        p->GetPropValue("Caption");
        FAIL();
    } catch (const rtl::EPropertyError& e) {
        EXPECT_NE(std::string(e.what()).find("Caption"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("TSubProbe"), std::string::npos);
    }
}

TEST_F(ComponentTest, NamesAreIdentifiersUniqueWithinTheOwner) {
    Owned<TComponent> owner(Create<TComponent>(nullptr));
    auto* a = Create<TProbe>(owner.get());
    a->SetName("Query1");
    auto* b = Create<TProbe>(owner.get());
    EXPECT_THROW(b->SetName("QUERY1"), EComponentError);
    EXPECT_THROW(b->SetName("1Query"), EComponentError);
    b->SetName("Query2");
    EXPECT_EQ(owner->FindComponent("query2"), b);
    EXPECT_EQ(owner->FindComponent("Nope"), nullptr);
    EXPECT_EQ(b->ComponentIndex(), 1);
    EXPECT_EQ(owner->ComponentCount(), 2);
}

TEST_F(ComponentTest, TheOwnerFreesItsComponentsLastCreatedFirst) {
    {
        Owned<TProbe> owner(Create<TProbe>(nullptr));
        owner->SetName("Owner");
        for (const char* n : {"First", "Second", "Third"}) Create<TProbe>(owner.get())->SetName(n);
        log.clear();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"destroy Owner", "destroy Third", "destroy Second", "destroy First"}));
}

TEST_F(ComponentTest, AFailedConstructionFreesTheHalfMadeObject) {
    Owned<TComponent> owner(Create<TComponent>(nullptr));
    struct TFailing : TProbe {
        using TProbe::TProbe;
        void Construct() override {
            failInConstruct = true;
            TProbe::Construct();
        }
    };
    EXPECT_THROW(Create<TFailing>(owner.get()), rtl::Exception);
    EXPECT_EQ(owner->ComponentCount(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"construct ", "destroy "}));
}

TEST_F(ComponentTest, FreeNotificationTellsTheWatcherWhoeverOwnsThem) {
    Owned<TProbe> watcher(Create<TProbe>(nullptr));
    watcher->SetName("Watcher");
    Owned<TComponent> form(Create<TComponent>(nullptr));
    auto* query = Create<TProbe>(form.get());
    query->SetName("Query");
    watcher->Watch(query);
    rtl::TObject::Free(query);
    EXPECT_EQ(watcher->watched, nullptr);
    EXPECT_EQ(log.back(), "Watcher told of Query");
    // A watcher that goes first is forgotten by the component it watched.
    auto* other = Create<TProbe>(form.get());
    {
        Owned<TProbe> shortLived(Create<TProbe>(nullptr));
        shortLived->Watch(other);
    }
    rtl::TObject::Free(other);  // must not tell the freed watcher
}

TEST_F(ComponentTest, MethodPointersCompareByCodeAndObject) {
    Owned<TProbe> a(Create<TProbe>(nullptr)), b(Create<TProbe>(nullptr));
    using TEvent = rtl::TMethod<void(TComponent*)>;
    TEvent onA(a.get(), &TProbe::Watch), onB(b.get(), &TProbe::Watch), again(a.get(), &TProbe::Watch);
    EXPECT_TRUE(onA.SameCode(onB));
    EXPECT_FALSE(onA == onB);
    EXPECT_TRUE(onA == again);
    TEvent none;
    EXPECT_FALSE(none);
    Owned<TComponent> target(Create<TComponent>(nullptr));
    onB(target.get());
    EXPECT_EQ(b->watched, target.get());
}

class TNote : public TCollectionItem {
    RTL_DECLARE_CLASS(TNote)
public:
    std::string Text;
};
RTL_DEFINE_CLASS(TNote, TCollectionItem)

TEST_F(ComponentTest, CollectionsOwnTheirItemsInOrder) {
    auto* notes = new TCollection(TNote::StaticClass(), [] { return new TNote; });
    auto* first = static_cast<TNote*>(notes->Add());
    auto* second = static_cast<TNote*>(notes->Add());
    second->SetIndex(0);
    EXPECT_EQ(notes->Items(0), second);
    EXPECT_EQ(first->Index(), 1);
    EXPECT_NE(first->ID(), second->ID());
    rtl::TObject::Free(second);  // an item leaves its collection when freed
    EXPECT_EQ(notes->Count(), 1);
    EXPECT_THROW(notes->Items(1), rtl::EListError);
    auto* loose = new TCollectionItem;  // not a TNote: refused
    EXPECT_THROW(loose->SetCollection(notes), rtl::EInvalidCast);
    rtl::TObject::Free(loose);
    rtl::TObject::Free(notes);
}

// A form with an action list, a button following an action and a popup menu.
class TActionForm : public TForm {
public:
    using TForm::TForm;
    TActionList* Actions = nullptr;
    TAction* RunAction = nullptr;
    TButton* RunBtn = nullptr;
    TPopupMenu* Menu = nullptr;
    TMenuItem *ModeA = nullptr, *ModeB = nullptr;
    int runs = 0, updates = 0, popups = 0;
    bool allowRun = true;

protected:
    void CreateFormComponents() override {
        Actions = Create<TActionList>(this);
        RunAction = Create<TAction>(this);
        RunAction->SetActionList(Actions);
        RunAction->SetCaption("Сформировать");
        RunAction->SetShortCut(ShortCut(VK_F1 + 8, 0));  // F9
        RunAction->OnExecute = TNotifyEvent(this, &TActionForm::RunExecute);
        RunAction->OnUpdate = TNotifyEvent(this, &TActionForm::RunUpdate);
        RunBtn = Create<TButton>(this);
        RunBtn->SetParent(this);
        RunBtn->SetAction(RunAction);
        Menu = Create<TPopupMenu>(this);
        Menu->OnPopup = TNotifyEvent(this, &TActionForm::MenuPopup);
        for (auto** item : {&ModeA, &ModeB}) {
            *item = Create<TMenuItem>(this);
            (*item)->SetRadioItem(true);
            (*item)->SetGroupIndex(1);
            Menu->Items()->Add(*item);
        }
    }

private:
    void RunExecute(rtl::TObject*) { ++runs; }
    void RunUpdate(rtl::TObject*) {
        ++updates;
        RunAction->SetEnabled(allowRun);
    }
    void MenuPopup(rtl::TObject*) { ++popups; }
};

TEST_F(ComponentTest, ActionsRunFromTheirControlsAndShortcutsAndUpdateWhenIdle) {
    Owned<TActionForm> form(Create<TActionForm>(nullptr));
    form->Show();
    EXPECT_EQ(form->RunBtn->Caption(), "Сформировать");
    form->RunBtn->UserClick();
    EXPECT_EQ(form->runs, 1);
    form->RunBtn->UserKey(VK_F1 + 8);  // the shortcut reaches the form's action list
    EXPECT_EQ(form->runs, 2);
    form->allowRun = false;
    Application()->Idle();
    EXPECT_GE(form->updates, 1);
    EXPECT_FALSE(form->RunBtn->Enabled());  // the button follows its action
    form->RunBtn->UserClick();
    form->RunBtn->UserKey(VK_F1 + 8);
    EXPECT_EQ(form->runs, 2);
}

TEST_F(ComponentTest, PopupMenusRaiseOnPopupAndRadioItemsExcludeEachOther) {
    Owned<TActionForm> form(Create<TActionForm>(nullptr));
    form->Show();
    MenuOpen(form->RunBtn, form->Menu);
    EXPECT_EQ(form->popups, 1);
    EXPECT_TRUE(form->Menu->IsOpen());
    EXPECT_EQ(form->Menu->PopupComponent(), form->RunBtn);
    form->ModeA->SetChecked(true);
    form->ModeB->SetChecked(true);
    EXPECT_FALSE(form->ModeA->Checked());
    EXPECT_TRUE(form->ModeB->Checked());
    int clicks = 0;
    form->ModeA->OnClick = TNotifyEvent::FromFunction([&](rtl::TObject*) { ++clicks; });
    form->ModeA->SetEnabled(false);
    form->ModeA->UserClick();
    EXPECT_EQ(clicks, 0);
    form->ModeA->SetEnabled(true);
    form->ModeA->UserClick();
    EXPECT_EQ(clicks, 1);
}

TEST_F(ComponentTest, AReplacedWindowProcedureSeesTextsOnTheirWay) {
    Owned<TForm> form(Create<TForm>(nullptr));
    auto* label = Create<TLabel>(form.get());
    label->SetParent(form.get());
    struct TTranslator {
        TWndMethod previous;
        void Proc(TMessage& m) {
            if (m.Msg == WM_SETTEXT) *reinterpret_cast<std::string*>(m.LParam) = "Cards";
            previous(m);
        }
    } translator;
    translator.previous = label->WindowProc;
    label->WindowProc = TWndMethod(&translator, &TTranslator::Proc);
    label->SetCaption("Карты");
    EXPECT_EQ(label->Caption(), "Cards");
    label->WindowProc = translator.previous;
    // A window handle reaches the same procedure.
    auto* edit = Create<TEdit>(form.get());
    edit->SetParent(form.get());
    std::string text = "через окно";
    SendMessage(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&text));
    EXPECT_EQ(edit->Text(), "через окно");
}

TEST_F(ComponentTest, TheApplicationShowsUnhandledErrorsButNotASilentAbort) {
    Application()->HandleException(rtl::Exception("Нет связи с сервером"));
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].Text, "Нет связи с сервером.");
    EXPECT_EQ(ui.Boxes()[0].Icon(), TMsgIcon::Error);
    Application()->HandleException(rtl::EAbort("quiet"));
    EXPECT_EQ(ui.Boxes().size(), 1u);
}

}  // namespace
