#include "vcl/Graphics.h"

#include "rtl/Utf8.h"

namespace vcl {

RTL_DEFINE_CLASS(TCanvas, rtl::TObject)
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

void TCanvas::Record(TCanvasOp op) {
    op.BrushColor = Brush.Color;
    op.FontColor = font_.Color();
    op.FontStyle = font_.Style();
    ops_.push_back(std::move(op));
}

void TCanvas::FillRect(const TRect& r) {
    TCanvasOp op;
    op.Kind = TCanvasOp::FillRect;
    op.Rect = r;
    Record(op);
}

void TCanvas::FrameRect(const TRect& r) {
    TCanvasOp op;
    op.Kind = TCanvasOp::FrameRect;
    op.Rect = r;
    Record(op);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    TCanvasOp op;
    op.Kind = TCanvasOp::TextOut;
    op.X = x;
    op.Y = y;
    op.Text = text;
    Record(op);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
    TCanvasOp op;
    op.Kind = TCanvasOp::TextRect;
    op.Rect = r;
    op.X = x;
    op.Y = y;
    op.Text = text;
    Record(op);
}

void TCanvas::Draw(int x, int y, int index) {
    TCanvasOp op;
    op.Kind = TCanvasOp::Draw;
    op.X = x;
    op.Y = y;
    op.Image = index;
    Record(op);
}

int TCanvas::TextWidth(const std::string& text) const {
    const int advance = (font_.Size() * 3 + 3) / 4 + 1;  // about the width of a digit
    return static_cast<int>(rtl::Utf8Length(text)) * advance;
}

int TCanvas::TextHeight(const std::string&) const { return font_.Size() * 4 / 3 + 3; }

}  // namespace vcl
