// A report window's settings side, as its form resource builds it, for driving the
// package's controls the way an operator does.
#pragma once

#include "rtl/Exceptions.h"
#include "rtl/FloatToText.h"
#include "rtl/FormatSettings.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/ScriptedUI.h"
#include "vcl/StdCtrls.h"
#include "ymacomp/EditPanel.h"
#include "ymacomp/NumberEdit.h"
#include "ymacomp/QSearch.h"
#include "ymacomp/ReportSettings.h"
#include "ymacomp/ScrollDateTime.h"
#include "ymacomp/TextSources.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace ymatest {

using Log = std::vector<std::string>;

template <class T>
using Owned = std::unique_ptr<T, rtl::TObjectFree>;

inline vcl::TNotifyEvent Note(Log& log, std::string name) {
    return vcl::TNotifyEvent::FromFunction([&log, name](vcl::TObject*) { log.push_back(name); });
}

template <class T>
T* Make(vcl::TComponent* owner, vcl::TWinControl* parent, const char* name) {
    T* c = vcl::Create<T>(owner);
    c->SetName(name);
    if constexpr (std::is_base_of_v<vcl::TControl, T>)
        if (parent) static_cast<vcl::TControl*>(c)->SetParent(parent);
    return c;
}

// Every control that takes a text table gets the window's reference, walking the
// controls depth first, as the base window's creation does.
inline void LinkTextSources(vcl::TWinControl* parent, yma::TYMASourcesReference* reference) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        vcl::TControl* c = parent->Controls(i);
        if (c->HasProperty("SourceReference")) c->SetObjectProp("SourceReference", reference);
        if (c->Is<vcl::TWinControl>()) LinkTextSources(static_cast<vcl::TWinControl*>(c), reference);
    }
}

class TSettingsForm : public vcl::TForm {
public:
    TSettingsForm(vcl::TComponent* owner, Log* log) : vcl::TForm(owner), log_(log) {}

    yma::TYMASourcesReference* YMASourcesReference = nullptr;
    yma::TReportSettings* ReportSettings1 = nullptr;
    vcl::TRadioGroup* rdgrpEMail = nullptr;
    yma::TScrollDateTime* ScrollDateTime = nullptr;
    yma::TEditPanel* EditPan_Pos = nullptr;
    yma::TNumberEdit* numedtDscntRange1 = nullptr;
    yma::TFrmQSearch* FrmQSearch1 = nullptr;
    vcl::TButton* RepBtn = nullptr;

    // What the window's OnCanReDeltaHeight answers for the e-mail page.
    int EmailDelta = 32;

protected:
    void CreateFormComponents() override {
        vcl::TForm::CreateFormComponents();
        SetName("SettingsForm");
        SetBounds(0, 0, 600, 500);
        YMASourcesReference = Make<yma::TYMASourcesReference>(this, nullptr, "YMASourcesReference");
        FrmQSearch1 = Make<yma::TFrmQSearch>(this, nullptr, "FrmQSearch1");
        FrmQSearch1->SetSourceReference(YMASourcesReference);

        ReportSettings1 = Make<yma::TReportSettings>(this, this, "ReportSettings1");
        ReportSettings1->OnChangeMode = Note(*log_, "ChangeMode");
        ReportSettings1->OnCurrentRecChange = Note(*log_, "CurrentRec");
        ReportSettings1->OnSettingsChange = Note(*log_, "Settings");
        ReportSettings1->OnOpenFolder = yma::TFolderEvent::FromFunction(
            [this](vcl::TObject*, const std::string& folder) { log_->push_back("Open " + folder); });
        ReportSettings1->OnCanReDeltaHeight = yma::TCanReDeltaHeightEvent::FromFunction(
            [this](vcl::TObject*, yma::TRepMode mode, int& delta) {
                log_->push_back("Delta");
                delta = mode == yma::TRepMode::rmdByEmail ? EmailDelta : 0;
            });
        ReportSettings1->SetModeList({yma::TRepMode::rmdPreview, yma::TRepMode::rmdSave, yma::TRepMode::rmdByEmail});
        ReportSettings1->SetIsNewFileName(true);  // a resource property: no event

        rdgrpEMail = Make<vcl::TRadioGroup>(this, this, "rdgrpEMail");
        rdgrpEMail->Items()->SetCommaText("Card,Client");
        rdgrpEMail->SetHeight(32);

        ScrollDateTime = Make<yma::TScrollDateTime>(this, this, "ScrollDateTime");
        ScrollDateTime->OnChange = Note(*log_, "Period");

        EditPan_Pos = Make<yma::TEditPanel>(this, this, "EditPan_Pos");
        EditPan_Pos->SetCaption("Учитывать ТО");

        numedtDscntRange1 = Make<yma::TNumberEdit>(this, this, "numedtDscntRange1");
        numedtDscntRange1->SetMinValue(0);
        numedtDscntRange1->SetMaxValue(100);
        numedtDscntRange1->SetDisplayFormat(",0.00 %;-,0.00 %");
        numedtDscntRange1->SetValue(12.5);
        numedtDscntRange1->OnChange = vcl::TNotifyEvent::FromFunction(
            [this](vcl::TObject*) { log_->push_back("Value " + rtl::FloatToStr(numedtDscntRange1->Value())); });
        // The window's own exit rule, which must see the value the edit settled on.
        numedtDscntRange1->OnExit = vcl::TNotifyEvent::FromFunction([this](vcl::TObject*) {
            log_->push_back("Exit " + rtl::FloatToStr(numedtDscntRange1->Value()));
            if (numedtDscntRange1->Value() > 100) numedtDscntRange1->SetValue(100);
        });

        RepBtn = Make<vcl::TButton>(this, this, "RepBtn");
        RepBtn->SetCaption("Run");
        OnCreate = vcl::TNotifyEvent::FromFunction([this](vcl::TObject*) { LinkTextSources(this, YMASourcesReference); });
    }

private:
    Log* log_;
};

// A fixture with the scripted operator, the Russian locale and a shown settings form.
class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.reset(vcl::Create<TSettingsForm>(nullptr, &log));
        form->Show();
        log.clear();
    }

    vcl::TScriptedUI ui;
    rtl::TFormatSettingsScope locale{rtl::RussianFormatSettings()};
    Log log;
    Owned<TSettingsForm> form;
};

}  // namespace ymatest
