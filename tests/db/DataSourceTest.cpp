// Data sources and data links: what a follower hears of a data set, DisableControls and
// EnableControls, and a data set that goes away under its data source.
#include "DbTestSupport.h"

#include "db/ClientDataSet.h"
#include "db/DataSource.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace db;
using dbtest::Log;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A follower that writes down what it is told, with the data set's state at the time.
class TRecordingLink : public TDataLink {
public:
    Log log;

protected:
    void ActiveChanged() override { log.push_back(std::string("ActiveChanged ") + (Active() ? "on" : "off")); }
    void DataSetChanged() override { log.push_back("DataSetChanged"); }
    void DataSetScrolled(int) override { log.push_back("DataSetScrolled"); }
    void RecordChanged(TField* field) override { log.push_back("RecordChanged " + (field ? field->FieldName() : "-")); }
    void EditingChanged() override {
        const TDataSetState s = DataSource()->State();
        log.push_back(std::string("EditingChanged ") +
                      (s == TDataSetState::dsEdit || s == TDataSetState::dsInsert ? "on" : "off"));
    }
};

class DataSourceTest : public dbtest::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ds = MakeCds("Cards", {{"ID", TFieldType::ftInteger}, {"NAME", TFieldType::ftString, 20}});
        for (int i = 1; i <= 3; ++i) ds->AppendRecord({i, "card " + std::to_string(i)});
        ds->First();
        src = vcl::Create<TDataSource>(Owner());
        src->OnStateChange = vcl::TNotifyEvent::FromFunction([this](rtl::TObject* sender) {
            EXPECT_EQ(sender, src);
            events.push_back("OnStateChange " + std::to_string(static_cast<int>(src->State())));
        });
        src->OnDataChange = TDataChangeEvent::FromFunction([this](rtl::TObject*, TField* field) {
            events.push_back("OnDataChange " + (field ? field->FieldName() : "-"));
        });
    }

    TClientDataSet* ds = nullptr;
    TDataSource* src = nullptr;
    Log events;
    TRecordingLink link;
};

const std::string kBrowse = std::to_string(static_cast<int>(TDataSetState::dsBrowse));
const std::string kEdit = std::to_string(static_cast<int>(TDataSetState::dsEdit));
const std::string kInsert = std::to_string(static_cast<int>(TDataSetState::dsInsert));
const std::string kInactive = std::to_string(static_cast<int>(TDataSetState::dsInactive));

TEST_F(DataSourceTest, TheDataSourceTellsStateAndDataChanges) {
    src->SetDataSet(ds);
    EXPECT_EQ(src->State(), TDataSetState::dsBrowse);
    // Becoming active is a state change and a data change.
    EXPECT_THAT(events, ElementsAre("OnStateChange " + kBrowse, "OnDataChange -"));

    events.clear();
    ds->Next();
    EXPECT_THAT(events, ElementsAre("OnDataChange -"));
    events.clear();
    ds->Edit();
    ds->FieldByName("NAME")->SetAsString("x");
    ds->Post();
    EXPECT_THAT(events, Contains("OnStateChange " + kEdit));
    EXPECT_THAT(events, Contains("OnDataChange NAME"));
    EXPECT_EQ(events.back(), "OnDataChange -");
    EXPECT_THAT(events, Contains("OnStateChange " + kBrowse));

    events.clear();
    ds->Close();
    EXPECT_THAT(events, ElementsAre("OnStateChange " + kInactive));
    events.clear();
    ds->CreateDataSet();
    EXPECT_THAT(events, ElementsAre("OnStateChange " + kBrowse, "OnDataChange -"));

    // A disabled data source is inactive and hears no data changes.
    events.clear();
    src->SetEnabled(false);
    EXPECT_EQ(src->State(), TDataSetState::dsInactive);
    ds->AppendRecord({9});
    EXPECT_THAT(events, ElementsAre("OnStateChange " + kInactive));
    // AutoEdit: the data source may put the data set into edit mode.
    src->SetEnabled(true);
    src->SetAutoEdit(false);
    src->Edit();
    EXPECT_EQ(ds->State(), TDataSetState::dsBrowse);
    src->SetAutoEdit(true);
    src->Edit();
    EXPECT_EQ(ds->State(), TDataSetState::dsEdit);
}

