// The controls other than forms and paint boxes. Buttons, list boxes, combo boxes and the
// progress bar are the system's controls (their notifications come back through Notify);
// labels, panels, images, the toolbar and its speed buttons are our own windows drawn with
// GDI.
#include <algorithm>

#include "platform/win32/Win32Peers.h"

#include <commctrl.h>

namespace platform::win32 {
namespace {

void FillWith(HDC dc, const RECT& r, TColor color) {
  UniqueBrush brush(::CreateSolidBrush(ToColorRef(color)));
  ::FillRect(dc, &r, brush.get());
}

void DrawPicture(HDC dc, int x, int y, const TBitmapData& picture, TColor background, bool greyed) {
  if (picture.Empty()) return;
  TBitmapData shown = picture;
  if (greyed)
    for (std::uint32_t& p : shown.Pixels) {  // a disabled glyph: grey, half transparent
      const unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      const unsigned grey = (r * 30 + g * 59 + b * 11) / 100;
      p = ((p >> 25) << 24) | (grey << 16) | (grey << 8) | grey;
    }
  UniqueBitmap bitmap = CreatePictureBitmap(shown, background);
  UniqueMemoryDc source(::CreateCompatibleDC(dc));
  SelectScope select(source.get(), bitmap.get());
  ::BitBlt(dc, x, y, picture.Width, picture.Height, source.get(), 0, 0, SRCCOPY);
}

constexpr int kIndentPixels = 10;

}  // namespace

// --- label

Win32LabelPeer::Win32LabelPeer(HWND parent, Win32Window& parentPeer) : parent_(parentPeer) {
  CreateOwn(kChildClass, WS_CHILD | WS_CLIPSIBLINGS, 0, parent);
}

void Win32LabelPeer::SetCaption(const std::string& caption) {
  caption_ = Widen(caption);
  Fit();
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32LabelPeer::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Fit();
}

void Win32LabelPeer::SetTransparent(bool transparent) {
  transparent_ = transparent;
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32LabelPeer::SetFont(const TFont& font) {
  Win32Widget::SetFont(font);
  Fit();
}

void Win32LabelPeer::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  ::MoveWindow(hwnd_, left, top, width, height, TRUE);
  Fit();
}

void Win32LabelPeer::Fit() {
  if (!autoSize_ || !gdiFont_) return;
  WindowDc dc(hwnd_);
  SelectScope select(dc.get(), gdiFont_.get());
  SIZE size{};
  if (caption_.empty()) {
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc.get(), &tm);
    size.cy = tm.tmHeight;
  } else {
    ::GetTextExtentPoint32W(dc.get(), caption_.c_str(), static_cast<int>(caption_.size()), &size);
  }
  ::SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Win32LabelPeer::CurrentWidth() const {
  RECT r;
  ::GetWindowRect(hwnd_, &r);
  return r.right - r.left;
}

int Win32LabelPeer::CurrentHeight() const {
  RECT r;
  ::GetWindowRect(hwnd_, &r);
  return r.bottom - r.top;
}

LRESULT Win32LabelPeer::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDc paint(hwnd_);
      RECT r;
      ::GetClientRect(hwnd_, &r);
      FillWith(paint.get(), r, transparent_ ? parent_.Background() : color_);
      SelectScope select(paint.get(), gdiFont_.get());
      ::SetBkMode(paint.get(), TRANSPARENT);
      ::SetTextColor(paint.get(),
                     ToColorRef(::IsWindowEnabled(hwnd_) ? font_.Color : TColor(0xFF000011)));
      ::DrawTextW(paint.get(), caption_.c_str(), static_cast<int>(caption_.size()), &r,
                  DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
      return 0;
    }
  }
  return Default(msg, wp, lp);
}

// --- button

Win32ButtonPeer::Win32ButtonPeer(HWND parent, ClickListener& listener) : listener_(listener) {
  CreateSystem(L"BUTTON", WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON, 0, parent);
}

void Win32ButtonPeer::SetCaption(const std::string& caption) {
  ::SetWindowTextW(hwnd_, Widen(caption).c_str());
}

void Win32ButtonPeer::SetDefault(bool isDefault) {
  ::SendMessageW(hwnd_, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool Win32ButtonPeer::Notify(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg != WM_COMMAND || HIWORD(wp) != BN_CLICKED) return false;
  listener_.PeerClick();
  result = 0;
  return true;
}

// --- panel

Win32PanelPeer::Win32PanelPeer(HWND parent) {
  CreateOwn(kChildClass, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, parent);
}

void Win32PanelPeer::SetBevelLowered(bool lowered) {
  lowered_ = lowered;
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT Win32PanelPeer::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      ::GetClientRect(hwnd_, &r);
      HDC dc = reinterpret_cast<HDC>(wp);
      ::FillRect(dc, &r, brush_.get());
      if (lowered_) ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
      return 1;
    }
  }
  return Default(msg, wp, lp);
}

