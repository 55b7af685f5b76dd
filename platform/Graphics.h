// Colours, rectangles, fonts and the canvas that the chart and the idle prompt draw on.
// TCanvas keeps the brush, pen and font the way the drawing code sets them and hands each
// drawing call, with the colours of that moment, to a CanvasSurface: a backend's pixels, or
// a test's recorder.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// 0x00BBGGRR. Values with the top byte 0xFF are system colours, resolved by the backend.
using TColor = std::uint32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor kSystemColorFlag = 0xFF000000;
constexpr TColor clWindowText = kSystemColorFlag | 8;
constexpr TColor clBtnFace = kSystemColorFlag | 15;
constexpr TColor clInactiveBorder = kSystemColorFlag | 11;
constexpr TColor cl3DLight = kSystemColorFlag | 22;

constexpr bool IsSystemColor(TColor c) {
  return (c & kSystemColorFlag) == kSystemColorFlag;
}
constexpr int RedOf(TColor c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(TColor c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(TColor c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

constexpr int SHIFTJIS_CHARSET = 128;
constexpr int DEFAULT_CHARSET = 1;

struct TFont {
  std::string Name =
      "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";
  int Height = -12;  // negative: character height in pixels
  int Charset = SHIFTJIS_CHARSET;
  TColor Color = clWindowText;
  bool Bold = false;
  bool operator==(const TFont&) const = default;
};

struct TBrush {
  TColor Color = clWhite;
};

struct TPen {
  TColor Color = clBlack;
};

// Where a canvas's drawing lands. Every call is clipped to the surface.
class CanvasSurface {
 public:
  virtual ~CanvasSurface() = default;
  virtual int SurfaceWidth() const = 0;
  virtual int SurfaceHeight() const = 0;
  // Fills x in [r.Left, r.Right), y in [r.Top, r.Bottom).
  virtual void FillRect(const TRect& r, TColor brush) = 0;
  // A 1-px outline in `pen` around x in [x1, x2), y in [y1, y2), the inside in `brush`.
  virtual void Rectangle(int x1, int y1, int x2, int y2, TColor pen, TColor brush) = 0;
  // Text with its box's top-left corner at (x, y), in font.Color on an opaque `brush` box.
  virtual void TextOut(int x, int y, const std::string& text, const TFont& font, TColor brush) = 0;
  // Copies `source` of `from` onto `dest` of this surface (same size).
  virtual void CopyRect(const TRect& dest, CanvasSurface& from, const TRect& source) = 0;
};

class TCanvas {
 public:
  explicit TCanvas(CanvasSurface& surface) : surface_(&surface) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TBrush Brush;
  TPen Pen;
  TFont Font;

  void FillRect(const TRect& r) { surface_->FillRect(r, Brush.Color); }
  void Rectangle(int x1, int y1, int x2, int y2) {
    surface_->Rectangle(x1, y1, x2, y2, Pen.Color, Brush.Color);
  }
  void TextOut(int x, int y, const std::string& text) {
    surface_->TextOut(x, y, text, Font, Brush.Color);
  }
  void CopyRect(const TRect& dest, TCanvas& from, const TRect& source) {
    surface_->CopyRect(dest, *from.surface_, source);
  }
  CanvasSurface& Surface() { return *surface_; }

 private:
  CanvasSurface* surface_;
};

}  // namespace platform
