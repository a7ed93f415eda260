// Menu items and popup menus. An item has a caption, check mark (radio items of one
// group exclude each other), enabled/visible state, hint, shortcut, image index and child
// items; it may follow an action. A popup menu raises OnPopup when it opens, so its owner
// can adjust the items; the operator then picks an item (UserClick).
#pragma once

#include "vcl/Actions.h"
#include "vcl/Controls.h"

#include <string>
#include <vector>

namespace vcl {

class TMenuItem : public TComponent, public IActionClient {
    RTL_DECLARE_CLASS(TMenuItem)
public:
    explicit TMenuItem(TComponent* owner) : TComponent(owner) {}

    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(const std::string& v) { caption_ = v; }
    const std::string& Hint() const noexcept { return hint_; }
    void SetHint(const std::string& v) { hint_ = v; }
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    // Checking a radio item unchecks the other radio items of its group index.
    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool v);
    bool RadioItem() const noexcept { return radioItem_; }
    void SetRadioItem(bool v) noexcept { radioItem_ = v; }
    int GroupIndex() const noexcept { return groupIndex_; }
    void SetGroupIndex(int v) noexcept { groupIndex_ = v; }
    bool AutoCheck() const noexcept { return autoCheck_; }
    void SetAutoCheck(bool v) noexcept { autoCheck_ = v; }
    int ImageIndex() const noexcept { return imageIndex_; }
    void SetImageIndex(int v) noexcept { imageIndex_ = v; }
    TShortCut ShortCut() const noexcept { return shortCut_; }
    void SetShortCut(TShortCut v) noexcept { shortCut_ = v; }
    TBasicAction* Action() const noexcept { return action_; }
    void SetAction(TBasicAction* action);

    // Child items. Add and Insert take an item made by the caller (its owner frees it,
    // or the parent item when the item has no owner); Delete and Clear free.
    int Count() const noexcept { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const noexcept { return parent_; }
    int MenuIndex() const;
    int IndexOf(const TMenuItem* item) const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    void Delete(int index);
    void Clear();

    // OnClick, or the linked action; auto-check first.
    virtual void Click();
    // The operator picks the item (ignored when hidden or disabled).
    void UserClick();

    TNotifyEvent OnClick;

    void ActionChanged(TBasicAction* action) override;
    void ActionFreed(TBasicAction* action) override;

protected:
    ~TMenuItem() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::string caption_, hint_;
    bool enabled_ = true, visible_ = true, checked_ = false, radioItem_ = false, autoCheck_ = false;
    int groupIndex_ = 0, imageIndex_ = -1;
    TShortCut shortCut_ = scNone;
    TBasicAction* action_ = nullptr;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
    RTL_DECLARE_CLASS(TPopupMenu)
public:
    explicit TPopupMenu(TComponent* owner);

    // The root item whose children are the menu's items.
    TMenuItem* Items() const noexcept { return items_; }
    TComponent* Images() const noexcept { return images_; }
    void SetImages(TComponent* images) noexcept { images_ = images; }
    // Opens the menu at the screen point: OnPopup runs first.
    virtual void Popup(int x, int y);
    bool IsOpen() const noexcept { return open_; }
    TPoint PopupPoint() const noexcept { return popupPoint_; }
    TComponent* PopupComponent() const noexcept { return popupComponent_; }
    void SetPopupComponent(TComponent* c) noexcept { popupComponent_ = c; }
    // Runs the enabled item (at any depth) whose shortcut this is.
    bool IsShortCut(TShortCut shortCut);
    void CloseMenu() noexcept { open_ = false; }

    TNotifyEvent OnPopup;

protected:
    ~TPopupMenu() override;

private:
    TMenuItem* items_;
    TComponent* images_ = nullptr;
    TComponent* popupComponent_ = nullptr;
    TPoint popupPoint_;
    bool open_ = false;
};

// Opens the popup menu under the control, as its button would.
void MenuOpen(TControl* control, TPopupMenu* menu);

}  // namespace vcl
