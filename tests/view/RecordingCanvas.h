// A canvas surface for tests that keeps every drawing call with the colours of its moment,
// and prints each as one line ("Rectangle 20,0,189,4 pen=FFFF00 brush=000000") so a test can
// compare a whole picture with a list of expected lines. Draws no pixels.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/Graphics.h"

namespace testing_view {

struct CanvasCall {
  enum Kind { FillRect, Rectangle, TextOut, CopyRect } kind;
  platform::TRect rect;    // FillRect's rectangle, Rectangle's corners, CopyRect's dest;
                           // TextOut's position in Left and Top
  platform::TRect source;  // CopyRect only
  std::string text;        // TextOut only
  platform::TColor pen = 0;
  platform::TColor brush = 0;
  platform::TColor font = 0;
  const platform::CanvasSurface* from = nullptr;  // CopyRect only
};

inline std::string Hex(platform::TColor c) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(c));
  return buffer;
}

inline std::string Corners(const platform::TRect& r) {
  return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
         "," + std::to_string(r.Bottom);
}

inline std::string Describe(const CanvasCall& call) {
  switch (call.kind) {
    case CanvasCall::FillRect:
      return "FillRect " + Corners(call.rect) + " brush=" + Hex(call.brush);
    case CanvasCall::Rectangle:
      return "Rectangle " + Corners(call.rect) + " pen=" + Hex(call.pen) +
             " brush=" + Hex(call.brush);
    case CanvasCall::TextOut:
      return "TextOut " + std::to_string(call.rect.Left) + "," + std::to_string(call.rect.Top) +
             " '" + call.text + "' font=" + Hex(call.font) + " brush=" + Hex(call.brush);
    case CanvasCall::CopyRect:
      return "CopyRect " + Corners(call.rect) + " from " + Corners(call.source);
  }
  return "?";
}

class RecordingCanvas : public platform::CanvasSurface {
 public:
  RecordingCanvas(int width, int height) : width_(width), height_(height) {}

  int SurfaceWidth() const override { return width_; }
  int SurfaceHeight() const override { return height_; }
  void FillRect(const platform::TRect& r, platform::TColor brush) override {
    CanvasCall call{CanvasCall::FillRect, r, {}, {}};
    call.brush = brush;
    calls.push_back(call);
  }
  void Rectangle(int x1, int y1, int x2, int y2, platform::TColor pen,
                 platform::TColor brush) override {
    CanvasCall call{CanvasCall::Rectangle, {x1, y1, x2, y2}, {}, {}};
    call.pen = pen;
    call.brush = brush;
    calls.push_back(call);
  }
  void TextOut(int x, int y, const std::string& text, const platform::TFont& font,
               platform::TColor brush) override {
    CanvasCall call{CanvasCall::TextOut, {x, y, x, y}, {}, text};
    call.font = font.Color;
    call.brush = brush;
    calls.push_back(call);
  }
  void CopyRect(const platform::TRect& dest, platform::CanvasSurface& from,
                const platform::TRect& source) override {
    CanvasCall call{CanvasCall::CopyRect, dest, source, {}};
    call.from = &from;
    calls.push_back(call);
  }

  // Every call so far, one line each, in order.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const CanvasCall& call : calls) lines.push_back(Describe(call));
    return lines;
  }

  std::vector<CanvasCall> calls;
  platform::TCanvas canvas{*this};

 private:
  int width_;
  int height_;
};

}  // namespace testing_view
