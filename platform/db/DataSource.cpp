#include "db/DataSource.h"

#include <algorithm>

namespace db {

RTL_DEFINE_CLASS(TDataSource, vcl::TComponent,
                 rtl::Prop<TDataSource>("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled),
                 rtl::Prop<TDataSource>("AutoEdit", &TDataSource::AutoEdit, &TDataSource::SetAutoEdit))

TDataSource::~TDataSource() {
    for (TDataLink* link : std::vector<TDataLink*>(links_)) link->SetDataSource(nullptr);
    SetDataSet(nullptr);
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (dataSet == dataSet_) return;
    if (dataSet_) {
        dataSet_->RemoveDataSource(this);
        dataSet_->RemoveFreeNotification(this);
    }
    dataSet_ = dataSet;
    if (dataSet) {
        dataSet->AddDataSource(this);
        dataSet->FreeNotification(this);
    }
    DataEvent(TDataEvent::deUpdateState, 0);
}

void TDataSource::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation == vcl::TOperation::opRemove && component == dataSet_) {
        dataSet_ = nullptr;
        DataEvent(TDataEvent::deUpdateState, 0);
    }
}

void TDataSource::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    DataEvent(TDataEvent::deUpdateState, 0);
}

TDataSetState TDataSource::State() const noexcept {
    return dataSet_ && enabled_ ? dataSet_->State() : TDataSetState::dsInactive;
}

void TDataSource::Edit() {
    if (autoEdit_ && dataSet_ && dataSet_->State() == TDataSetState::dsBrowse) dataSet_->Edit();
}

void TDataSource::DataEvent(TDataEvent event, std::intptr_t info) {
    if (event == TDataEvent::deUpdateState) {
        const TDataSetState state = State();
        if (state == lastState_) return;
        const bool wasActive = lastState_ != TDataSetState::dsInactive;
        lastState_ = state;
        for (TDataLink* link : std::vector<TDataLink*>(links_)) {
            const bool active = link->Active();
            if (active != link->active_ || wasActive != (state != TDataSetState::dsInactive)) {
                link->active_ = active;
                link->ActiveChanged();
            }
            const bool editing = state == TDataSetState::dsEdit || state == TDataSetState::dsInsert;
            if (editing != link->editing_) {
                link->editing_ = editing;
                link->EditingChanged();
            }
        }
        if (OnStateChange) OnStateChange(this);
        // Becoming active is also a change of the data shown.
        if (!wasActive && state != TDataSetState::dsInactive && OnDataChange) OnDataChange(this, nullptr);
        return;
    }
    if (!enabled_) return;
    for (TDataLink* link : std::vector<TDataLink*>(links_)) {
        switch (event) {
        case TDataEvent::deFieldChange: link->RecordChanged(reinterpret_cast<TField*>(info)); break;
        case TDataEvent::deRecordChange: link->RecordChanged(nullptr); break;
        case TDataEvent::deDataSetChange: link->DataSetChanged(); break;
        case TDataEvent::deDataSetScroll: link->DataSetScrolled(static_cast<int>(info)); break;
        case TDataEvent::deLayoutChange: link->LayoutChanged(); break;
        case TDataEvent::deUpdateRecord: link->UpdateData(); break;
        default: break;
        }
    }
    if (event == TDataEvent::deUpdateRecord && OnUpdateData) OnUpdateData(this);
    if ((event == TDataEvent::deFieldChange || event == TDataEvent::deRecordChange ||
         event == TDataEvent::deDataSetChange || event == TDataEvent::deDataSetScroll ||
         event == TDataEvent::deLayoutChange) && OnDataChange)
        OnDataChange(this, event == TDataEvent::deFieldChange ? reinterpret_cast<TField*>(info) : nullptr);
}

TDataLink::~TDataLink() { SetDataSource(nullptr); }

void TDataLink::SetDataSource(TDataSource* source) {
    if (source == source_) return;
    if (source_) {
        auto& links = source_->links_;
        links.erase(std::remove(links.begin(), links.end(), this), links.end());
    }
    source_ = source;
    if (source) source->links_.push_back(this);
    const bool active = Active();
    if (active != active_) {
        active_ = active;
        ActiveChanged();
    }
}

}  // namespace db
