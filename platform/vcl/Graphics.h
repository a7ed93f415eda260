// Colours, fonts and geometry of the headless controls. Nothing is drawn; the values are
// kept so windows can set them and tests can read them.
#pragma once

#include "rtl/Method.h"
#include "rtl/Object.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vcl {

using TColor = std::int32_t;  // 0x00BBGGRR, or a system colour 0x80000000 | index

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
inline constexpr TColor clBtnFace = static_cast<TColor>(0x8000000F);
inline constexpr TColor clWindow = static_cast<TColor>(0x80000005);
inline constexpr TColor clWindowText = static_cast<TColor>(0x80000008);
inline constexpr TColor clHighlight = static_cast<TColor>(0x8000000D);
inline constexpr TColor clGrayText = static_cast<TColor>(0x80000011);
inline constexpr TColor clInfoBk = static_cast<TColor>(0x80000018);

inline constexpr TColor RGB(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

struct TPoint {
    int X = 0, Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const noexcept { return Right - Left; }
    int Height() const noexcept { return Bottom - Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font description. OnChange tells the control that uses it.
class TFont : public rtl::TObject {
    RTL_DECLARE_CLASS(TFont)
public:
    const std::string& Name() const noexcept { return name_; }
    void SetName(const std::string& v);
    int Size() const noexcept { return size_; }
    void SetSize(int v);
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor v);
    unsigned Style() const noexcept { return style_; }
    void SetStyle(unsigned v);
    int Charset() const noexcept { return charset_; }
    void SetCharset(int v);
    void Assign(const TFont& other);
    rtl::TMethod<void(TObject*)> OnChange;

private:
    void Changed();
    std::string name_ = "Tahoma";
    int size_ = 8;
    TColor color_ = clWindowText;
    unsigned style_ = 0;
    int charset_ = 204;  // Cyrillic
};

struct TBrush {
    TColor Color = clWindow;
};

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
};

// One drawing operation as the canvas received it.
struct TCanvasOp {
    enum Kind { FillRect, FrameRect, TextOut, TextRect, Draw } Kind = FillRect;
    TRect Rect;
    int X = 0, Y = 0;
    std::string Text;
    TColor BrushColor = clWindow;
    TColor FontColor = clWindowText;
    unsigned FontStyle = 0;
    int Image = -1;  // Draw: the image index
};

// A canvas that draws nothing and records every operation, with the brush and font in
// force at the time, so what a control would show can be checked.
class TCanvas : public rtl::TObject {
    RTL_DECLARE_CLASS(TCanvas)
public:
    TBrush Brush;
    TPen Pen;
    TFont* Font() noexcept { return &font_; }

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void TextOut(int x, int y, const std::string& text);
    void TextRect(const TRect& r, int x, int y, const std::string& text);
    // Draws image `index` of an image list at the point.
    void Draw(int x, int y, int index);
    // Width of a text in the canvas font: a fixed advance per character, enough for
    // column sizing without a real font.
    int TextWidth(const std::string& text) const;
    int TextHeight(const std::string& text) const;

    const std::vector<TCanvasOp>& Ops() const noexcept { return ops_; }
    void Clear() noexcept { ops_.clear(); }

private:
    void Record(TCanvasOp op);
    TFont font_;
    std::vector<TCanvasOp> ops_;
};

}  // namespace vcl
