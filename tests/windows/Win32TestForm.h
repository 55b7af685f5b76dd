// Forms for the Win32 backend tests: a form built from description text with handlers the
// test registers, a loop that runs until a condition holds, and what a window shows on screen.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Forms.h"
#include "platform/win32/Win32Peers.h"

namespace platform::win32test {

class TestForm : public TForm {
 public:
  using Registrar = std::function<void(TestForm&)>;
  TestForm(TestForm*& self, std::string_view description, const Registrar& registrar);
  ~TestForm() override { DoDestroy(); }

  using TCustomForm::RegisterCloseHandler;
  using TCustomForm::RegisterHandler;
  using TCustomForm::RegisterMouseHandler;
};

std::unique_ptr<TestForm> MakeForm(std::string_view description,
                                   const TestForm::Registrar& registrar = {});

// Runs the message loop until `done` is true or `ms` milliseconds passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, int ms = 3000);

HWND FormWindow(TCustomForm& form);
HWND ControlWindow(TControl& control);

// The pixels `wnd` shows on screen now (after its pending paints), as 0x00BBGGRR.
class Screenshot {
 public:
  explicit Screenshot(HWND wnd);
  TColor At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<TColor> pixels_;
};

}  // namespace platform::win32test
