// The form window and its menu bar. A form never closes itself: the close box reports to the
// layer, which hides the window or refuses. The layer's paint runs once the message loop is
// back after a show or a size change. A modal form disables the application's other
// windows until it hides.
#include <algorithm>

#include "platform/win32/Win32Peers.h"

namespace platform::win32 {
namespace {

constexpr UINT kPaintNow = WM_APP + 1;

// Every form window of the application, for the modal state.
std::vector<Win32FormPeer*>& AllForms() {
  static std::vector<Win32FormPeer*> forms;
  return forms;
}

}  // namespace

void Win32ClientPeer::SetColor(TColor color) {
  form_.SetColor(color);
}
void Win32ClientPeer::Repaint() {
  ::RedrawWindow(form_.Hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
void Win32ClientPeer::SetFocus() {
  ::SetFocus(form_.Hwnd());
}

Win32FormPeer::Win32FormPeer(FormListener& listener) : listener_(listener) {
  brush_.reset(::CreateSolidBrush(ToColorRef(color_)));
  CreateOwn(kFormClass, Style(), ExStyle(), nullptr);
  created_ = true;
  AllForms().push_back(this);
}

Win32FormPeer::~Win32FormPeer() {
  if (modal_) Hide();
  auto& forms = AllForms();
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  DestroyOwnWindow();
}

DWORD Win32FormPeer::Style() const {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  if (style_.BorderIcons & biSystemMenu) style |= WS_SYSMENU;
  if (style_.BorderStyle == bsSizeable) style |= WS_THICKFRAME;
  if (style_.BorderStyle != bsDialog) {
    if (style_.BorderIcons & biMinimize) style |= WS_MINIMIZEBOX;
    if (style_.BorderIcons & biMaximize) style |= WS_MAXIMIZEBOX;
  }
  return style;
}

DWORD Win32FormPeer::ExStyle() const {
  DWORD ex = 0;
  if (style_.BorderStyle == bsDialog) ex |= WS_EX_DLGMODALFRAME;
  if (style_.StayOnTop) ex |= WS_EX_TOPMOST;
  return ex;
}

void Win32FormPeer::SetCaption(const std::string& caption) {
  ::SetWindowTextW(hwnd_, Widen(caption).c_str());
}

void Win32FormPeer::SetStyle(const FormStyleSettings& style) {
  style_ = style;
  const LONG_PTR kept = ::GetWindowLongPtrW(hwnd_, GWL_STYLE) &
                        (WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE | WS_DISABLED);
  ::SetWindowLongPtrW(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(Style()) | kept);
  ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, static_cast<LONG_PTR>(ExStyle()));
  ::SetWindowPos(hwnd_, style.StayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  // A new frame changes the client area; keep the size the layer asked for.
  if (wantedClientWidth_ >= 0) SetClientSize(wantedClientWidth_, wantedClientHeight_);
}

void Win32FormPeer::SetFramePosition(int left, int top) {
  ::SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32FormPeer::SetClientSize(int width, int height) {
  wantedClientWidth_ = width;
  wantedClientHeight_ = height;
  RECT r{0, 0, width, height};
  ::AdjustWindowRectEx(&r, Style(), ::GetMenu(hwnd_) != nullptr, ExStyle());
  ::SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A menu bar that wraps onto two lines is not in AdjustWindowRectEx's sum: correct once.
  RECT client;
  ::GetClientRect(hwnd_, &client);
  const int dw = width - client.right, dh = height - client.bottom;
  if (dw != 0 || dh != 0) {
    RECT frame;
    ::GetWindowRect(hwnd_, &frame);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left + dw,
                   frame.bottom - frame.top + dh, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Win32FormPeer::SetFrameSize(int width, int height) {
  wantedClientWidth_ = wantedClientHeight_ = -1;
  ::SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TRect Win32FormPeer::FrameRect() const {
  RECT r;
  ::GetWindowRect(hwnd_, &r);
  return TRect{r.left, r.top, r.right, r.bottom};
}

int Win32FormPeer::ClientWidth() const {
  RECT r;
  ::GetClientRect(hwnd_, &r);
  return r.right;
}

int Win32FormPeer::ClientHeight() const {
  RECT r;
  ::GetClientRect(hwnd_, &r);
  return r.bottom;
}

void Win32FormPeer::SetWindowState(TWindowState state) {
  state_ = state;
  ::ShowWindow(hwnd_, state == wsMaximized   ? SW_MAXIMIZE
                      : state == wsMinimized ? SW_MINIMIZE
                                             : SW_RESTORE);
}

void Win32FormPeer::SetColor(TColor color) {
  color_ = color;
  brush_.reset(::CreateSolidBrush(ToColorRef(color)));
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32FormPeer::SetIcon(const TBitmapData& icon) {
  if (icon.Empty()) return;
  auto make = [&icon]() -> HICON {
    UniqueBitmap color = CreatePictureBitmap(icon, clBlack);
    if (!color) return nullptr;
    // An icon's 32-bit colour bitmap carries the alpha itself: 0xAARRGGBB, as the layer's.
    DIBSECTION dib{};
    ::GetObjectW(color.get(), sizeof dib, &dib);
    std::copy(icon.Pixels.begin(), icon.Pixels.end(), static_cast<std::uint32_t*>(dib.dsBm.bmBits));
    UniqueBitmap mask(::CreateBitmap(icon.Width, icon.Height, 1, 1, nullptr));
    ICONINFO info{TRUE, 0, 0, mask.get(), color.get()};
    return ::CreateIconIndirect(&info);
  };
  bigIcon_.reset(make());
  smallIcon_.reset(make());
  ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void Win32FormPeer::Show(bool modal) {
  if (modal && !modal_) {
    modal_ = true;
    for (Win32FormPeer* other : AllForms()) {
      HWND w = other->Hwnd();
      if (other == this || !::IsWindowVisible(w) || !::IsWindowEnabled(w)) continue;
      ::EnableWindow(w, FALSE);
      disabledByModal_.push_back(w);
    }
  }
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetForegroundWindow(hwnd_);
  ::SetActiveWindow(hwnd_);
}

void Win32FormPeer::Hide() {
  if (modal_) {
    // Enable the others first, so that activation goes back to one of them.
    modal_ = false;
    for (HWND w : disabledByModal_)
      if (::IsWindow(w)) ::EnableWindow(w, TRUE);
    disabledByModal_.clear();
  }
  ::ShowWindow(hwnd_, SW_HIDE);
}

void Win32FormPeer::SetTabOrder(const std::vector<WidgetPeer*>& order) {
  tabOrder_.clear();
  for (WidgetPeer* peer : order) tabOrder_.push_back(HwndOf(*peer));
}

void Win32FormPeer::Tab(bool backwards) {
  std::vector<HWND> usable;
  for (HWND w : tabOrder_)
    if (::IsWindowVisible(w) && ::IsWindowEnabled(w)) usable.push_back(w);
  if (usable.empty()) return;
  HWND focus = ::GetFocus();
  auto it = std::find_if(usable.begin(), usable.end(),
                         [focus](HWND w) { return w == focus || ::IsChild(w, focus); });
  std::size_t next = 0;
  if (it != usable.end()) {
    const std::size_t at = static_cast<std::size_t>(it - usable.begin());
    next = backwards ? (at + usable.size() - 1) % usable.size() : (at + 1) % usable.size();
  }
  ::SetFocus(usable[next]);
}

bool Win32FormPeer::Enter(HWND focus) {
  Win32Window* peer = PeerOf(focus);
  if (auto* button = dynamic_cast<Win32ButtonPeer*>(peer)) {
    if (::IsWindowEnabled(focus)) button->Click();
    return true;
  }
  if (auto* list = dynamic_cast<Win32ListBoxPeer*>(peer); list && list->Enter()) return true;
  listener_.PeerEnterKey();
  return true;
}

void Win32FormPeer::SchedulePaint() {
  if (paintPending_) return;
  paintPending_ = true;
  ::PostMessageW(hwnd_, kPaintNow, 0, 0);
}

LRESULT Win32FormPeer::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (!created_) return Default(msg, wp, lp);
  switch (msg) {
    case WM_CLOSE:
      listener_.PeerCloseRequested();
      return 0;
    case WM_ERASEBKGND: {
      RECT r;
      ::GetClientRect(hwnd_, &r);
      ::FillRect(reinterpret_cast<HDC>(wp), &r, brush_.get());
      return 1;
    }
    case WM_SHOWWINDOW:
      if (wp) SchedulePaint();
      break;
    case WM_SIZE: {
      const TWindowState state = wp == SIZE_MAXIMIZED   ? wsMaximized
                                 : wp == SIZE_MINIMIZED ? wsMinimized
                                                        : wsNormal;
      if (state != state_) {
        state_ = state;
        listener_.PeerWindowStateChanged(state);
      }
      if (state != wsMinimized) {
        listener_.PeerClientResized(LOWORD(lp), HIWORD(lp));
        SchedulePaint();
      }
      break;
    }
    case WM_MOVE: {
      const TRect r = FrameRect();
      listener_.PeerFrameChanged(r.Left, r.Top, r.Width(), r.Height());
      break;
    }
    case WM_ACTIVATE:
      // As a dialog does: the focused control is remembered and gets the focus back.
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd_, focus)) lastFocus_ = focus;
        return 0;
      }
      if (lastFocus_ && ::IsWindow(lastFocus_) && ::IsChild(hwnd_, lastFocus_)) {
        ::SetFocus(lastFocus_);
        return 0;
      }
      break;
    case kPaintNow:
      paintPending_ = false;
      if (::IsWindowVisible(hwnd_)) listener_.PeerPaint();
      return 0;
    case WM_COMMAND:
      if (lp == 0 && HIWORD(wp) == 0 && menu_ && menu_->Command(LOWORD(wp))) return 0;
      break;
  }
  return Default(msg, wp, lp);
}

// --- menus

Win32MenuItemPeer::Win32MenuItemPeer(HWND form, HMENU owner, UINT id, HMENU popup, bool separator,
                                     std::wstring caption,
                                     std::vector<Win32MenuItemPeer*>& siblings)
    : form_(form),
      owner_(owner),
      id_(id),
      popup_(popup),
      separator_(separator),
      caption_(std::move(caption)),
      siblings_(siblings) {}

UINT Win32MenuItemPeer::Position() const {
  UINT position = 0;
  for (const Win32MenuItemPeer* item : siblings_) {
    if (item == this) break;
    if (item->visible_) ++position;
  }
  return position;
}

void Win32MenuItemPeer::Insert(UINT position) {
  UINT flags = MF_BYPOSITION | (enabled_ ? MF_ENABLED : MF_GRAYED);
  UINT_PTR what = id_;
  if (separator_) {
    flags |= MF_SEPARATOR;
  } else if (popup_) {
    flags |= MF_POPUP | MF_STRING;
    what = reinterpret_cast<UINT_PTR>(popup_);
  } else {
    flags |= MF_STRING;
  }
  ::InsertMenuW(owner_, position, flags, what, separator_ ? nullptr : caption_.c_str());
  ::DrawMenuBar(form_);
}

void Win32MenuItemPeer::SetCaption(const std::string& caption) {
  caption_ = Widen(caption);
  if (!visible_ || separator_) return;
  const UINT position = Position();
  ::RemoveMenu(owner_, position, MF_BYPOSITION);
  Insert(position);
}

void Win32MenuItemPeer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!visible_) return;
  ::EnableMenuItem(owner_, Position(), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
  ::DrawMenuBar(form_);
}

void Win32MenuItemPeer::SetVisible(bool visible) {
  if (visible == visible_) return;
  const UINT position = Position();
  visible_ = visible;
  if (visible) {
    Insert(position);
  } else {
    ::RemoveMenu(owner_, position, MF_BYPOSITION);  // keeps a drop-down's own menu
    ::DrawMenuBar(form_);
  }
}

Win32MenuPeer::Win32MenuPeer(Win32FormPeer& form) : form_(form), bar_(::CreateMenu()) {
  ::SetMenu(form_.Hwnd(), bar_);
  form_.SetMenuPeer(this);
}

Win32MenuPeer::~Win32MenuPeer() {
  form_.SetMenuPeer(nullptr);
  if (form_.Hwnd()) ::SetMenu(form_.Hwnd(), nullptr);
  // Drop-downs hidden from the bar are no longer destroyed with it.
  for (auto& item : items_)
    if (item->popup_ && !item->visible_) ::DestroyMenu(item->popup_);
  ::DestroyMenu(bar_);
}

MenuItemPeer& Win32MenuPeer::AddItem(MenuItemPeer* parent, const std::string& caption,
                                     bool separator, bool hasChildren, ClickListener& listener) {
  HMENU owner = parent ? static_cast<Win32MenuItemPeer*>(parent)->Popup() : bar_;
  if (!owner) throw Exception("Menu item " + caption + " has a parent without a drop-down");
  HMENU popup = hasChildren ? ::CreatePopupMenu() : nullptr;
  UINT id = 0;
  if (!hasChildren && !separator) {
    id = nextId_++;
    listeners_[id] = &listener;
  }
  auto& siblings = children_[owner];
  items_.push_back(std::make_unique<Win32MenuItemPeer>(form_.Hwnd(), owner, id, popup, separator,
                                                       Widen(caption), siblings));
  Win32MenuItemPeer& item = *items_.back();
  siblings.push_back(&item);
  item.Insert(item.Position());
  return item;
}

bool Win32MenuPeer::Command(UINT id) {
  auto it = listeners_.find(id);
  if (it == listeners_.end()) return false;
  it->second->PeerClick();
  return true;
}

}  // namespace platform::win32
