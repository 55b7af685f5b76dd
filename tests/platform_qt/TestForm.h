// A form built from description text given by the test, with handlers the test registers.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Forms.h"
#include "platform/qt/QtSupport.h"

namespace platform::testing {

class TestForm : public TForm {
 public:
  using Registrar = std::function<void(TestForm&)>;
  TestForm(TestForm*& self, std::string_view description, const Registrar& registrar = {});
  ~TestForm() override { DoDestroy(); }

  using TCustomForm::RegisterCloseHandler;
  using TCustomForm::RegisterHandler;
  using TCustomForm::RegisterMouseHandler;
};

// Makes a form from `description`, or throws what the loader throws.
std::unique_ptr<TestForm> MakeForm(std::string_view description,
                                   const TestForm::Registrar& registrar = {});

// Runs the event loop until `done` is true or `ms` milliseconds passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, int ms = 2000);

// A hook that records exception reports instead of showing a message box, for one test.
class ReportRecorder {
 public:
  ReportRecorder();
  ~ReportRecorder();
  std::vector<std::string> titles;
  std::vector<std::string> messages;
};

}  // namespace platform::testing
