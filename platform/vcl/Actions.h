// Actions: named commands with a caption, enabled/visible/checked state, a hint, an image
// index and a shortcut, executed by the controls and menu items linked to them, by their
// shortcut, or from code. Action lists gather them; the application updates every action
// of the showing forms when it is idle (OnUpdate).
#pragma once

#include "vcl/Component.h"

#include <string>
#include <vector>

namespace vcl {

class IActionClient;
class TActionList;

using TShortCut = unsigned short;
inline constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
// The shortcut of a key with Shift/Alt/Ctrl (ssShift, ssAlt, ssCtrl).
TShortCut ShortCut(unsigned short key, unsigned shift);

class TBasicAction : public TComponent {
    RTL_DECLARE_CLASS(TBasicAction)
public:
    explicit TBasicAction(TComponent* owner) : TComponent(owner) {}

    // Runs OnExecute; true when something handled the action.
    virtual bool Execute();
    // Runs OnUpdate; true when something handled the update.
    virtual bool Update();

    void RegisterClient(IActionClient* client);
    void UnRegisterClient(IActionClient* client);

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

protected:
    ~TBasicAction() override;
    // Tells every linked client to copy the action's state again.
    void Change();

private:
    std::vector<IActionClient*> clients_;
};

class TAction : public TBasicAction {
    RTL_DECLARE_CLASS(TAction)
public:
    explicit TAction(TComponent* owner) : TBasicAction(owner) {}

    TActionList* ActionList() const noexcept { return actionList_; }
    void SetActionList(TActionList* list);

    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(const std::string& v);
    const std::string& Hint() const noexcept { return hint_; }
    void SetHint(const std::string& v);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool v);
    // Checking an action with a group index unchecks the others of its group.
    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool v);
    int GroupIndex() const noexcept { return groupIndex_; }
    void SetGroupIndex(int v) noexcept { groupIndex_ = v; }
    bool AutoCheck() const noexcept { return autoCheck_; }
    void SetAutoCheck(bool v) noexcept { autoCheck_ = v; }
    int ImageIndex() const noexcept { return imageIndex_; }
    void SetImageIndex(int v);
    TShortCut ShortCut() const noexcept { return shortCut_; }
    void SetShortCut(TShortCut v) noexcept { shortCut_ = v; }

    // Updates first; a disabled action is not run. The list's OnExecute may handle it
    // before the action's own OnExecute.
    bool Execute() override;
    // The list's OnUpdate first, then the action's.
    bool Update() override;

protected:
    ~TAction() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TActionList;
    TActionList* actionList_ = nullptr;
    std::string caption_, hint_;
    bool enabled_ = true, visible_ = true, checked_ = false, autoCheck_ = false;
    int groupIndex_ = 0, imageIndex_ = -1;
    TShortCut shortCut_ = scNone;
};

using TActionEvent = rtl::TMethod<void(TBasicAction* action, bool& handled)>;

// Points a client's action at another one: the old action forgets the client, the new one
// registers it and tells it when the action is freed. False when nothing changed.
bool RelinkAction(TComponent& client, IActionClient& link, TBasicAction*& slot, TBasicAction* action);

class TActionList : public TComponent {
    RTL_DECLARE_CLASS(TActionList)
public:
    explicit TActionList(TComponent* owner) : TComponent(owner) {}

    int ActionCount() const noexcept { return static_cast<int>(actions_.size()); }
    TAction* Actions(int index) const;
    // Runs the enabled action whose shortcut this is; true when one was found.
    bool IsShortCut(TShortCut shortCut);
    // OnUpdate of every action.
    void UpdateActions();
    TComponent* Images() const noexcept { return images_; }
    void SetImages(TComponent* images) noexcept { images_ = images; }

    TActionEvent OnExecute;
    TActionEvent OnUpdate;

protected:
    ~TActionList() override;

private:
    friend class TAction;
    std::vector<TAction*> actions_;
    TComponent* images_ = nullptr;
};

}  // namespace vcl