// --- image

Win32ImagePeer::Win32ImagePeer(HWND parent, Win32Window& parentPeer) : parent_(parentPeer) {
  CreateOwn(kChildClass, WS_CHILD | WS_CLIPSIBLINGS, 0, parent);
}

void Win32ImagePeer::SetPicture(const TBitmapData& picture) {
  picture_ = picture;
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT Win32ImagePeer::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDc paint(hwnd_);
      RECT r;
      ::GetClientRect(hwnd_, &r);
      FillWith(paint.get(), r, parent_.Background());
      DrawPicture(paint.get(), 0, 0, picture_, parent_.Background(), false);
      return 0;
    }
  }
  return Default(msg, wp, lp);
}

// --- progress bar

Win32ProgressBarPeer::Win32ProgressBarPeer(HWND parent) {
  CreateSystem(PROGRESS_CLASSW, WS_CHILD | WS_CLIPSIBLINGS, 0, parent);
}

void Win32ProgressBarPeer::SetRange(int min, int max) {
  ::SendMessageW(hwnd_, PBM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
}

void Win32ProgressBarPeer::SetSmooth(bool smooth) {
  LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_STYLE);
  style = smooth ? (style | PBS_SMOOTH) : (style & ~static_cast<LONG_PTR>(PBS_SMOOTH));
  ::SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32ProgressBarPeer::SetPosition(int position) {
  ::SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

// --- toolbar

Win32ToolBarPeer::Win32ToolBarPeer(HWND parent) {
  CreateOwn(kChildClass, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, parent);
}

void Win32ToolBarPeer::SetEdgeBorders(bool left, bool top, bool right, bool bottom) {
  edges_ =
      (left ? BF_LEFT : 0) | (top ? BF_TOP : 0) | (right ? BF_RIGHT : 0) | (bottom ? BF_BOTTOM : 0);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT Win32ToolBarPeer::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT r;
      ::GetClientRect(hwnd_, &r);
      HDC dc = reinterpret_cast<HDC>(wp);
      ::FillRect(dc, &r, brush_.get());
      if (edges_) ::DrawEdge(dc, &r, EDGE_ETCHED, edges_);
      return 1;
    }
  }
  return Default(msg, wp, lp);
}

// --- speed button

Win32SpeedButtonPeer::Win32SpeedButtonPeer(HWND parent, Win32Window& parentPeer,
                                           ClickListener& listener)
    : parent_(parentPeer), listener_(listener) {
  CreateOwn(kChildClass, WS_CHILD | WS_CLIPSIBLINGS, 0, parent);
}

void Win32SpeedButtonPeer::SetGlyph(const TBitmapData& glyph) {
  glyph_ = glyph;
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32SpeedButtonPeer::Paint(HDC dc) {
  RECT r;
  ::GetClientRect(hwnd_, &r);
  const TColor background = parent_.Background();
  FillWith(dc, r, background);
  const int shift = pressed_ ? 1 : 0;
  DrawPicture(dc, (r.right - glyph_.Width) / 2 + shift, (r.bottom - glyph_.Height) / 2 + shift,
              glyph_, background, !::IsWindowEnabled(hwnd_));
  if (pressed_) ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
}

LRESULT Win32SpeedButtonPeer::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PaintDc paint(hwnd_);
      Paint(paint.get());
      return 0;
    }
    case WM_ENABLE:
      pressed_ = false;
      ::InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      ::SetCapture(hwnd_);
      ::InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    case WM_LBUTTONUP: {
      if (!pressed_) return 0;
      pressed_ = false;
      ::ReleaseCapture();
      ::InvalidateRect(hwnd_, nullptr, TRUE);
      RECT r;
      ::GetClientRect(hwnd_, &r);
      const POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      if (::PtInRect(&r, pt)) listener_.PeerClick();
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (pressed_) {
        pressed_ = false;
        ::InvalidateRect(hwnd_, nullptr, TRUE);
      }
      return 0;
  }
  return Default(msg, wp, lp);
}

// --- lists

