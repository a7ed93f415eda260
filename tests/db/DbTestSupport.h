// Shared helpers of the data layer's tests: an owner component that frees what the test
// made, client data sets built from field definitions, an event log and exception checks.
#pragma once

#include "db/ClientDataSet.h"
#include "db/DataSource.h"
#include "rtl/Exceptions.h"
#include "rtl/FormatSettings.h"
#include "vcl/Component.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace dbtest {

using Log = std::vector<std::string>;

// Runs fn and returns the message of the exception of class E it raised; fails the test
// when it raised nothing or something else.
template <class E, class Fn>
std::string ErrorOf(Fn&& fn) {
    try {
        fn();
    } catch (const E& e) {
        return e.Message();
    } catch (const std::exception& e) {
        ADD_FAILURE() << "unexpected exception " << rtl::ExceptionClassName(e) << ": " << e.what();
        return {};
    }
    ADD_FAILURE() << "no exception raised";
    return {};
}

inline db::TDataSetNotifyEvent Note(Log& log, std::string name) {
    return db::TDataSetNotifyEvent::FromFunction([&log, name](db::TDataSet*) { log.push_back(name); });
}

// Every data-set event of ds written into the log under its own name.
inline void HookAll(db::TDataSet* ds, Log& log) {
    ds->BeforeOpen = Note(log, "BeforeOpen");
    ds->AfterOpen = Note(log, "AfterOpen");
    ds->BeforeClose = Note(log, "BeforeClose");
    ds->AfterClose = Note(log, "AfterClose");
    ds->BeforeInsert = Note(log, "BeforeInsert");
    ds->AfterInsert = Note(log, "AfterInsert");
    ds->BeforeEdit = Note(log, "BeforeEdit");
    ds->AfterEdit = Note(log, "AfterEdit");
    ds->BeforePost = Note(log, "BeforePost");
    ds->AfterPost = Note(log, "AfterPost");
    ds->BeforeCancel = Note(log, "BeforeCancel");
    ds->AfterCancel = Note(log, "AfterCancel");
    ds->BeforeDelete = Note(log, "BeforeDelete");
    ds->AfterDelete = Note(log, "AfterDelete");
    ds->BeforeScroll = Note(log, "BeforeScroll");
    ds->AfterScroll = Note(log, "AfterScroll");
    ds->OnNewRecord = Note(log, "OnNewRecord");
}

// A test with an owner component: everything made with Owner() is freed at the end.
class DbTest : public ::testing::Test {
protected:
    void SetUp() override { owner_ = vcl::Create<vcl::TComponent>(nullptr); }
    void TearDown() override { rtl::TObject::Free(owner_); }
    vcl::TComponent* Owner() const { return owner_; }

    // A client data set made from field definitions and created (open, empty).
    db::TClientDataSet* MakeCds(const std::string& name, std::initializer_list<db::TFieldDef> defs) {
        auto* cds = vcl::Create<db::TClientDataSet>(owner_);
        cds->SetName(name);
        for (const db::TFieldDef& d : defs) cds->FieldDefs().Add(d.Name, d.DataType, d.Size, d.Required);
        cds->CreateDataSet();
        return cds;
    }

    // The values of one field over the view, from the first record on (the cursor ends
    // on the last record).
    static std::vector<std::string> Column(db::TDataSet* ds, const std::string& field) {
        std::vector<std::string> out;
        for (ds->First(); !ds->Eof(); ds->Next()) out.push_back(ds->FieldByName(field)->GetAsString());
        return out;
    }

private:
    vcl::TComponent* owner_ = nullptr;
    // Every test runs under the Russian settings, whatever an earlier one left.
    rtl::TFormatSettingsScope locale_{rtl::RussianFormatSettings()};
};

}  // namespace dbtest
