// Helpers for the dialog tests: temporary folder trees, the Qt widgets behind controls, a
// pump, and a recorder for the application's exception report.
#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Forms.h"

namespace dialogs_test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempTree {
 public:
  TempTree();
  ~TempTree();
  const std::filesystem::path& Root() const { return root_; }
  // Creates the folder `relative` (and its parents) below the root; returns its full path.
  std::string Folder(const std::string& relative) const;
  // Creates an empty file.
  void File(const std::string& relative) const;

 private:
  std::filesystem::path root_;
};

QWidget* WidgetOf(platform::TControl& control);
QWidget* WindowOf(platform::TCustomForm& form);
// Runs `step` from the event loop after `ms` milliseconds (inside a modal loop).
void Later(int ms, std::function<void()> step);
// Runs the event loop for `ms` milliseconds.
void Pump(int ms);
void SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

class ReportRecorder {
 public:
  ReportRecorder();
  ~ReportRecorder();
  std::vector<std::string> messages;
};

}  // namespace dialogs_test