TEST_F(DataSourceTest, ALinkHearsActivationScrollsRecordAndEditingChanges) {
    link.SetDataSource(src);
    EXPECT_THAT(link.log, IsEmpty());  // no data set yet
    EXPECT_FALSE(link.Active());
    src->SetDataSet(ds);
    EXPECT_THAT(link.log, ElementsAre("ActiveChanged on"));
    EXPECT_EQ(link.DataSet(), ds);

    link.log.clear();
    ds->Next();
    ds->Last();
    EXPECT_THAT(link.log, ElementsAre("DataSetScrolled", "DataSetChanged"));

    link.log.clear();
    ds->Edit();
    EXPECT_THAT(link.log, Contains("EditingChanged on"));
    link.log.clear();
    ds->FieldByName("NAME")->SetAsString("y");
    EXPECT_THAT(link.log, ElementsAre("RecordChanged NAME"));
    link.log.clear();
    ds->Cancel();
    EXPECT_THAT(link.log, ElementsAre("EditingChanged off", "DataSetChanged"));

    link.log.clear();
    ds->Append();
    EXPECT_THAT(link.log, Contains("EditingChanged on"));
    link.log.clear();
    ds->Close();
    EXPECT_THAT(link.log, ElementsAre("ActiveChanged off", "EditingChanged off"));
    link.log.clear();
    ds->CreateDataSet();
    EXPECT_THAT(link.log, ElementsAre("ActiveChanged on"));

    // A link taken off its data source hears nothing more.
    link.SetDataSource(nullptr);
    EXPECT_THAT(link.log, ElementsAre("ActiveChanged on", "ActiveChanged off"));
    link.log.clear();
    ds->AppendRecord({1});
    EXPECT_THAT(link.log, IsEmpty());
}

TEST_F(DataSourceTest, DisabledControlsHearNothingUntilEnabledOnce) {
    src->SetDataSet(ds);
    link.SetDataSource(src);
    link.log.clear();
    events.clear();

    ds->DisableControls();
    ds->DisableControls();  // nested
    EXPECT_TRUE(ds->ControlsDisabled());
    for (ds->First(); !ds->Eof(); ds->Next()) {
        ds->Edit();
        ds->FieldByName("NAME")->SetAsString("n");
        ds->Post();
    }
    ds->AppendRecord({4});
    ds->EnableControls();
    EXPECT_TRUE(ds->ControlsDisabled());
    EXPECT_THAT(link.log, IsEmpty());
    EXPECT_THAT(events, IsEmpty());
    ds->EnableControls();
    EXPECT_FALSE(ds->ControlsDisabled());
    EXPECT_THAT(link.log, ElementsAre("DataSetChanged"));
    EXPECT_THAT(events, ElementsAre("OnDataChange -"));
    ds->EnableControls();  // one too many does nothing
    EXPECT_THAT(link.log, ElementsAre("DataSetChanged"));

    // A state changed while disabled is told when enabled: the link must not go on
    // believing the data set is open or browsing.
    link.log.clear();
    events.clear();
    ds->DisableControls();
    ds->Edit();
    ds->EnableControls();
    EXPECT_THAT(link.log, ElementsAre("EditingChanged on", "DataSetChanged"));
    EXPECT_EQ(events.front(), "OnStateChange " + kEdit);
    ds->Cancel();

    link.log.clear();
    events.clear();
    ds->DisableControls();
    ds->Close();
    ds->EnableControls();
    EXPECT_THAT(link.log, ElementsAre("ActiveChanged off"));
    EXPECT_THAT(events, ElementsAre("OnStateChange " + kInactive));
    EXPECT_FALSE(link.Active());
}

TEST_F(DataSourceTest, AFreedDataSetDetachesItsDataSource) {
    src->SetDataSet(ds);
    link.SetDataSource(src);
    link.log.clear();
    events.clear();
    rtl::TObject::Free(ds);
    EXPECT_EQ(src->DataSet(), nullptr);
    EXPECT_EQ(src->State(), TDataSetState::dsInactive);
    EXPECT_THAT(link.log, ElementsAre("ActiveChanged off"));
    EXPECT_EQ(link.DataSet(), nullptr);
    EXPECT_FALSE(link.Active());

    // And a freed data source detaches its links.
    auto* other = MakeCds("Other", {{"ID", TFieldType::ftInteger}});
    src->SetDataSet(other);
    EXPECT_TRUE(link.Active());
    rtl::TObject::Free(src);
    EXPECT_EQ(link.DataSource(), nullptr);
    EXPECT_FALSE(link.Active());
    other->AppendRecord({1});  // nobody is told, nothing breaks
}

}  // namespace
