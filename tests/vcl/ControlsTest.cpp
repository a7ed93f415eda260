// The headless controls driven the way an operator drives them: forms built by their
// form resource, shown, clicked, typed into and closed, with the events they raise.
#include "vcl/Buttons.h"
#include "vcl/CheckLst.h"
#include "vcl/ComCtrls.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/ImgList.h"
#include "vcl/Menus.h"
#include "vcl/ScriptedUI.h"
#include "vcl/Spin.h"
#include "vcl/StdCtrls.h"

#include "rtl/Exceptions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace vcl;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

using Log = std::vector<std::string>;

// A handler that writes its name into the log.
TNotifyEvent Note(Log& log, std::string name) {
    return TNotifyEvent::FromFunction([&log, name](TObject*) { log.push_back(name); });
}

template <class T>
T* Make(TComponent* owner, TWinControl* parent, const char* name) {
    T* c = Create<T>(owner);
    c->SetName(name);
    c->SetParent(parent);
    return c;
}

// A component that records its own destruction and the free notifications it receives.
class TProbe : public TComponent {
public:
    TProbe(TComponent* owner, Log* log) : TComponent(owner), log_(log) {}

protected:
    ~TProbe() override { log_->push_back("free " + Name()); }
    void Notification(TComponent* component, TOperation operation) override {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove && component->Owner() != this)
            log_->push_back(Name() + " told " + component->Name() + " goes");
    }

private:
    Log* log_;
};

template <class T>
using Owned = std::unique_ptr<T, rtl::TObjectFree>;

// An entry window as its form resource builds it: an edit, a memo, OK and Cancel, a check
// box, a radio group, a combo box, a list box and two pages.
class TEntryForm : public TForm {
    RTL_DECLARE_CLASS(TEntryForm)
public:
    TEntryForm(TComponent* owner, Log* log) : TForm(owner), log_(log) {}

    TEdit* Edit1 = nullptr;
    TMemo* Memo1 = nullptr;
    TButton* OkBtn = nullptr;
    TButton* CancelBtn = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TRadioGroup* RadioGroup1 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TListBox* ListBox1 = nullptr;
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TTabSheet* TabSheet2 = nullptr;
    TEdit* PageEdit = nullptr;

protected:
    void CreateFormComponents() override {
        TForm::CreateFormComponents();
        SetName("EntryForm");
        SetCaption("Entry");
        SetBounds(0, 0, 400, 300);
        Edit1 = Make<TEdit>(this, this, "Edit1");
        Memo1 = Make<TMemo>(this, this, "Memo1");
        OkBtn = Make<TButton>(this, this, "OkBtn");
        OkBtn->SetDefault(true);
        OkBtn->SetModalResult(mrOk);
        OkBtn->OnClick = Note(*log_, "OkBtn");
        CancelBtn = Make<TButton>(this, this, "CancelBtn");
        CancelBtn->SetCancel(true);
        CancelBtn->SetModalResult(mrCancel);
        CancelBtn->OnClick = Note(*log_, "CancelBtn");
        CheckBox1 = Make<TCheckBox>(this, this, "CheckBox1");
        CheckBox1->OnClick = Note(*log_, "CheckBox1");
        CheckBox1->SetChecked(true);  // the resource's property: no click
        RadioGroup1 = Make<TRadioGroup>(this, this, "RadioGroup1");
        RadioGroup1->OnClick = Note(*log_, "RadioGroup1");
        RadioGroup1->SetItemIndex(1);  // before its items, as a resource may
        RadioGroup1->Items()->SetCommaText("Daily,Weekly,Monthly");
        ComboBox1 = Make<TComboBox>(this, this, "ComboBox1");
        ComboBox1->Items()->SetCommaText("alpha,beta,gamma");
        ComboBox1->OnChange = Note(*log_, "ComboBox1.change");
        ComboBox1->OnClick = Note(*log_, "ComboBox1.click");
        ComboBox1->OnSelect = Note(*log_, "ComboBox1.select");
        ListBox1 = Make<TListBox>(this, this, "ListBox1");
        PageControl1 = Make<TPageControl>(this, this, "PageControl1");
        TabSheet1 = Make<TTabSheet>(this, PageControl1, "TabSheet1");
        TabSheet2 = Make<TTabSheet>(this, PageControl1, "TabSheet2");
        PageEdit = Make<TEdit>(this, TabSheet2, "PageEdit");
    }

private:
    Log* log_;
};

RTL_DEFINE_CLASS(TEntryForm, TForm)

class ControlsTest : public ::testing::Test {
protected:
    Owned<TEntryForm> NewForm() { return Owned<TEntryForm>(Create<TEntryForm>(nullptr, &log)); }

    TScriptedUI ui;
    Log log;
};

// ---------------------------------------------------------------- dialog keys

