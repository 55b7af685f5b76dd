// The Win32 peers: one window (HWND) per control, created by Win32Backend. Our own window
// classes (forms, paint boxes, panels, the toolbar, speed buttons, images, labels) are drawn
// with GDI; buttons, list boxes, combo boxes and the progress bar are the system's controls.
// Every window carries its peer in GWLP_USERDATA: our windows' messages go to the peer's
// Handle, and the notifications a system control sends to its parent go back to that
// control's peer through Notify.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/win32/Handles.h"

namespace platform::win32 {

// The part of every peer that owns or wraps a window.
class Win32Window {
 public:
  virtual ~Win32Window() = default;
  HWND Hwnd() const { return hwnd_; }
  // A message to one of our own window classes.
  virtual LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  // A notification (WM_COMMAND, WM_DRAWITEM, WM_CTLCOLOR...) this control sent to its
  // parent; true when handled, with the parent's answer in `result`.
  virtual bool Notify(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
  // The colour this window shows behind its content (transparent children paint it).
  virtual TColor Background() const { return clBtnFace; }

 protected:
  // Creates a window of one of our classes (see RegisterClasses) with this as its peer.
  void CreateOwn(const wchar_t* cls, DWORD style, DWORD exStyle, HWND parent);
  // Creates a system control and attaches this peer to it.
  void CreateSystem(const wchar_t* cls, DWORD style, DWORD exStyle, HWND parent);
  // What every one of our windows does with the messages it doesn't handle itself.
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);
  // Destroys the window; the derived peer's destructor calls it, while its Handle still
  // exists for the last messages.
  void DestroyOwnWindow();
  HWND hwnd_ = nullptr;

  friend LRESULT CALLBACK PeerWndProc(HWND, UINT, WPARAM, LPARAM);

 public:
  Win32Window() = default;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;
};

Win32Window* PeerOf(HWND wnd);
LRESULT CALLBACK PeerWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
void RegisterClasses();

extern const wchar_t* const kFormClass;
extern const wchar_t* const kChildClass;
extern const wchar_t* const kHiddenClass;

// --- conversions (Win32Support.cpp)

// 8-bit text in the ANSI code page, to and from the system's UTF-16.
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);
// A colour as GDI takes it; system colours are resolved with GetSysColor.
COLORREF ToColorRef(TColor color);
// The font, created with CreateFontW (the face name is UTF-8 text).
UniqueFont CreateGdiFont(const TFont& font);
// A top-down 32-bit DIB section of `picture`'s pixels blended onto `background`.
UniqueBitmap CreatePictureBitmap(const TBitmapData& picture, TColor background);
// The cursor the layer asked for (nullptr: leave each window's own).
HCURSOR BusyCursor();

