// The paint box: a child window that shows a backing bitmap of its own size, drawn with GDI.
// Drawing lands in the bitmap and the changed part of the window is invalidated; WM_PAINT
// copies the bitmap to the screen. The pixel rules: FillRect covers x in [Left, Right),
// Rectangle draws a 1-px pen outline inside x1..x2-1, y1..y2-1 with the brush within, TextOut
// puts the text on an opaque box of the brush colour, CopyRect is a blit between bitmaps.
#include <algorithm>

#include "platform/win32/Win32Peers.h"

namespace platform::win32 {

Win32PaintBoxPeer::Win32PaintBoxPeer(HWND parent, MouseListener& listener) : listener_(listener) {
  color_ = clBlack;
  CreateOwn(kChildClass, WS_CHILD | WS_CLIPSIBLINGS, 0, parent);
  WindowDc screen(nullptr);
  dc_.reset(::CreateCompatibleDC(screen.get()));
  ResizeSurface(0, 0);
}

Win32PaintBoxPeer::~Win32PaintBoxPeer() {
  if (initialBitmap_) ::SelectObject(dc_.get(), initialBitmap_);  // frees bitmap_ for deletion
}

void Win32PaintBoxPeer::SetBounds(int left, int top, int width, int height) {
  ResizeSurface(width, height);
  ::MoveWindow(hwnd_, left, top, width, height, TRUE);
}

void Win32PaintBoxPeer::ResizeSurface(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (bitmap_ && width == width_ && height == height_) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = std::max(width, 1);
  info.bmiHeader.biHeight = -std::max(height, 1);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap fresh(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!fresh) throw Exception("CreateDIBSection failed for a paint box");
  UniqueMemoryDc scratch(::CreateCompatibleDC(dc_.get()));
  {
    SelectScope select(scratch.get(), fresh.get());
    UniqueBrush background(::CreateSolidBrush(ToColorRef(color_)));
    RECT all{0, 0, std::max(width, 1), std::max(height, 1)};
    ::FillRect(scratch.get(), &all, background.get());
    if (bitmap_)  // the pixels that still fit are kept
      ::BitBlt(scratch.get(), 0, 0, std::min(width, width_), std::min(height, height_), dc_.get(),
               0, 0, SRCCOPY);
  }
  HGDIOBJ old = ::SelectObject(dc_.get(), fresh.get());
  if (!initialBitmap_) initialBitmap_ = old;
  bitmap_ = std::move(fresh);
  width_ = width;
  height_ = height;
}

void Win32PaintBoxPeer::Changed(const RECT& r) {
  ::InvalidateRect(hwnd_, &r, FALSE);
}

TColor Win32PaintBoxPeer::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return clBlack;
  return static_cast<TColor>(::GetPixel(dc_.get(), x, y));
}

void Win32PaintBoxPeer::FillRect(const TRect& r, TColor brush) {
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  if (rc.right <= rc.left || rc.bottom <= rc.top) return;
  UniqueBrush b(::CreateSolidBrush(ToColorRef(brush)));
  ::FillRect(dc_.get(), &rc, b.get());
  Changed(rc);
}

void Win32PaintBoxPeer::Rectangle(int x1, int y1, int x2, int y2, TColor pen, TColor brush) {
  UniquePen p(::CreatePen(PS_SOLID, 1, ToColorRef(pen)));
  UniqueBrush b(::CreateSolidBrush(ToColorRef(brush)));
  {
    SelectScope selectPen(dc_.get(), p.get());
    SelectScope selectBrush(dc_.get(), b.get());
    ::Rectangle(dc_.get(), x1, y1, x2, y2);
  }
  RECT rc{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  Changed(rc);
}

HFONT Win32PaintBoxPeer::FontFor(const TFont& font) {
  if (!cachedGdiFont_ || !(font == cachedFont_)) {
    cachedFont_ = font;
    cachedGdiFont_ = CreateGdiFont(font);
  }
  return cachedGdiFont_.get();
}

void Win32PaintBoxPeer::TextOut(int x, int y, const std::string& text, const TFont& font,
                                TColor brush) {
  const std::wstring wide = Widen(text);
  HDC dc = dc_.get();
  SelectScope selectFont(dc, FontFor(font));
  ::SetBkMode(dc, OPAQUE);
  ::SetBkColor(dc, ToColorRef(brush));
  ::SetTextColor(dc, ToColorRef(font.Color));
  ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  ::TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
  SIZE size{};
  ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  RECT rc{x, y, x + size.cx, y + size.cy};
  Changed(rc);
}

void Win32PaintBoxPeer::CopyRect(const TRect& dest, CanvasSurface& from, const TRect& source) {
  auto* other = dynamic_cast<Win32PaintBoxPeer*>(&from);
  if (!other) throw Exception("CopyRect from a surface that is not a paint box");
  ::SetStretchBltMode(dc_.get(), COLORONCOLOR);
  ::StretchBlt(dc_.get(), dest.Left, dest.Top, dest.Width(), dest.Height(), other->Dc(),
               source.Left, source.Top, source.Width(), source.Height(), SRCCOPY);
  RECT rc{dest.Left, dest.Top, dest.Right, dest.Bottom};
  Changed(rc);
}

LRESULT Win32PaintBoxPeer::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDc paint(hwnd_);
      const RECT& r = paint.Dirty();
      ::BitBlt(paint.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, dc_.get(), r.left,
               r.top, SRCCOPY);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      const TMouseButton button = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK   ? mbLeft
                                  : msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK ? mbRight
                                                                                     : mbMiddle;
      TShiftState shift = 0;
      if (wp & MK_SHIFT) shift |= ssShift;
      if (wp & MK_CONTROL) shift |= ssCtrl;
      if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
      if (wp & MK_LBUTTON) shift |= ssLeft;
      if (wp & MK_RBUTTON) shift |= ssRight;
      if (wp & MK_MBUTTON) shift |= ssMiddle;
      if (msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK)
        shift |= ssDouble;
      listener_.PeerMouseDown(button, shift, static_cast<short>(LOWORD(lp)),
                              static_cast<short>(HIWORD(lp)));
      return 0;
    }
  }
  return Default(msg, wp, lp);
}

}  // namespace platform::win32
