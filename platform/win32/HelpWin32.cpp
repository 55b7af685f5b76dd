// The help seam on Windows: the system's HTML Help (HtmlHelpA of hhctrl.ocx, loaded by
// mingw's libhtmlhelp on first use). A bare file name is turned into the full path of the
// file beside the executable first, so HTML Help never looks in the current folder; a file
// that isn't there shows nothing.
#include "platform/win32/Handles.h"

#include <htmlhelp.h>
#undef HtmlHelp
#undef HH_DISPLAY_TOPIC
#undef HH_CLOSE_ALL
#undef HH_INITIALIZE
#undef HH_UNINITIALIZE

#include <string>

#include "platform/Help.h"
#include "platform/HelpPath.h"

namespace platform {

unsigned HtmlHelp(std::uintptr_t, const char* file, unsigned command, std::uintptr_t data) {
  switch (command) {
    case HH_INITIALIZE: {
      DWORD cookie = 0;
      ::HtmlHelpA(nullptr, nullptr, command, reinterpret_cast<DWORD_PTR>(&cookie));
      if (data) *reinterpret_cast<std::uint32_t*>(data) = cookie;
      return cookie != 0;
    }
    case HH_DISPLAY_TOPIC: {
      if (!file) return 0;
      const std::string path = ResolveHelpFile(file);
      if (path.empty()) return 0;
      return ::HtmlHelpA(nullptr, path.c_str(), command, 0) != nullptr;
    }
    case HH_CLOSE_ALL:
      ::HtmlHelpA(nullptr, nullptr, command, 0);
      return 1;
    case HH_UNINITIALIZE:
      ::HtmlHelpA(nullptr, nullptr, command, static_cast<DWORD_PTR>(data));
      return 1;
    default:
      return 0;
  }
}

}  // namespace platform