// Common behaviour of the widget peers: bounds, visibility, enabling, colour, font.
template <class PeerBase>
class Win32Widget : public PeerBase, public Win32Window {
 public:
  ~Win32Widget() override { DestroyOwnWindow(); }
  void SetBounds(int left, int top, int width, int height) override {
    ::MoveWindow(hwnd_, left, top, width, height, TRUE);
  }
  void SetVisible(bool visible) override { ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }
  void SetEnabled(bool enabled) override {
    ::EnableWindow(hwnd_, enabled);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
  }
  void SetColor(TColor color) override {
    color_ = color;
    brush_.reset(::CreateSolidBrush(ToColorRef(color)));
    ::InvalidateRect(hwnd_, nullptr, TRUE);
  }
  void SetFont(const TFont& font) override {
    font_ = font;
    gdiFont_ = CreateGdiFont(font);
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(gdiFont_.get()), TRUE);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
  }
  void Repaint() override {
    ::RedrawWindow(hwnd_, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  void SetFocus() override { ::SetFocus(hwnd_); }
  TColor Background() const override { return color_; }

 protected:
  TColor color_ = clBtnFace;
  TFont font_;
  UniqueBrush brush_{::CreateSolidBrush(ToColorRef(clBtnFace))};
  UniqueFont gdiFont_;
};

HWND HwndOf(WidgetPeer& peer);

// --- forms and menus (Win32Form.cpp)

class Win32FormPeer;

// The form's client area as the parent of its top-level controls.
class Win32ClientPeer : public WidgetPeer {
 public:
  explicit Win32ClientPeer(Win32FormPeer& form) : form_(form) {}
  void SetBounds(int, int, int, int) override {}
  void SetVisible(bool) override {}
  void SetEnabled(bool) override {}
  void SetColor(TColor color) override;
  void SetFont(const TFont&) override {}
  void Repaint() override;
  void SetFocus() override;
  Win32FormPeer& Form() { return form_; }

 private:
  Win32FormPeer& form_;
};

class Win32MenuPeer;

class Win32FormPeer : public FormPeer, public Win32Window {
 public:
  explicit Win32FormPeer(FormListener& listener);
  ~Win32FormPeer() override;
  WidgetPeer& Client() override { return client_; }
  void SetCaption(const std::string& caption) override;
  void SetStyle(const FormStyleSettings& style) override;
  void SetFramePosition(int left, int top) override;
  void SetClientSize(int width, int height) override;
  void SetFrameSize(int width, int height) override;
  TRect FrameRect() const override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetWindowState(TWindowState state) override;
  void SetColor(TColor color) override;
  void SetIcon(const TBitmapData& icon) override;
  void Show(bool modal) override;
  void Hide() override;
  void SetTabOrder(const std::vector<WidgetPeer*>& order) override;

  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  TColor Background() const override { return color_; }
  FormListener& Listener() { return listener_; }
  void SetMenuPeer(Win32MenuPeer* menu) { menu_ = menu; }
  // Moves the focus to the next (or previous) control of the tab order.
  void Tab(bool backwards);
  // Enter pressed while `focus` had the focus; true when something took it.
  bool Enter(HWND focus);

 private:
  void SchedulePaint();
  DWORD Style() const;
  DWORD ExStyle() const;

  FormListener& listener_;
  Win32ClientPeer client_{*this};
  Win32MenuPeer* menu_ = nullptr;
  FormStyleSettings style_;
  TColor color_ = clBtnFace;
  UniqueBrush brush_;
  UniqueIcon bigIcon_, smallIcon_;
  int wantedClientWidth_ = -1, wantedClientHeight_ = -1;
  TWindowState state_ = wsNormal;
  bool paintPending_ = false;
  bool modal_ = false;
  bool created_ = false;  // the layer hears nothing while the window is being created
  std::vector<HWND> disabledByModal_;
  std::vector<HWND> tabOrder_;
  HWND lastFocus_ = nullptr;  // the control that had the focus when the form went inactive
};

class Win32MenuItemPeer : public MenuItemPeer {
 public:
  Win32MenuItemPeer(HWND form, HMENU owner, UINT id, HMENU popup, bool separator,
                    std::wstring caption, std::vector<Win32MenuItemPeer*>& siblings);
  void SetCaption(const std::string& caption) override;
  void SetEnabled(bool enabled) override;
  void SetVisible(bool visible) override;
  HMENU Popup() const { return popup_; }

 private:
  // The item's position among the visible items of its menu.
  UINT Position() const;
  void Insert(UINT position);

  HWND form_;
  HMENU owner_;
  UINT id_;
  HMENU popup_;
  bool separator_;
  std::wstring caption_;
  bool enabled_ = true;
  bool visible_ = true;
  std::vector<Win32MenuItemPeer*>& siblings_;
  friend class Win32MenuPeer;
};

class Win32MenuPeer : public MenuPeer {
 public:
  explicit Win32MenuPeer(Win32FormPeer& form);
  ~Win32MenuPeer() override;
  MenuItemPeer& AddItem(MenuItemPeer* parent, const std::string& caption, bool separator,
                        bool hasChildren, ClickListener& listener) override;
  // A menu command arrived; true when it was one of ours.
  bool Command(UINT id);

 private:
  Win32FormPeer& form_;
  HMENU bar_;
  std::vector<std::unique_ptr<Win32MenuItemPeer>> items_;
  std::map<HMENU, std::vector<Win32MenuItemPeer*>> children_;
  std::map<UINT, ClickListener*> listeners_;
  UINT nextId_ = 100;
};

// --- paint box (Win32PaintBox.cpp)

class Win32PaintBoxPeer : public Win32Widget<PaintBoxPeer> {
 public:
  Win32PaintBoxPeer(HWND parent, MouseListener& listener);
  ~Win32PaintBoxPeer() override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetColor(TColor color) override { color_ = color; }
  void SetFont(const TFont&) override {}
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

  int SurfaceWidth() const override { return width_; }
  int SurfaceHeight() const override { return height_; }
  void FillRect(const TRect& r, TColor brush) override;
  void Rectangle(int x1, int y1, int x2, int y2, TColor pen, TColor brush) override;
  void TextOut(int x, int y, const std::string& text, const TFont& font, TColor brush) override;
  void CopyRect(const TRect& dest, CanvasSurface& from, const TRect& source) override;

  HDC Dc() const { return dc_.get(); }
  // The pixel at (x, y) of the backing surface, 0x00BBGGRR (for tests).
  TColor Pixel(int x, int y) const;

 private:
  void ResizeSurface(int width, int height);
  void Changed(const RECT& r);
  HFONT FontFor(const TFont& font);

  MouseListener& listener_;
  int width_ = 0;
  int height_ = 0;
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ initialBitmap_ = nullptr;
  TFont cachedFont_;
  UniqueFont cachedGdiFont_;
};

// --- the other controls (Win32Controls.cpp)

class Win32LabelPeer : public Win32Widget<LabelPeer> {
 public:
  Win32LabelPeer(HWND parent, Win32Window& parentPeer);
  void SetCaption(const std::string& caption) override;
  void SetAutoSize(bool autoSize) override;
  void SetTransparent(bool transparent) override;
  void SetFont(const TFont& font) override;
  void SetBounds(int left, int top, int width, int height) override;
  int CurrentWidth() const override;
  int CurrentHeight() const override;
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Fit();
  Win32Window& parent_;
  std::wstring caption_;
  bool autoSize_ = true;
  bool transparent_ = false;
  int left_ = 0, top_ = 0;
};

class Win32ButtonPeer : public Win32Widget<ButtonPeer> {
 public:
  Win32ButtonPeer(HWND parent, ClickListener& listener);
  void SetColor(TColor) override {}
  void SetCaption(const std::string& caption) override;
  void SetDefault(bool isDefault) override;
  bool Notify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void Click() { listener_.PeerClick(); }

 private:
  ClickListener& listener_;
};

class Win32PanelPeer : public Win32Widget<PanelPeer> {
 public:
  explicit Win32PanelPeer(HWND parent);
  void SetBevelLowered(bool lowered) override;
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  bool lowered_ = false;
};

class Win32ImagePeer : public Win32Widget<ImagePeer> {
 public:
  Win32ImagePeer(HWND parent, Win32Window& parentPeer);
  void SetPicture(const TBitmapData& picture) override;
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  Win32Window& parent_;
  TBitmapData picture_;
  UniqueBitmap bitmap_;
};

class Win32ProgressBarPeer : public Win32Widget<ProgressBarPeer> {
 public:
  explicit Win32ProgressBarPeer(HWND parent);
  void SetColor(TColor) override {}
  void SetRange(int min, int max) override;
  void SetSmooth(bool smooth) override;
  void SetPosition(int position) override;
};

class Win32ToolBarPeer : public Win32Widget<ToolBarPeer> {
 public:
  explicit Win32ToolBarPeer(HWND parent);
  void SetEdgeBorders(bool left, bool top, bool right, bool bottom) override;
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  UINT edges_ = 0;
};

class Win32SpeedButtonPeer : public Win32Widget<SpeedButtonPeer> {
 public:
  Win32SpeedButtonPeer(HWND parent, Win32Window& parentPeer, ClickListener& listener);
  void SetColor(TColor) override {}
  void SetGlyph(const TBitmapData& glyph) override;
  // Hints are not switched on for the program's windows: the text is kept, no tooltip shows.
  void SetHint(const std::string& hint) override { hint_ = hint; }
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint(HDC dc);
  Win32Window& parent_;
  ClickListener& listener_;
  TBitmapData glyph_;
  std::string hint_;
  bool pressed_ = false;
};

class Win32ListBoxPeer : public Win32Widget<ListBoxPeer> {
 public:
  Win32ListBoxPeer(HWND parent, ListListener& listener);
  void SetColor(TColor color) override;
  void SetLines(const std::vector<TListLine>& lines) override;
  void SetLineHeight(int pixels) override;
  void SetHighlighted(int index) override;
  bool Notify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  bool Enter() { return listener_.PeerEnter(); }

 private:
  ListListener& listener_;
  std::vector<TListLine> lines_;
};

class Win32ComboBoxPeer : public Win32Widget<ComboBoxPeer> {
 public:
  Win32ComboBoxPeer(HWND parent, ComboListener& listener);
  void SetColor(TColor color) override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetLines(const std::vector<TListLine>& lines) override;
  void SetSelected(int index) override;
  bool Notify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  ComboListener& listener_;
  std::vector<TListLine> lines_;
};

// Draws one line of a list or combo box: indent, glyph, text.
void DrawListLine(const DRAWITEMSTRUCT& item, const TListLine& line, TColor backgroundColor,
                  TColor textColor);

}  // namespace platform::win32
