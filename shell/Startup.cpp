#include "shell/Startup.h"

#include "dialogs/AboutUnit.h"
#include "dialogs/SelUnit.h"
#include "dialogs/WaitUnit.h"
#include "platform/Application.h"
#include "shell/DUUnit.h"

void CreateApplicationWindows() {
  using platform::Application;
  Application->Initialize();
  Application->SetTitle("Ombrelith");
  Application->CreateForm(DuForm);
  Application->CreateForm(SelForm);
  Application->CreateForm(AboutForm);
  Application->CreateForm(WaitForm);
  InstallScanHooks();
}
