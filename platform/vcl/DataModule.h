// TDataModule: a non-visual container of components. Its construction builds the
// components (CreateFormComponents, the module's "form resource"), then runs OnCreate:
// inside Construct when OldCreateOrder is set (so a derived module's construction steps
// see the handler's work), in AfterConstruction otherwise. Freeing runs OnDestroy first.
#pragma once

#include "vcl/Component.h"

namespace vcl {

class TDataModule : public TComponent {
    RTL_DECLARE_CLASS(TDataModule)
public:
    explicit TDataModule(TComponent* owner) : TComponent(owner) {}

    void Construct() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    bool OldCreateOrder() const noexcept { return oldCreateOrder_; }
    void SetOldCreateOrder(bool v) noexcept { oldCreateOrder_ = v; }

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;

protected:
    ~TDataModule() override = default;
    virtual void CreateFormComponents() {}
    virtual void DoCreate();
    virtual void DoDestroy();

private:
    bool oldCreateOrder_ = false;
    bool created_ = false;
    bool destroyed_ = false;
};

}  // namespace vcl
