// The Win32 backend: the message loop (PeekMessage / GetMessage), the factories of the peers,
// timers over SetTimer on a hidden message-only window, the message box, the cursor and text
// measurement. Tab and Enter are handled in the loop, before dispatch, the way a dialog
// would: Tab follows the form's tab order, Enter presses the focused or the default button.
#include <map>

#include "platform/win32/Win32Peers.h"

#include <commctrl.h>

namespace platform {
namespace win32 {
namespace {

constexpr UINT kWakeUp = WM_APP + 7;
HCURSOR busyCursor = nullptr;

class Win32TimerDriver;

// Receives the timers' ticks and the wake-up messages.
class HiddenWindow final : public Win32Window {
 public:
  HiddenWindow() { CreateOwn(kHiddenClass, 0, 0, HWND_MESSAGE); }
  ~HiddenWindow() override { DestroyOwnWindow(); }
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_TIMER) {
      auto it = timers.find(static_cast<UINT_PTR>(wp));
      if (it != timers.end()) it->second();
      return 0;
    }
    if (msg == kWakeUp) return 0;
    return Default(msg, wp, lp);
  }
  std::map<UINT_PTR, std::function<void()>> timers;
};

class Win32TimerDriver final : public TimerDriver {
 public:
  Win32TimerDriver(HiddenWindow& window, UINT_PTR id, std::function<void()> tick)
      : window_(window), id_(id) {
    window_.timers[id_] = std::move(tick);
  }
  ~Win32TimerDriver() override {
    Stop();
    window_.timers.erase(id_);
  }
  void Start(unsigned intervalMs) override { ::SetTimer(window_.Hwnd(), id_, intervalMs, nullptr); }
  void Stop() override { ::KillTimer(window_.Hwnd(), id_); }

 private:
  HiddenWindow& window_;
  UINT_PTR id_;
};

Win32FormPeer* FormOf(HWND wnd) {
  return dynamic_cast<Win32FormPeer*>(PeerOf(::GetAncestor(wnd, GA_ROOT)));
}

class Win32Backend final : public Backend {
 public:
  Win32Backend() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    RegisterClasses();
    hidden_ = std::make_unique<HiddenWindow>();
  }

  void ProcessEvents() override {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) Dispatch(msg);
  }

  void WaitEvents() override {
    MSG msg;
    if (::GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
    ProcessEvents();
  }

  void WakeUp() override { ::PostMessageW(hidden_->Hwnd(), kWakeUp, 0, 0); }

  std::unique_ptr<FormPeer> CreateForm(FormListener& listener) override {
    return std::make_unique<Win32FormPeer>(listener);
  }
  std::unique_ptr<MenuPeer> CreateMenu(FormPeer& form) override {
    return std::make_unique<Win32MenuPeer>(dynamic_cast<Win32FormPeer&>(form));
  }
  std::unique_ptr<PaintBoxPeer> CreatePaintBox(WidgetPeer& parent,
                                               MouseListener& listener) override {
    return std::make_unique<Win32PaintBoxPeer>(HwndOf(parent), listener);
  }
  std::unique_ptr<LabelPeer> CreateLabel(WidgetPeer& parent) override {
    return std::make_unique<Win32LabelPeer>(HwndOf(parent), WindowOf(parent));
  }
  std::unique_ptr<ButtonPeer> CreateButton(WidgetPeer& parent, ClickListener& listener) override {
    return std::make_unique<Win32ButtonPeer>(HwndOf(parent), listener);
  }
  std::unique_ptr<PanelPeer> CreatePanel(WidgetPeer& parent) override {
    return std::make_unique<Win32PanelPeer>(HwndOf(parent));
  }
  std::unique_ptr<ImagePeer> CreateImage(WidgetPeer& parent) override {
    return std::make_unique<Win32ImagePeer>(HwndOf(parent), WindowOf(parent));
  }
  std::unique_ptr<ProgressBarPeer> CreateProgressBar(WidgetPeer& parent) override {
    return std::make_unique<Win32ProgressBarPeer>(HwndOf(parent));
  }
  std::unique_ptr<ToolBarPeer> CreateToolBar(WidgetPeer& parent) override {
    return std::make_unique<Win32ToolBarPeer>(HwndOf(parent));
  }
  std::unique_ptr<SpeedButtonPeer> CreateSpeedButton(WidgetPeer& parent,
                                                     ClickListener& listener) override {
    return std::make_unique<Win32SpeedButtonPeer>(HwndOf(parent), WindowOf(parent), listener);
  }
  std::unique_ptr<ListBoxPeer> CreateListBox(WidgetPeer& parent, ListListener& listener) override {
    return std::make_unique<Win32ListBoxPeer>(HwndOf(parent), listener);
  }
  std::unique_ptr<ComboBoxPeer> CreateComboBox(WidgetPeer& parent,
                                               ComboListener& listener) override {
    return std::make_unique<Win32ComboBoxPeer>(HwndOf(parent), listener);
  }
  std::unique_ptr<TimerDriver> CreateTimerDriver(std::function<void()> tick) override {
    return std::make_unique<Win32TimerDriver>(*hidden_, nextTimer_++, std::move(tick));
  }

  void MessageBox(const std::string& title, const std::string& text) override {
    CursorScope arrow(::LoadCursorW(nullptr, IDC_ARROW));
    ::MessageBoxW(::GetActiveWindow(), Widen(text).c_str(), Widen(title).c_str(),
                  MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  }

  void SetCursor(TCursor cursor) override {
    busyCursor = cursor == crHourGlass ? ::LoadCursorW(nullptr, IDC_WAIT) : nullptr;
    ::SetCursor(busyCursor ? busyCursor : ::LoadCursorW(nullptr, IDC_ARROW));
  }

  int ScreenWidth() const override { return ::GetSystemMetrics(SM_CXSCREEN); }
  int ScreenHeight() const override { return ::GetSystemMetrics(SM_CYSCREEN); }

  void MeasureText(const TFont& font, const std::string& text, int& width,
                   int& height) const override {
    WindowDc screen(nullptr);
    UniqueFont gdiFont = CreateGdiFont(font);
    SelectScope select(screen.get(), gdiFont.get());
    const std::wstring wide = Widen(text);
    SIZE size{};
    ::GetTextExtentPoint32W(screen.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    width = size.cx;
    height = size.cy;
  }

 private:
  static Win32Window& WindowOf(WidgetPeer& peer) {
    if (auto* client = dynamic_cast<Win32ClientPeer*>(&peer)) return client->Form();
    return dynamic_cast<Win32Window&>(peer);
  }

  // Tab and Enter act on the form before the focused control sees them.
  static bool PreTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_TAB && msg.wParam != VK_RETURN))
      return false;
    Win32FormPeer* form = FormOf(msg.hwnd);
    if (!form) return false;
    if (msg.wParam == VK_TAB) {
      form->Tab(::GetKeyState(VK_SHIFT) < 0);
      return true;
    }
    return form->Enter(msg.hwnd);
  }

  static void Dispatch(const MSG& msg) {
    if (PreTranslate(msg)) return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }

  std::unique_ptr<HiddenWindow> hidden_;
  UINT_PTR nextTimer_ = 1;
};

}  // namespace

HCURSOR BusyCursor() {
  return busyCursor;
}

}  // namespace win32

Backend& CurrentBackend() {
  // Never destroyed: forms owned by the application object may outlive any static here.
  static Backend* backend = new win32::Win32Backend;
  return *backend;
}

}  // namespace platform
