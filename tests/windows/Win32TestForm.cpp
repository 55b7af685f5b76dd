#include "Win32TestForm.h"

namespace platform::win32test {

TestForm::TestForm(TestForm*& self, std::string_view description, const Registrar& registrar)
    : TForm(self) {
  if (registrar) registrar(*this);
  LoadDescriptionText(description, "test form");
  DoCreate();
}

std::unique_ptr<TestForm> MakeForm(std::string_view description,
                                   const TestForm::Registrar& registrar) {
  TestForm* ref = nullptr;
  return std::make_unique<TestForm>(ref, description, registrar);
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  while (!done() && GetTickCount64() < end) {
    CurrentBackend().ProcessEvents();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done();
}

HWND FormWindow(TCustomForm& form) {
  return dynamic_cast<win32::Win32FormPeer&>(form.Peer()).Hwnd();
}

HWND ControlWindow(TControl& control) {
  return win32::HwndOf(control.Peer());
}

Screenshot::Screenshot(HWND wnd) {
  ::UpdateWindow(wnd);
  RECT r;
  ::GetClientRect(wnd, &r);
  width_ = r.right;
  height_ = r.bottom;
  pixels_.assign(static_cast<std::size_t>(width_) * height_, 0);
  win32::WindowDc screen(wnd);
  win32::UniqueMemoryDc copy(::CreateCompatibleDC(screen.get()));
  win32::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width_, height_));
  {
    win32::SelectScope select(copy.get(), bitmap.get());
    ::BitBlt(copy.get(), 0, 0, width_, height_, screen.get(), 0, 0, SRCCOPY);
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> rgb(pixels_.size());
  ::GetDIBits(copy.get(), bitmap.get(), 0, static_cast<UINT>(height_), rgb.data(), &info,
              DIB_RGB_COLORS);
  for (std::size_t i = 0; i < rgb.size(); ++i) {  // 0x00RRGGBB to 0x00BBGGRR
    const std::uint32_t p = rgb[i];
    pixels_[i] = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
  }
}

}  // namespace platform::win32test
