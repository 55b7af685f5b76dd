// The program's entry point: creates the application's four windows, main window first, and
// runs the message loop until the main window has closed. On Windows it is the process's entry
// point; elsewhere main (platform/EntryPoint.cpp) calls it.
#include "platform/EntryPoint.h"

#include "platform/Application.h"
#include "shell/Startup.h"

extern "C" int WinMain(HINSTANCE__*, HINSTANCE__*, char*, int) {
  using platform::Application;
  try {
    CreateApplicationWindows();
    Application->Run();
  } catch (const platform::Exception& e) {
    Application->ShowException(e);
  }
  Application->DestroyForms();
  return 0;
}
