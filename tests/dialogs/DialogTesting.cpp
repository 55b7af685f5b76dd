#include "DialogTesting.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <fstream>
#include <random>

#include "platform/Application.h"
#include "platform/qt/QtSupport.h"

namespace dialogs_test {

TempTree::TempTree() {
  std::random_device random;
  root_ = std::filesystem::temp_directory_path() / ("dialogs-test-" + std::to_string(random()));
  std::filesystem::create_directories(root_);
  root_ = std::filesystem::canonical(root_);
}

TempTree::~TempTree() {
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
}

std::string TempTree::Folder(const std::string& relative) const {
  const std::filesystem::path p = root_ / relative;
  std::filesystem::create_directories(p);
  return p.string();
}

void TempTree::File(const std::string& relative) const {
  std::ofstream(root_ / relative) << "x";
}

QWidget* WidgetOf(platform::TControl& control) {
  return platform::qt::WidgetOf(control.Peer());
}

QWidget* WindowOf(platform::TCustomForm& form) {
  return platform::qt::WindowOf(form.Peer());
}

void Later(int ms, std::function<void()> step) {
  QTimer::singleShot(ms, std::move(step));
}

void Pump(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms)
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
}

void SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(target, &release);
}

ReportRecorder::ReportRecorder() {
  platform::Application->SetExceptionHook(
      [this](const std::string&, const std::string& text) { messages.push_back(text); });
}

ReportRecorder::~ReportRecorder() {
  platform::Application->SetExceptionHook({});
}

}  // namespace dialogs_test
