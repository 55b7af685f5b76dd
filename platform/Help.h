// The help seam: one call shaped after the HTML Help entry point that the main window uses to
// initialise help, show the help file at its default topic, close the help windows and shut
// help down. Each backend implements HtmlHelp (platform/qt/QtHelp.cpp shows the file in a Qt
// window; the Win32 backend hands it to the system's HTML Help). A bare file name is looked up
// beside the executable and in the installed data folder (platform/HelpPath.h), never in the
// current folder. Failures show nothing and say nothing: callers ignore the result.
//
// A Win32 source that also includes <htmlhelp.h> must #undef HtmlHelp and the HH_ macros
// below before including this header, since the system header defines them as macros.
#pragma once

#include <cstdint>

namespace platform {

// Show the file's default topic in a help window; data is unused (0).
inline constexpr unsigned HH_DISPLAY_TOPIC = 0x0;
// Close every help window opened through HtmlHelp.
inline constexpr unsigned HH_CLOSE_ALL = 0x12;
// Start help; data is the address of a std::uint32_t that receives a cookie.
inline constexpr unsigned HH_INITIALIZE = 0x1C;
// Shut help down; data is the cookie HH_INITIALIZE stored.
inline constexpr unsigned HH_UNINITIALIZE = 0x1D;

// ownerWindow is accepted for the shape of the call; help windows have no owner. Returns
// nonzero when the command did what it asks (a window shown, a cookie stored or taken back),
// 0 otherwise.
unsigned HtmlHelp(std::uintptr_t ownerWindow, const char* file, unsigned command,
                  std::uintptr_t data);

}  // namespace platform