TEST_F(ControlsTest, EnterAndEscapeReachTheDefaultAndCancelButtonsOfAModalForm) {
    struct Case {
        const char* what;
        std::function<void(TEntryForm&)> operatorDoes;
        int result;
        Log clicks;
        std::string memoText;
    };
    const std::vector<Case> cases = {
        {"Enter in an edit",
         [](TEntryForm& f) {
             f.Edit1->UserType("abc");
             f.Edit1->UserKey(VK_RETURN);
         },
         mrOk,
         {"OkBtn"},
         ""},
        {"Escape in an edit", [](TEntryForm& f) { f.Edit1->UserKey(VK_ESCAPE); }, mrCancel, {"CancelBtn"}, ""},
        {"Enter on the focused Cancel button",
         [](TEntryForm& f) {
             f.CancelBtn->SetFocus();
             f.CancelBtn->UserKey(VK_RETURN);
         },
         mrCancel,
         {"CancelBtn"},
         ""},
        {"Enter in a memo is a line break; Escape then cancels",
         [](TEntryForm& f) {
             f.Memo1->UserType("one");
             f.Memo1->UserKey(VK_RETURN);
             EXPECT_EQ(f.ModalResult(), mrNone);
             f.Memo1->UserKey(VK_ESCAPE);
         },
         mrCancel,
         {"CancelBtn"},
         "one\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log.clear();
        auto form = NewForm();
        ui.QueueModal([&](TCustomForm& f) { c.operatorDoes(static_cast<TEntryForm&>(f)); });
        EXPECT_EQ(form->ShowModal(), c.result);
        EXPECT_EQ(log, c.clicks);
        EXPECT_EQ(form->Memo1->Text(), c.memoText);
        EXPECT_FALSE(form->Visible());
    }
    EXPECT_THAT(ui.ModalForms(), ElementsAre("TEntryForm", "TEntryForm", "TEntryForm", "TEntryForm"));
}

TEST_F(ControlsTest, AnOkHandlerKeepsTheModalFormOpenByResettingModalResult) {
    auto form = NewForm();
    // The button copies its ModalResult into the form before OnClick, so the handler can
    // refuse an empty entry.
    form->OkBtn->OnClick = TNotifyEvent::FromFunction([&](TObject*) {
        if (form->Edit1->Text().empty()) form->SetModalResult(mrNone);
    });
    ui.QueueModal([&](TCustomForm&) {
        form->OkBtn->UserClick();
        EXPECT_EQ(form->ModalResult(), mrNone);
        form->Edit1->UserType("x");
        form->Edit1->UserKey(VK_RETURN);
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
}

TEST_F(ControlsTest, HiddenOrDisabledDefaultButtonIgnoresEnter) {
    auto form = NewForm();
    form->Show();
    form->OkBtn->SetEnabled(false);
    form->Edit1->UserKey(VK_RETURN);
    form->OkBtn->SetEnabled(true);
    form->OkBtn->Hide();
    form->Edit1->UserKey(VK_RETURN);
    EXPECT_THAT(log, IsEmpty());
    EXPECT_EQ(form->ModalResult(), mrNone);
}

// ---------------------------------------------------------------- code vs operator

TEST_F(ControlsTest, RadioGroupFromCodeRaisesOnClickButComboBoxFromCodeRaisesNothing) {
    auto form = NewForm();
    form->Show();
    // The resource set the index before the items and raised nothing.
    EXPECT_THAT(log, IsEmpty());
    EXPECT_EQ(form->RadioGroup1->ItemIndex(), 1);
    EXPECT_TRUE(form->RadioGroup1->Buttons(1)->Checked());
    EXPECT_EQ(form->RadioGroup1->Buttons(2)->Caption(), "Monthly");

    form->RadioGroup1->SetItemIndex(2);
    EXPECT_THAT(log, ElementsAre("RadioGroup1"));
    EXPECT_FALSE(form->RadioGroup1->Buttons(1)->Checked());
    form->RadioGroup1->SetItemIndex(2);   // no change
    form->RadioGroup1->SetItemIndex(-1);  // no choice is not a click
    EXPECT_THAT(log, ElementsAre("RadioGroup1"));
    form->RadioGroup1->SetItemIndex(7);  // clamped to the last item
    EXPECT_EQ(form->RadioGroup1->ItemIndex(), 2);
    EXPECT_THAT(log, ElementsAre("RadioGroup1", "RadioGroup1"));

    log.clear();
    form->ComboBox1->SetItemIndex(1);
    EXPECT_EQ(form->ComboBox1->Text(), "beta");
    form->ComboBox1->SetText("GAMMA");  // finds its item, case aside
    EXPECT_EQ(form->ComboBox1->ItemIndex(), 2);
    form->ComboBox1->SetText("delta");
    EXPECT_EQ(form->ComboBox1->ItemIndex(), -1);
    EXPECT_EQ(form->ComboBox1->Text(), "delta");
    form->ComboBox1->SetItemIndex(9);  // outside: nothing selected, no text
    EXPECT_EQ(form->ComboBox1->Text(), "");
    EXPECT_THAT(log, IsEmpty());

    // The operator's picks.
    form->RadioGroup1->UserSelect(0);
    form->ComboBox1->UserSelect(0);
    EXPECT_THAT(log, ElementsAre("RadioGroup1", "ComboBox1.change", "ComboBox1.click", "ComboBox1.select"));
    EXPECT_EQ(form->ComboBox1->Text(), "alpha");
    EXPECT_EQ(form->RadioGroup1->ItemIndex(), 0);
    EXPECT_THROW(form->ComboBox1->UserSelect(3), rtl::EListError);
}

TEST_F(ControlsTest, RadioGroupFollowsItsItems) {
    auto form = NewForm();
    TRadioGroup* rg = form->RadioGroup1;
    rg->Items()->Delete(2);
    EXPECT_EQ(rg->ButtonCount(), 2);
    EXPECT_EQ(rg->ItemIndex(), 1);
    rg->Items()->Delete(1);  // the chosen item goes: the index falls back to the last item
    EXPECT_EQ(rg->ItemIndex(), 0);
    rg->Items()->Clear();
    EXPECT_EQ(rg->ItemIndex(), -1);
    EXPECT_EQ(rg->ControlCount(), 0);
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(ControlsTest, DisabledRadioGroupOrButtonIgnoresTheOperator) {
    auto form = NewForm();
    form->Show();
    form->RadioGroup1->Buttons(0)->SetEnabled(false);
    form->RadioGroup1->UserSelect(0);
    form->RadioGroup1->SetEnabled(false);
    form->RadioGroup1->UserSelect(2);
    EXPECT_EQ(form->RadioGroup1->ItemIndex(), 1);
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(ControlsTest, ComboBoxTypingAndDropDownList) {
    auto form = NewForm();
    form->Show();
    TComboBox* cb = form->ComboBox1;
    cb->UserType("bet");
    cb->UserType("a");
    EXPECT_EQ(cb->ItemIndex(), 1);  // the text names an item
    cb->UserKey(VK_BACK);
    EXPECT_EQ(cb->Text(), "bet");
    EXPECT_EQ(cb->ItemIndex(), -1);
    EXPECT_THAT(log, ElementsAre("ComboBox1.change", "ComboBox1.change", "ComboBox1.change", "ComboBox1.change",
                                 "ComboBox1.change"));

    log.clear();
    cb->SetStyle(TComboBoxStyle::csDropDownList);
    EXPECT_EQ(cb->Text(), "");
    cb->SetText("not an item");
    EXPECT_EQ(cb->Text(), "");
    cb->SetText("Gamma");
    EXPECT_EQ(cb->Text(), "gamma");
    EXPECT_THAT(log, IsEmpty());
    cb->UserType("a");  // the next item starting with "a"
    EXPECT_EQ(cb->Text(), "alpha");
    EXPECT_THAT(log, ElementsAre("ComboBox1.change", "ComboBox1.click", "ComboBox1.select"));
}

// ---------------------------------------------------------------- pages

TEST_F(ControlsTest, PageChangesFromCodeAreSilentAndTheOperatorsAskOnChanging) {
    auto form = NewForm();
    form->Show();
    TPageControl* pc = form->PageControl1;
    bool allow = false;
    pc->OnChanging = TTabChangingEvent::FromFunction([&](TObject*, bool& allowChange) {
        log.push_back("changing from " + pc->ActivePage()->Name());
        allowChange = allow;
    });
    pc->OnChange = Note(log, "change");
    for (TTabSheet* sheet : {form->TabSheet1, form->TabSheet2}) {
        sheet->OnShow = Note(log, sheet->Name() + ".show");
        sheet->OnHide = Note(log, sheet->Name() + ".hide");
    }

    EXPECT_EQ(pc->ActivePage(), form->TabSheet1);  // the first page added
    EXPECT_FALSE(form->TabSheet2->Visible());

    // Refused: nothing changes.
    EXPECT_FALSE(pc->UserSelectPage(form->TabSheet2));
    EXPECT_EQ(pc->ActivePage(), form->TabSheet1);
    EXPECT_THAT(log, ElementsAre("changing from TabSheet1"));

    // Controls on a page out of sight take no input.
    form->PageEdit->UserType("x");
    EXPECT_EQ(form->PageEdit->Text(), "");

    log.clear();
    allow = true;
    EXPECT_TRUE(pc->UserSelectPage(form->TabSheet2));
    EXPECT_THAT(log, ElementsAre("changing from TabSheet1", "TabSheet2.show", "TabSheet1.hide", "change"));
    form->PageEdit->UserType("x");
    EXPECT_EQ(form->PageEdit->Text(), "x");
    EXPECT_EQ(form->ActiveControl(), form->PageEdit);

    // From code: the pages show and hide, and the focus leaves the hidden page; no
    // OnChanging, no OnChange.
    log.clear();
    pc->SetActivePageIndex(0);
    EXPECT_THAT(log, ElementsAre("TabSheet1.show", "TabSheet2.hide"));
    EXPECT_EQ(pc->ActivePage(), form->TabSheet1);
    EXPECT_EQ(form->ActiveControl(), pc);

    // A hidden tab cannot be picked; the active tab changes nothing.
    log.clear();
    form->TabSheet2->SetTabVisible(false);
    EXPECT_FALSE(pc->UserSelectPage(form->TabSheet2));
    EXPECT_FALSE(pc->UserSelectPage(form->TabSheet1));
    EXPECT_EQ(form->TabSheet2->TabIndex(), -1);
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(ControlsTest, PagesKeepOrderAndTheNextVisiblePageTakesOverFromARemovedOne) {
    auto form = NewForm();
    TPageControl* pc = form->PageControl1;
    TTabSheet* third = Make<TTabSheet>(form.get(), pc, "TabSheet3");
    EXPECT_EQ(pc->PageCount(), 3);
    third->SetPageIndex(0);
    EXPECT_EQ(pc->Pages(0), third);
    EXPECT_EQ(form->TabSheet1->PageIndex(), 1);

    form->TabSheet2->SetTabVisible(false);
    pc->SetActivePage(form->TabSheet1);
    TObject::Free(form->TabSheet1);
    EXPECT_EQ(pc->ActivePage(), third);  // TabSheet2's tab is hidden, so the round ends at the first
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_TRUE(third->Visible());
    EXPECT_THROW(pc->Pages(2), rtl::EListError);
}

// ---------------------------------------------------------------- items through the window procedure

// A component in front of a control's window procedure, as the translation layer sits:
// every item text on its way in is rewritten.
struct TTranslator {
    TControl* control;
    TWndMethod previous;
    std::vector<UINT> seen;
    bool swallow = false;

    explicit TTranslator(TControl* c) : control(c), previous(c->WindowProc) {
        c->WindowProc = TWndMethod(this, &TTranslator::Proc);
    }
    ~TTranslator() { control->WindowProc = previous; }
    TTranslator(const TTranslator&) = delete;
    TTranslator& operator=(const TTranslator&) = delete;
    void Proc(TMessage& m) {
        if (m.Msg == LB_ADDSTRING || m.Msg == LB_INSERTSTRING || m.Msg == CB_ADDSTRING || m.Msg == CB_INSERTSTRING) {
            seen.push_back(m.Msg);
            if (swallow) return;
            auto& text = *reinterpret_cast<std::string*>(m.LParam);
            text = "<" + text + ">";
        }
        previous(m);
    }
};

TEST_F(ControlsTest, ItemsEnterThroughAReplacedWindowProcedure) {
    auto form = NewForm();
    TTranslator lb(form->ListBox1);
    rtl::TStringList* items = form->ListBox1->Items();
    EXPECT_EQ(items->Add("b"), 0);
    items->Insert(0, "a");
    items->SetCommaText("x,y");
    rtl::TStringList source{"p"};
    items->AddStrings(source);
    EXPECT_EQ(items->CommaText(), "<x>,<y>,<p>");
    EXPECT_THAT(lb.seen, ElementsAre(LB_ADDSTRING, LB_INSERTSTRING, LB_ADDSTRING, LB_ADDSTRING, LB_ADDSTRING));

    // Reached by name, the list is the same door.
    form->ListBox1->GetStringsProp("Items")->Assign(source);
    EXPECT_EQ(items->CommaText(), "<p>");

    // The object travels with its text; a swallowed item is not stored.
    rtl::TStringList marker;
    EXPECT_EQ(items->AddObject("q", &marker), 1);
    EXPECT_EQ(items->Objects(1), &marker);
    lb.swallow = true;
    EXPECT_EQ(items->Add("lost"), -1);
    EXPECT_EQ(items->Count(), 2);

    // Combo boxes alike, and a sorted control sorts by the text that arrived.
    TTranslator cb(form->ComboBox1);
    form->ComboBox1->SetSorted(true);
    form->ComboBox1->Items()->Add("beta2");
    EXPECT_EQ(form->ComboBox1->Items()->CommaText(), "<beta2>,alpha,beta,gamma");
    EXPECT_THAT(cb.seen, ElementsAre(CB_ADDSTRING));
}

// ---------------------------------------------------------------- list boxes

TEST_F(ControlsTest, ListBoxSelectionFromCodeIsSilentAndFollowsItsItems) {
    auto form = NewForm();
    form->Show();
    TListBox* lb = form->ListBox1;
    lb->OnClick = Note(log, "click");
    lb->Items()->SetCommaText("a,b,c,d");
    lb->SetItemIndex(2);
    EXPECT_THAT(log, IsEmpty());
    lb->Items()->Delete(0);
    EXPECT_EQ(lb->ItemIndex(), 1);  // still "c"
    lb->Items()->Insert(0, "z");
    EXPECT_EQ(lb->Items()->Strings(lb->ItemIndex()), "c");
    lb->Items()->Delete(lb->ItemIndex());
    EXPECT_EQ(lb->ItemIndex(), -1);
    lb->SetItemIndex(10);
    EXPECT_EQ(lb->ItemIndex(), -1);

    lb->UserSelect(1);
    lb->UserSelect(1);  // each click is reported
    EXPECT_THAT(log, ElementsAre("click", "click"));
    EXPECT_EQ(form->ActiveControl(), lb);
    lb->UserKey(VK_DOWN);
    lb->UserKey(VK_DOWN);  // at the end: nothing moves
    EXPECT_EQ(lb->ItemIndex(), 2);
    EXPECT_EQ(log.size(), 3u);
    EXPECT_THROW(lb->UserSelect(3), rtl::EListError);
    EXPECT_THROW(lb->SetSelected(-1, true), rtl::EListError);

    lb->SetEnabled(false);
    lb->UserSelect(0);
    EXPECT_EQ(lb->ItemIndex(), 2);
    EXPECT_EQ(log.size(), 3u);
}

TEST_F(ControlsTest, MultiSelectListBoxClicksWithCtrlAndShift) {
    auto form = NewForm();
    form->Show();
    TListBox* lb = form->ListBox1;
    lb->SetMultiSelect(true);
    lb->Items()->SetCommaText("a,b,c,d,e");
    lb->UserSelect(1);
    lb->UserSelect(3, ssShift);
    EXPECT_EQ(lb->SelCount(), 3);
    lb->UserSelect(2, ssCtrl);  // toggles one
    EXPECT_FALSE(lb->Selected(2));
    EXPECT_TRUE(lb->Selected(1));
    EXPECT_EQ(lb->ItemIndex(), 2);  // the focused item
    lb->SetSelected(4, true);
    EXPECT_EQ(lb->SelCount(), 3);
    lb->UserSelect(0);  // a plain click selects only that one
    EXPECT_EQ(lb->SelCount(), 1);
}

TEST_F(ControlsTest, CheckListBoxTicksFromCodeAreSilentAndTheOperatorsRaiseOnClickCheck) {
    auto form = NewForm();
    form->Show();
    auto* clb = Make<TCheckListBox>(form.get(), form.get(), "CheckListBox1");
    clb->OnClickCheck = Note(log, "clickcheck");
    clb->OnClick = Note(log, "click");
    clb->Items()->SetCommaText("a,b,c");
    clb->SetChecked(0, true);
    EXPECT_THAT(log, IsEmpty());

    clb->UserToggle(1);
    EXPECT_TRUE(clb->Checked(1));
    EXPECT_EQ(clb->ItemIndex(), -1);  // the tick does not select
    clb->SetItemEnabled(2, false);
    clb->UserToggle(2);
    EXPECT_FALSE(clb->Checked(2));
    EXPECT_THAT(log, ElementsAre("clickcheck"));

    // The ticks travel with their items.
    clb->Items()->Exchange(0, 2);
    EXPECT_TRUE(clb->Checked(2));
    EXPECT_FALSE(clb->ItemEnabled(0));
    clb->Items()->Delete(0);
    EXPECT_TRUE(clb->Checked(0));  // "b"
    EXPECT_TRUE(clb->Checked(1));  // "a"
    clb->Items()->Add("new");
    EXPECT_FALSE(clb->Checked(2));
    EXPECT_THROW(clb->State(3), rtl::EListError);

    // Space ticks the focused item.
    log.clear();
    clb->UserSelect(2);
    clb->UserKey(VK_SPACE);
    EXPECT_TRUE(clb->Checked(2));
    EXPECT_THAT(log, ElementsAre("click", "clickcheck"));
}

TEST_F(ControlsTest, TicksCycleThroughGrayedOnlyWhenAllowed) {
    using S = TCheckBoxState;
    struct Case {
        bool allowGrayed;
        std::vector<S> states;
    };
    const std::vector<Case> cases = {
        {false, {S::cbChecked, S::cbUnchecked, S::cbChecked}},
        {true, {S::cbGrayed, S::cbChecked, S::cbUnchecked}},
    };
    auto form = NewForm();
    form->Show();
    auto* clb = Make<TCheckListBox>(form.get(), form.get(), "CheckListBox1");
    clb->Items()->Add("a");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.allowGrayed);
        form->CheckBox1->SetState(S::cbUnchecked);
        form->CheckBox1->SetAllowGrayed(c.allowGrayed);
        clb->SetState(0, S::cbUnchecked);
        clb->SetAllowGrayed(c.allowGrayed);
        for (S expected : c.states) {
            form->CheckBox1->UserClick();
            clb->UserToggle(0);
            EXPECT_EQ(form->CheckBox1->State(), expected);
            EXPECT_EQ(clb->State(0), expected);
        }
    }
}

// ---------------------------------------------------------------- check boxes and radio buttons

TEST_F(ControlsTest, CheckBoxFromCodeRaisesOnClickAsTheOperatorsClickDoes) {
    auto form = NewForm();
    form->Show();
    EXPECT_TRUE(form->CheckBox1->Checked());  // from the resource, silently
    EXPECT_THAT(log, IsEmpty());
    form->CheckBox1->SetChecked(true);  // no change, no click
    form->CheckBox1->SetChecked(false);
    form->CheckBox1->UserClick();
    EXPECT_TRUE(form->CheckBox1->Checked());
    EXPECT_THAT(log, ElementsAre("CheckBox1", "CheckBox1"));
    EXPECT_EQ(form->CheckBox1->GetPropValue("Checked").AsBoolean(), true);
    form->CheckBox1->SetPropValue("Checked", rtl::Variant(false));
    EXPECT_EQ(log.size(), 3u);
}

TEST_F(ControlsTest, RadioButtonsExcludeTheirSiblingsOnly) {
    auto form = NewForm();
    form->Show();
    auto* panel = Make<TPanel>(form.get(), form.get(), "Panel1");
    auto* a = Make<TRadioButton>(form.get(), panel, "RadioA");
    auto* b = Make<TRadioButton>(form.get(), panel, "RadioB");
    auto* other = Make<TRadioButton>(form.get(), form.get(), "RadioOther");
    a->OnClick = Note(log, "A");
    b->OnClick = Note(log, "B");
    other->SetChecked(true);
    a->SetChecked(true);
    b->UserClick();
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked());  // another parent
    b->UserClick();                 // already checked: no click
    b->SetChecked(false);           // unchecking: no click
    EXPECT_THAT(log, ElementsAre("A", "B"));
}

// ---------------------------------------------------------------- edits

TEST_F(ControlsTest, EditRaisesOnChangeForCodeAndTyping) {
    auto form = NewForm();
    form->Show();
    TEdit* e = form->Edit1;
    e->OnChange = Note(log, "change");
    e->SetText("ab");
    EXPECT_FALSE(e->Modified());
    e->UserType("c");
    EXPECT_TRUE(e->Modified());
    e->UserKey(VK_BACK);
    e->SetText("ab");  // the same text: no change
    EXPECT_THAT(log, ElementsAre("change", "change", "change"));
    e->SetText("new");
    EXPECT_FALSE(e->Modified());

    // A key press handler may swallow a character.
    e->OnKeyPress = TKeyPressEvent::FromFunction([](TObject*, char& key) {
        if (key == '!') key = 0;
    });
    e->UserType("!d");
    EXPECT_EQ(e->Text(), "newd");
}

TEST_F(ControlsTest, EditLimitsCountCharactersAndTheOperatorsRestrictions) {
    struct Case {
        const char* what;
        std::string initial;
        std::function<void(TEdit&)> setup;
        std::string typed;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"MaxLength counts Cyrillic as one each", "", [](TEdit& e) { e.SetMaxLength(3); }, "Счёт", "Счё"},
        {"Backspace takes a whole character", "", [](TEdit&) {}, "Дж\b", "Д"},
        {"read only takes nothing", "x", [](TEdit& e) { e.SetReadOnly(true); }, "ab\b", "x"},
        {"upper case", "x", [](TEdit& e) { e.SetCharCase(TEditCharCase::ecUpperCase); }, "ая", "xАЯ"},
        {"text from code is not cut to MaxLength", "long", [](TEdit& e) { e.SetMaxLength(1); }, "z", "long"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto form = NewForm();
        form->Show();
        TEdit& e = *form->Edit1;
        e.SetText(c.initial);
        c.setup(e);
        e.UserType(c.typed);
        EXPECT_EQ(e.Text(), c.text);
    }
}

TEST_F(ControlsTest, MemoLinesAndTextAreOneContent) {
    auto form = NewForm();
    form->Show();
    TMemo* m = form->Memo1;
    m->OnChange = Note(log, "change");
    m->Lines()->Add("first");
    m->Lines()->Add("second");
    EXPECT_EQ(m->Text(), "first\r\nsecond\r\n");
    EXPECT_THAT(log, ElementsAre("change", "change"));

    m->SetText("a\r\nb");
    EXPECT_EQ(m->Lines()->Count(), 2);
    EXPECT_EQ(m->Lines()->Strings(1), "b");
    m->UserKey(VK_RETURN);
    m->UserType("c");
    EXPECT_EQ(m->Lines()->Count(), 3);
    EXPECT_EQ(m->Lines()->Strings(2), "c");
    m->Lines()->Clear();
    EXPECT_EQ(m->Text(), "");
    EXPECT_EQ(log.size(), 6u);
    EXPECT_EQ(m->GetStringsProp("Lines"), m->Lines());
}

TEST_F(ControlsTest, SpinEditKeepsValueAndTextInStep) {
    auto form = NewForm();
    form->Show();
    auto* se = Make<TSpinEdit>(form.get(), form.get(), "SpinEdit1");
    se->SetMinValue(1);
    se->SetMaxValue(10);
    EXPECT_EQ(se->Text(), "1");  // the bounds pulled 0 in
    se->SetIncrement(4);
    se->OnChange = Note(log, "change");

    struct Step {
        std::function<void()> act;
        int value;
    };
    const std::vector<Step> steps = {
        {[&] { se->UserUp(); }, 5},
        {[&] { se->UserUp(); }, 9},
        {[&] { se->UserUp(); }, 10},
        {[&] { se->UserUp(); }, 10},  // at the top: no change
        {[&] { se->SetValue(-3); }, 1},
        {[&] { se->UserKey(VK_UP); }, 5},
        {[&] { se->UserDown(); }, 1},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        steps[i].act();
        EXPECT_EQ(se->Value(), steps[i].value);
        EXPECT_EQ(se->Text(), std::to_string(steps[i].value));
    }
    EXPECT_EQ(log.size(), 6u);

    // Typing takes digits and signs; leaving puts an out-of-range number right.
    se->SetText("");
    se->UserType("7a5");
    EXPECT_EQ(se->Text(), "75");
    EXPECT_EQ(se->Value(), 10);
    form->Edit1->SetFocus();
    EXPECT_EQ(se->Text(), "10");

    se->SetReadOnly(true);
    se->UserUp();
    EXPECT_EQ(ui.Beeps().size(), 1u);
    EXPECT_EQ(se->Value(), 10);
}

// ---------------------------------------------------------------- focus

TEST_F(ControlsTest, AClickedButtonTakesTheFocusButASpeedButtonDoesNot) {
    auto form = NewForm();
    form->Show();
    auto* speed = Make<TSpeedButton>(form.get(), form.get(), "SpeedButton1");
    speed->OnClick = Note(log, "speed");
    form->Edit1->OnExit = Note(log, "Edit1.exit");
    form->Edit1->SetFocus();
    speed->UserClick();
    EXPECT_EQ(form->ActiveControl(), form->Edit1);
    form->CancelBtn->UserClick();  // the edit's OnExit runs before the click
    EXPECT_THAT(log, ElementsAre("speed", "Edit1.exit", "CancelBtn"));
    EXPECT_EQ(form->ActiveControl(), form->CancelBtn);
}

// ---------------------------------------------------------------- buttons and tool bars

TEST_F(ControlsTest, SpeedButtonGroupsKeepOneDown) {
    auto form = NewForm();
    form->Show();
    auto* a = Make<TSpeedButton>(form.get(), form.get(), "SpeedA");
    auto* b = Make<TSpeedButton>(form.get(), form.get(), "SpeedB");
    auto* loose = Make<TSpeedButton>(form.get(), form.get(), "SpeedLoose");
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    a->OnClick = Note(log, "A");
    a->UserClick();
    b->SetDown(true);  // from code: the group follows, no click
    EXPECT_FALSE(a->Down());
    b->UserClick();  // the last one down stays down
    EXPECT_TRUE(b->Down());
    b->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());
    b->UserClick();
    EXPECT_FALSE(b->Down());
    loose->UserClick();
    EXPECT_FALSE(loose->Down());  // no group: never stays down
    EXPECT_THAT(log, ElementsAre("A"));
}

TEST_F(ControlsTest, ToolButtonsToggleAndFollowTheirAction) {
    auto form = NewForm();
    form->Show();
    auto* bar = Make<TToolBar>(form.get(), form.get(), "ToolBar1");
    auto make = [&](const char* name, TToolButtonStyle style, bool grouped) {
        auto* b = Make<TToolButton>(form.get(), bar, name);
        b->SetStyle(style);
        b->SetGrouped(grouped);
        return b;
    };
    TToolButton* check = make("Check", TToolButtonStyle::tbsCheck, false);
    TToolButton* g1 = make("G1", TToolButtonStyle::tbsCheck, true);
    TToolButton* g2 = make("G2", TToolButtonStyle::tbsCheck, true);
    TToolButton* sep = make("Sep", TToolButtonStyle::tbsSeparator, false);
    TToolButton* g3 = make("G3", TToolButtonStyle::tbsCheck, true);
    TToolButton* drop = make("Drop", TToolButtonStyle::tbsDropDown, false);
    EXPECT_EQ(bar->ButtonCount(), 6);
    EXPECT_EQ(g3->Index(), 4);

    bool downInHandler = false;
    check->OnClick = TNotifyEvent::FromFunction([&](TObject*) { downInHandler = check->Down(); });
    check->UserClick();
    EXPECT_TRUE(downInHandler);
    check->UserClick();
    EXPECT_FALSE(check->Down());

    g1->UserClick();
    g3->UserClick();  // beyond the separator: another group
    g2->UserClick();
    EXPECT_FALSE(g1->Down());
    EXPECT_TRUE(g2->Down());
    EXPECT_TRUE(g3->Down());
    g2->UserClick();  // stays down without AllowAllUp
    EXPECT_TRUE(g2->Down());
    sep->OnClick = Note(log, "sep");
    sep->UserClick();

    // An action's Checked is the button's Down.
    auto* list = Create<TActionList>(form.get());
    auto* action = Create<TAction>(form.get());
    action->SetActionList(list);
    action->SetAutoCheck(true);
    action->SetImageIndex(3);
    action->OnExecute = Note(log, "action");
    TToolButton* act = make("Act", TToolButtonStyle::tbsCheck, false);
    act->SetAction(action);
    EXPECT_EQ(act->ImageIndex(), 3);
    act->UserClick();
    EXPECT_TRUE(action->Checked());
    EXPECT_TRUE(act->Down());
    action->SetChecked(false);
    EXPECT_FALSE(act->Down());

    // The drop-down part opens the menu.
    auto* menu = Create<TPopupMenu>(form.get());
    menu->OnPopup = Note(log, "popup");
    drop->SetDropdownMenu(menu);
    drop->UserDropdown();
    EXPECT_TRUE(menu->IsOpen());
    EXPECT_EQ(menu->PopupComponent(), drop);
    EXPECT_THAT(log, ElementsAre("action", "popup"));
    TObject::Free(menu);
    EXPECT_EQ(drop->DropdownMenu(), nullptr);
}

TEST_F(ControlsTest, BitButtonKindsAndTheCloseButton) {
    auto form = NewForm();
    form->Show();
    auto* ok = Make<TBitBtn>(form.get(), form.get(), "BitOk");
    ok->SetKind(TBitBtnKind::bkOK);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_TRUE(ok->Default());
    auto* named = Make<TBitBtn>(form.get(), form.get(), "BitNamed");
    named->SetCaption("Proceed");
    named->SetKind(TBitBtnKind::bkYes);
    EXPECT_EQ(named->Caption(), "Proceed");

    auto* close = Make<TBitBtn>(form.get(), form.get(), "BitClose");
    close->SetKind(TBitBtnKind::bkClose);
    close->OnClick = Note(log, "close.click");
    form->OnClose = TCloseEvent::FromFunction([&](TObject*, TCloseAction&) { log.push_back("form.close"); });
    close->UserClick();
    EXPECT_THAT(log, ElementsAre("form.close"));
    EXPECT_FALSE(form->Visible());
}

TEST_F(ControlsTest, ProgressBarStatusBarAndImageList) {
    auto form = NewForm();
    auto* bar = Make<TProgressBar>(form.get(), form.get(), "ProgressBar1");
    bar->SetMax(25);
    bar->SetPosition(30);
    EXPECT_EQ(bar->Position(), 25);
    bar->SetPosition(18);
    bar->StepIt();  // past the end: round again
    EXPECT_EQ(bar->Position(), 0);
    bar->StepBy(100);
    EXPECT_EQ(bar->Position(), 25);

    auto* status = Make<TStatusBar>(form.get(), form.get(), "StatusBar1");
    status->Panels()->Add()->SetText("Ready");
    EXPECT_EQ(status->Panels()->Items(0)->Text(), "Ready");

    auto* images = Create<TImageList>(form.get());
    EXPECT_EQ(images->Add("open"), 0);
    EXPECT_EQ(images->Add("save"), 1);
    EXPECT_EQ(images->IndexOf("SAVE"), 1);
    images->SetWidth(24);  // a new size empties the list
    EXPECT_EQ(images->Count(), 0);
    EXPECT_THROW(images->Delete(0), rtl::EListError);
}

// ---------------------------------------------------------------- form life

class TOrderForm : public TForm {
public:
    TOrderForm(TComponent* owner, Log* log, bool oldCreateOrder) : TForm(owner), log_(log), old_(oldCreateOrder) {}
    void Construct() override {
        TForm::Construct();
        log_->push_back("derived construct");
    }
    void AfterConstruction() override {
        TForm::AfterConstruction();
        log_->push_back("after construction");
    }

protected:
    void CreateFormComponents() override {
        TForm::CreateFormComponents();
        log_->push_back("components");
        SetOldCreateOrder(old_);
        OnCreate = Note(*log_, "OnCreate");
    }

private:
    Log* log_;
    bool old_;
};

TEST_F(ControlsTest, OnCreateRunsInsideConstructionOnlyWithTheOldCreateOrder) {
    struct Case {
        bool oldCreateOrder;
        Log order;
    };
    const std::vector<Case> cases = {
        {true, {"components", "OnCreate", "derived construct", "after construction"}},
        {false, {"components", "derived construct", "OnCreate", "after construction"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.oldCreateOrder);
        log.clear();
        Owned<TOrderForm> form(Create<TOrderForm>(nullptr, &log, c.oldCreateOrder));
        EXPECT_EQ(log, c.order);
    }
}

TEST_F(ControlsTest, ShowCloseAndFreeRunTheFormsEventsInOrder) {
    auto form = NewForm();
    auto* first = Create<TProbe>(form.get(), &log);
    first->SetName("First");
    auto* second = Create<TProbe>(form.get(), &log);
    second->SetName("Second");
    bool canClose = false;
    form->OnShow = Note(log, "OnShow");
    form->OnActivate = Note(log, "OnActivate");
    form->OnDeactivate = Note(log, "OnDeactivate");
    form->OnHide = Note(log, "OnHide");
    form->OnCloseQuery = TCloseQueryEvent::FromFunction([&](TObject*, bool& ok) {
        log.push_back("OnCloseQuery");
        ok = canClose;
    });
    form->OnClose = TCloseEvent::FromFunction([&](TObject*, TCloseAction&) { log.push_back("OnClose"); });
    form->OnDestroy = Note(log, "OnDestroy");

    form->Show();
    form->Close();  // refused
    EXPECT_TRUE(form->Visible());
    canClose = true;
    form->Close();
    EXPECT_FALSE(form->Visible());
    form.reset();
    // Owned components go after OnDestroy, the last made first.
    EXPECT_THAT(log, ElementsAre("OnShow", "OnActivate", "OnCloseQuery", "OnCloseQuery", "OnClose", "OnHide",
                                 "OnDeactivate", "OnDestroy", "free Second", "free First"));
}

TEST_F(ControlsTest, CloseWithCaFreeReleasesTheFormWhenMessagesAreProcessed) {
    Application()->ProcessMessages();
    auto* form = Create<TEntryForm>(nullptr, &log);
    Owned<TProbe> watcher(Create<TProbe>(nullptr, &log));
    watcher->SetName("Watcher");
    form->FreeNotification(watcher.get());
    form->OnClose = TCloseEvent::FromFunction([](TObject*, TCloseAction& action) { action = TCloseAction::caFree; });
    form->OnDestroy = Note(log, "OnDestroy");
    form->Show();
    const int forms = Screen()->FormCount();
    form->Close();
    EXPECT_EQ(Screen()->FormCount(), forms);  // still there until messages are processed
    EXPECT_THAT(log, IsEmpty());
    Application()->ProcessMessages();
    EXPECT_EQ(Screen()->FormCount(), forms - 1);
    EXPECT_THAT(log, ElementsAre("OnDestroy", "Watcher told EntryForm goes"));
}

TEST_F(ControlsTest, FreeNotificationClearsReferencesToFreedControls) {
    auto form = NewForm();
    auto* label = Make<TLabel>(form.get(), form.get(), "Label1");
    label->SetFocusControl(form->Edit1);
    form->PageControl1->SetImages(Create<TImageList>(form.get()));
    TObject::Free(form->Edit1);
    form->Edit1 = nullptr;
    EXPECT_EQ(label->FocusControl(), nullptr);
    TObject::Free(form->PageControl1->Images());
    EXPECT_EQ(form->PageControl1->Images(), nullptr);
    // Freeing the page control leaves its sheets as loose controls.
    TObject::Free(form->PageControl1);
    EXPECT_EQ(form->TabSheet1->PageControl(), nullptr);
    EXPECT_EQ(form->TabSheet1->Parent(), nullptr);
}

}  // namespace
