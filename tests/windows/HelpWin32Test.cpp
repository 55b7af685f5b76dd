// The help seam over the system's HTML Help: the help file beside the executable opens in a
// window titled with the project's title and HH_CLOSE_ALL closes it; a missing file, or a name
// with a folder in it, shows nothing. Needs a display (Xvfb under Wine).
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/Help.h"

namespace {

HWND HelpWindow() {
  return FindWindowW(nullptr, L"Ombrelith Help");
}

// Lets the help window's messages run for up to `ms` until `done` holds.
template <class Pred>
bool PumpUntil(Pred done, int ms = 5000) {
  for (int waited = 0; waited < ms; waited += 20) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    Sleep(20);
  }
  return done();
}

TEST(HtmlHelp, OpensTheFileBesideTheExecutableAndClosesAll) {
  std::uint32_t cookie = 0;  // Wine's HTML Help hands out no cookie; Windows' does
  platform::HtmlHelp(0, nullptr, platform::HH_INITIALIZE,
                     reinterpret_cast<std::uintptr_t>(&cookie));

  ASSERT_EQ(HelpWindow(), nullptr);
  EXPECT_NE(platform::HtmlHelp(0, "Ombrelith.chm", platform::HH_DISPLAY_TOPIC, 0), 0u);
  EXPECT_TRUE(PumpUntil([] { return HelpWindow() != nullptr; })) << "no help window";

  platform::HtmlHelp(0, nullptr, platform::HH_CLOSE_ALL, 0);
  EXPECT_TRUE(PumpUntil([] { return HelpWindow() == nullptr; })) << "help window stays open";
  platform::HtmlHelp(0, nullptr, platform::HH_UNINITIALIZE, cookie);
}

TEST(HtmlHelp, MissingOrFolderNamedFilesShowNothing) {
  for (const char* name : {"Missing.chm", "..\\Ombrelith.chm", "sub\\Ombrelith.chm", ""}) {
    EXPECT_EQ(platform::HtmlHelp(0, name, platform::HH_DISPLAY_TOPIC, 0), 0u) << name;
  }
  EXPECT_EQ(platform::HtmlHelp(0, nullptr, platform::HH_DISPLAY_TOPIC, 0), 0u);
  EXPECT_FALSE(PumpUntil([] { return HelpWindow() != nullptr; }, 300));
}

}  // namespace
