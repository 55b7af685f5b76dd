// What every Win32 peer shares: the window classes and their window procedure, which hands
// each message to the peer stored in the window, and the conversions of text, colours,
// fonts and pictures to GDI's.
#include <algorithm>

#include "platform/win32/Win32Peers.h"

namespace platform::win32 {

const wchar_t* const kFormClass = L"OmbrelithForm";
const wchar_t* const kChildClass = L"OmbrelithChild";
const wchar_t* const kHiddenClass = L"OmbrelithHidden";

Win32Window* PeerOf(HWND wnd) {
  return wnd ? reinterpret_cast<Win32Window*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA)) : nullptr;
}

HWND HwndOf(WidgetPeer& peer) {
  if (auto* client = dynamic_cast<Win32ClientPeer*>(&peer)) return client->Form().Hwnd();
  return dynamic_cast<Win32Window&>(peer).Hwnd();
}

LRESULT CALLBACK PeerWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    auto* peer = static_cast<Win32Window*>(cs->lpCreateParams);
    peer->hwnd_ = wnd;
    ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer));
  }
  Win32Window* peer = PeerOf(wnd);
  if (!peer) return ::DefWindowProcW(wnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
    peer->hwnd_ = nullptr;
    return ::DefWindowProcW(wnd, msg, wp, lp);
  }
  return peer->Handle(msg, wp, lp);
}

void RegisterClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = PeerWndProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = kFormClass;
  ::RegisterClassExW(&wc);
  wc.style = CS_DBLCLKS;
  wc.hIcon = nullptr;
  wc.lpszClassName = kChildClass;
  ::RegisterClassExW(&wc);
  wc.style = 0;
  wc.lpszClassName = kHiddenClass;
  ::RegisterClassExW(&wc);
}

LRESULT Win32Window::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  return Default(msg, wp, lp);
}

LRESULT Win32Window::Default(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
      LRESULT result = 0;
      Win32Window* child = PeerOf(reinterpret_cast<HWND>(lp));
      if (child && child->Notify(msg, wp, lp, result)) return result;
      break;
    }
    case WM_DRAWITEM: {
      LRESULT result = 0;
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      Win32Window* child = PeerOf(item->hwndItem);
      if (child && child->Notify(msg, wp, lp, result)) return result;
      break;
    }
    case WM_SETCURSOR:
      if (HCURSOR busy = BusyCursor(); busy && LOWORD(lp) == HTCLIENT) {
        ::SetCursor(busy);
        return TRUE;
      }
      break;
  }
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

namespace {
// Windows puts a new child at the bottom of its siblings; the layer's later controls lie on
// top of the earlier ones.
void RaiseAmongSiblings(HWND wnd) {
  ::SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
}  // namespace

void Win32Window::CreateOwn(const wchar_t* cls, DWORD style, DWORD exStyle, HWND parent) {
  RegisterClasses();
  ::SetLastError(0);
  ::CreateWindowExW(exStyle, cls, L"", style, 0, 0, 0, 0, parent, nullptr,
                    ::GetModuleHandleW(nullptr), this);
  if (!hwnd_)
    throw Exception("CreateWindowEx failed for a window of class " + Narrow(cls) + ", error " +
                    std::to_string(::GetLastError()));
  if (style & WS_CHILD) RaiseAmongSiblings(hwnd_);
}

void Win32Window::CreateSystem(const wchar_t* cls, DWORD style, DWORD exStyle, HWND parent) {
  static UINT nextId = 1000;
  hwnd_ = ::CreateWindowExW(exStyle, cls, L"", style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nextId++)),
                            ::GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_)
    throw Exception("CreateWindowEx failed for a " + Narrow(cls) + " control, error " +
                    std::to_string(::GetLastError()));
  ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  RaiseAmongSiblings(hwnd_);
}

void Win32Window::DestroyOwnWindow() {
  if (!hwnd_) return;
  HWND wnd = hwnd_;
  ::DestroyWindow(wnd);
  if (::IsWindow(wnd)) ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
}

std::wstring Widen(const std::string& text, UINT codePage) {
  if (text.empty()) return {};
  const int n =
      ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::wstring Widen(const std::string& text) {
  return Widen(text, CP_ACP);
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), narrow.data(), n,
                        nullptr, nullptr);
  return narrow;
}

COLORREF ToColorRef(TColor color) {
  if (IsSystemColor(color)) return ::GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0x00FFFFFF);
}

UniqueFont CreateGdiFont(const TFont& font) {
  // Face names in form descriptions and in the layer's defaults are UTF-8 text.
  std::wstring face = Widen(font.Name, CP_UTF8);
  if (face.size() >= LF_FACESIZE) face.resize(LF_FACESIZE - 1);
  return UniqueFont(::CreateFontW(font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, FALSE,
                                  FALSE, FALSE, static_cast<DWORD>(font.Charset),
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

UniqueBitmap CreatePictureBitmap(const TBitmapData& picture, TColor background) {
  if (picture.Empty()) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.Width;
  info.bmiHeader.biHeight = -picture.Height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return bitmap;
  const COLORREF bg = ToColorRef(background);
  const unsigned bgR = GetRValue(bg), bgG = GetGValue(bg), bgB = GetBValue(bg);
  auto* out = static_cast<std::uint32_t*>(bits);
  for (std::size_t i = 0; i < picture.Pixels.size(); ++i) {
    const std::uint32_t p = picture.Pixels[i];
    const unsigned a = p >> 24, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    const unsigned outR = (r * a + bgR * (255 - a)) / 255;
    const unsigned outG = (g * a + bgG * (255 - a)) / 255;
    const unsigned outB = (b * a + bgB * (255 - a)) / 255;
    out[i] = (outR << 16) | (outG << 8) | outB;  // a DIB pixel is 0x00RRGGBB
  }
  return bitmap;
}

}  // namespace platform::win32
