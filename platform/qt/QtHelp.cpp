// HtmlHelp for the Qt backend: HH_DISPLAY_TOPIC opens the resolved help file in a HelpViewer
// (one window per file, reused and sent back to its default topic on the next call);
// HH_CLOSE_ALL closes them all. Help windows delete themselves when closed. Nothing is shown
// without a QApplication, and a missing or unreadable file opens nothing.
#include <QApplication>
#include <QPointer>
#include <vector>

#include "platform/Help.h"
#include "platform/HelpPath.h"
#include "platform/qt/HelpViewer.h"

namespace platform {

namespace {

std::vector<QPointer<qt::HelpViewer>>& OpenViewers() {
  static std::vector<QPointer<qt::HelpViewer>> viewers;
  return viewers;
}

std::uint32_t activeCookie = 0;
std::uint32_t lastCookie = 0;

unsigned DisplayTopic(const char* file) {
  if (!file || !qobject_cast<QApplication*>(QCoreApplication::instance())) return 0;
  const std::string path = ResolveHelpFile(file);
  if (path.empty()) return 0;
  auto& viewers = OpenViewers();
  std::erase_if(viewers, [](const QPointer<qt::HelpViewer>& viewer) { return viewer.isNull(); });
  for (const QPointer<qt::HelpViewer>& viewer : viewers) {
    if (viewer->FilePath() == path) {
      viewer->ShowHome();
      return 1;
    }
  }
  std::unique_ptr<qt::HelpViewer> viewer = qt::HelpViewer::Open(path);
  if (!viewer) return 0;
  viewer->setAttribute(Qt::WA_DeleteOnClose);
  viewer->ShowHome();
  viewers.push_back(viewer.release());
  return 1;
}

unsigned CloseAll() {
  for (const QPointer<qt::HelpViewer>& viewer : OpenViewers())
    if (viewer) viewer->close();
  OpenViewers().clear();
  return 1;
}

}  // namespace

unsigned HtmlHelp(std::uintptr_t /*ownerWindow*/, const char* file, unsigned command,
                  std::uintptr_t data) {
  switch (command) {
    case HH_DISPLAY_TOPIC:
      return DisplayTopic(file);
    case HH_CLOSE_ALL:
      return CloseAll();
    case HH_INITIALIZE:
      if (data == 0) return 0;
      if (++lastCookie == 0) ++lastCookie;
      activeCookie = lastCookie;
      *reinterpret_cast<std::uint32_t*>(data) = activeCookie;
      return 1;
    case HH_UNINITIALIZE:
      if (activeCookie == 0 || data != activeCookie) return 0;
      activeCookie = 0;
      return 1;
    default:
      return 0;
  }
}

}  // namespace platform
