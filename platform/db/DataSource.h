// Data sources connect a data set to the controls and modules that follow it. A data set
// tells its data sources what happened (scroll, field change, state change …); a data
// source passes that on to its data links and raises OnDataChange / OnStateChange (both
// when it becomes active).
#pragma once

#include "db/DataSet.h"
#include "vcl/Component.h"

#include <vector>

namespace db {

class TDataLink;
class TDataSource;

using TDataChangeEvent = rtl::TMethod<void(rtl::TObject* sender, TField* field)>;

class TDataSource : public vcl::TComponent {
    RTL_DECLARE_CLASS(TDataSource)
public:
    explicit TDataSource(vcl::TComponent* owner) : vcl::TComponent(owner) {}

    TDataSet* DataSet() const noexcept { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool v);
    bool AutoEdit() const noexcept { return autoEdit_; }
    void SetAutoEdit(bool v) noexcept { autoEdit_ = v; }
    TDataSetState State() const noexcept;
    // Puts the data set into edit mode when AutoEdit allows it.
    void Edit();

    vcl::TNotifyEvent OnStateChange;
    TDataChangeEvent OnDataChange;
    vcl::TNotifyEvent OnUpdateData;

    // From the data set.
    void DataEvent(TDataEvent event, std::intptr_t info);

protected:
    ~TDataSource() override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    friend class TDataLink;
    std::vector<TDataLink*> links_;
    TDataSet* dataSet_ = nullptr;
    bool enabled_ = true;
    bool autoEdit_ = true;
    TDataSetState lastState_ = TDataSetState::dsInactive;
};

// A follower of a data source (grids, data-aware controls, master-detail links).
class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const noexcept { return source_; }
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const noexcept { return source_ ? source_->DataSet() : nullptr; }
    bool Active() const noexcept { return DataSet() && DataSet()->Active() && source_->Enabled(); }

protected:
    friend class TDataSource;
    virtual void ActiveChanged() {}
    virtual void DataSetChanged() {}
    virtual void DataSetScrolled(int) { DataSetChanged(); }
    virtual void RecordChanged(TField*) {}
    virtual void EditingChanged() {}
    virtual void UpdateData() {}
    virtual void LayoutChanged() { DataSetChanged(); }

private:
    TDataSource* source_ = nullptr;
    bool active_ = false;
    bool editing_ = false;
};

}  // namespace db
