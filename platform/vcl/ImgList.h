// Image lists, headless: an image is a slot with an optional name; controls and actions
// refer to images by index only.
#pragma once

#include "vcl/Component.h"

#include <string>
#include <string_view>
#include <vector>

namespace vcl {

class TCustomImageList : public TComponent {
    RTL_DECLARE_CLASS(TCustomImageList)
public:
    explicit TCustomImageList(TComponent* owner) : TComponent(owner) {}

    // Changing the size of the images empties the list, as the platform's does.
    int Width() const noexcept { return width_; }
    void SetWidth(int v);
    int Height() const noexcept { return height_; }
    void SetHeight(int v);
    int Count() const noexcept { return static_cast<int>(names_.size()); }
    // Adds an image and returns its index.
    int Add(const std::string& name = {});
    // Index errors raise EListError; the images after it move up one place.
    void Delete(int index);
    void Clear();
    const std::string& Names(int index) const;
    // The first image of that name (case-insensitive), -1 for none.
    int IndexOf(std::string_view name) const;

    TNotifyEvent OnChange;

private:
    void Change();

    int width_ = 16, height_ = 16;
    std::vector<std::string> names_;
};

class TImageList : public TCustomImageList {
    RTL_DECLARE_CLASS(TImageList)
public:
    using TCustomImageList::TCustomImageList;
};

}  // namespace vcl
