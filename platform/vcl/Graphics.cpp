#include "vcl/Graphics.h"

namespace vcl {

RTL_DEFINE_CLASS(TFont, rtl::TObject, rtl::Prop<TFont>("Name", &TFont::Name, &TFont::SetName),
                 rtl::Prop<TFont>("Size", &TFont::Size, &TFont::SetSize),
                 rtl::Prop<TFont>("Color", &TFont::Color, &TFont::SetColor))

void TFont::Changed() {
    if (OnChange) OnChange(this);
}

void TFont::SetName(const std::string& v) {
    if (v != name_) { name_ = v; Changed(); }
}
void TFont::SetSize(int v) {
    if (v != size_) { size_ = v; Changed(); }
}
void TFont::SetColor(TColor v) {
    if (v != color_) { color_ = v; Changed(); }
}
void TFont::SetStyle(unsigned v) {
    if (v != style_) { style_ = v; Changed(); }
}
void TFont::SetCharset(int v) {
    if (v != charset_) { charset_ = v; Changed(); }
}
void TFont::Assign(const TFont& o) {
    name_ = o.name_;
    size_ = o.size_;
    color_ = o.color_;
    style_ = o.style_;
    charset_ = o.charset_;
    Changed();
}

}  // namespace vcl
