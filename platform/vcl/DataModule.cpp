#include "vcl/DataModule.h"

namespace vcl {

RTL_DEFINE_CLASS(TDataModule, TComponent)

void TDataModule::Construct() {
    TComponent::Construct();
    SetComponentState(csLoading, true);
    CreateFormComponents();
    SetComponentState(csLoading, false);
    for (int i = 0; i < ComponentCount(); ++i) Components(i)->Loaded();  // NOLINT
    if (oldCreateOrder_) DoCreate();
}

void TDataModule::AfterConstruction() {
    TComponent::AfterConstruction();
    if (!oldCreateOrder_) DoCreate();
}

// The platform runs OnDestroy either here or at the start of the destructor, by the
// create order; here the module is still whole in both cases.
void TDataModule::BeforeDestruction() {
    TComponent::BeforeDestruction();
    DoDestroy();
}

void TDataModule::DoCreate() {
    if (created_) return;
    created_ = true;
    if (OnCreate) OnCreate(this);
}

void TDataModule::DoDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    if (OnDestroy) OnDestroy(this);
}

}  // namespace vcl
