#include "TestForm.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include "platform/Application.h"

namespace platform::testing {

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
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
  return done();
}

ReportRecorder::ReportRecorder() {
  Application->SetExceptionHook([this](const std::string& title, const std::string& text) {
    titles.push_back(title);
    messages.push_back(text);
  });
}

ReportRecorder::~ReportRecorder() {
  Application->SetExceptionHook({});
}

}  // namespace platform::testing