void DrawListLine(const DRAWITEMSTRUCT& item, const TListLine& line, TColor backgroundColor,
                  TColor textColor) {
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const TColor back = selected ? kSystemColorFlag | COLOR_HIGHLIGHT : backgroundColor;
  const TColor fore = selected ? kSystemColorFlag | COLOR_HIGHLIGHTTEXT : textColor;
  HDC dc = item.hDC;
  FillWith(dc, item.rcItem, back);
  int x = item.rcItem.left + 2 + line.Indent * kIndentPixels;
  const int height = item.rcItem.bottom - item.rcItem.top;
  if (line.Glyph && !line.Glyph->Empty()) {
    DrawPicture(dc, x, item.rcItem.top + (height - line.Glyph->Height) / 2, *line.Glyph, back,
                false);
    x += line.Glyph->Width + 4;
  }
  const std::wstring text = Widen(line.Text);
  RECT r{x, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(fore));
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &item.rcItem);
}

Win32ListBoxPeer::Win32ListBoxPeer(HWND parent, ListListener& listener) : listener_(listener) {
  CreateSystem(L"LISTBOX",
               WS_CHILD | WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS | LBS_NOTIFY |
                   LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT,
               WS_EX_CLIENTEDGE, parent);
  color_ = kSystemColorFlag | COLOR_WINDOW;
}

void Win32ListBoxPeer::SetColor(TColor color) {
  Win32Widget::SetColor(color);
}

void Win32ListBoxPeer::SetLines(const std::vector<TListLine>& lines) {
  lines_ = lines;
  ::SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
  for (std::size_t i = 0; i < lines_.size(); ++i)
    ::SendMessageW(hwnd_, LB_ADDSTRING, 0, static_cast<LPARAM>(i));
  ::SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32ListBoxPeer::SetLineHeight(int pixels) {
  ::SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, pixels);
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32ListBoxPeer::SetHighlighted(int index) {
  ::SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool Win32ListBoxPeer::Notify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  result = 0;
  if (msg == WM_COMMAND) {
    const int index = static_cast<int>(::SendMessageW(hwnd_, LB_GETCURSEL, 0, 0));
    if (HIWORD(wp) == LBN_SELCHANGE) {
      listener_.PeerHighlight(index);
      return true;
    }
    if (HIWORD(wp) == LBN_DBLCLK && index >= 0) {
      listener_.PeerDoubleClick(index);
      return true;
    }
    return false;
  }
  if (msg == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (item.itemID < lines_.size())
      DrawListLine(item, lines_[item.itemID], color_, font_.Color);
    else
      FillWith(item.hDC, item.rcItem, color_);
    result = TRUE;
    return true;
  }
  if (msg == WM_CTLCOLORLISTBOX) {
    result = reinterpret_cast<LRESULT>(brush_.get());
    return true;
  }
  return false;
}

Win32ComboBoxPeer::Win32ComboBoxPeer(HWND parent, ComboListener& listener) : listener_(listener) {
  CreateSystem(
      L"COMBOBOX",
      WS_CHILD | WS_TABSTOP | WS_VSCROLL | WS_CLIPSIBLINGS | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
      0, parent);
  color_ = kSystemColorFlag | COLOR_WINDOW;
}

void Win32ComboBoxPeer::SetColor(TColor color) {
  Win32Widget::SetColor(color);
}

void Win32ComboBoxPeer::SetBounds(int left, int top, int width, int height) {
  // The window's height includes the dropped-down list; the closed box keeps `height`.
  ::MoveWindow(hwnd_, left, top, width, height + 200, TRUE);
  ::SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(height - 6, 8));
  ::SendMessageW(hwnd_, CB_SETITEMHEIGHT, 0, std::max(height - 6, 8));
}

void Win32ComboBoxPeer::SetLines(const std::vector<TListLine>& lines) {
  lines_ = lines;
  ::SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
  for (std::size_t i = 0; i < lines_.size(); ++i)
    ::SendMessageW(hwnd_, CB_ADDSTRING, 0, static_cast<LPARAM>(i));
}

void Win32ComboBoxPeer::SetSelected(int index) {
  ::SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool Win32ComboBoxPeer::Notify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  result = 0;
  if (msg == WM_COMMAND && HIWORD(wp) == CBN_SELCHANGE) {
    listener_.PeerChange(static_cast<int>(::SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)));
    return true;
  }
  if (msg == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (item.itemID < lines_.size())
      DrawListLine(item, lines_[item.itemID], color_, font_.Color);
    else
      FillWith(item.hDC, item.rcItem, color_);
    result = TRUE;
    return true;
  }
  return false;
}

}  // namespace platform::win32
