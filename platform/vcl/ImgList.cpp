#include "vcl/ImgList.h"

#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

namespace vcl {

RTL_DEFINE_CLASS(TCustomImageList, TComponent,
                 rtl::Prop<TCustomImageList>("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth),
                 rtl::Prop<TCustomImageList>("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight),
                 rtl::Prop<TCustomImageList>("Count", &TCustomImageList::Count))
RTL_DEFINE_CLASS(TImageList, TCustomImageList)

void TCustomImageList::Change() {
    if (OnChange) OnChange(this);
}

void TCustomImageList::SetWidth(int v) {
    if (v == width_) return;
    width_ = v;
    Clear();
}

void TCustomImageList::SetHeight(int v) {
    if (v == height_) return;
    height_ = v;
    Clear();
}

int TCustomImageList::Add(const std::string& name) {
    names_.push_back(name);
    Change();
    return Count() - 1;
}

void TCustomImageList::Delete(int index) {
    if (index < 0 || index >= Count())
        throw rtl::EListError("Image index out of bounds (" + std::to_string(index) + ")");
    names_.erase(names_.begin() + index);
    Change();
}

void TCustomImageList::Clear() {
    if (names_.empty()) return;
    names_.clear();
    Change();
}

const std::string& TCustomImageList::Names(int index) const {
    if (index < 0 || index >= Count())
        throw rtl::EListError("Image index out of bounds (" + std::to_string(index) + ")");
    return names_[static_cast<std::size_t>(index)];
}

int TCustomImageList::IndexOf(std::string_view name) const {
    for (int i = 0; i < Count(); ++i)
        if (rtl::AnsiSameText(names_[static_cast<std::size_t>(i)], name)) return i;
    return -1;
}

}  // namespace vcl
