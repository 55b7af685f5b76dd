// The Open command and the scan driver. Open1Click asks the folder selection dialog for a
// folder, makes it FolderPath, sets the up mark and the caption, and runs ScanFolder, the only
// maker of size trees: it shows the progress dialog, stores the folder, runs the counting pass
// and then the sizing pass on two fresh roots, and installs the result as Root and Current, or
// drops it when the user stopped the scan. The passes pump the message queue, so the window's
// other handlers run nested inside ScanFolder; Busy, Scanning and the disabled File menu and
// Open button keep them from starting a second scan or closing the window under it.
#include <exception>
#include <string>

#include "dialogs/SelUnit.h"
#include "dialogs/WaitUnit.h"
#include "platform/Application.h"
#include "platform/Paths.h"
#include "platform/Screen.h"
#include "shell/DUUnit.h"
#include "shell/SettingsStore.h"
#include "tree/ScanHooks.h"
#include "view/Navigation.h"

namespace {

// Runs `undo` when the scope ends, however it ends.
template <class F>
class ScopeExit {
 public:
  explicit ScopeExit(F undo) : undo_(std::move(undo)) {}
  ~ScopeExit() { undo_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  F undo_;
};

void DropTree(TDuForm& form) {
  form.Root.reset();
  form.Current = nullptr;
}

}  // namespace

void TDuForm::Open1Click(platform::TObject*) {
  OpenButton1->SetEnabled(false);
  ScopeExit enableOpen([this] { OpenButton1->SetEnabled(true); });

  // A remembered folder that has gone opens the dialog at its nearest existing parent.
  if (!FolderPath.empty()) SelForm->PrimeFolder(FolderPath);
  if (SelForm->ShowModal() != platform::mrOk) {
    Timer1->SetInterval(100);
    return;
  }
  FolderPath = SelForm->SelectedFolder();
  if (!FolderPath.empty() && FolderPath.back() == platform::kPathSeparator) {
    UpMark = "/";
  } else {
    FolderPath += platform::kPathSeparator;
    UpMark = ". .";
  }
  SetCaption(view::ChartCaption(FolderPath));
  ScanFolder(*this);
  Refresh();
}

void ScanFolder(TDuForm& form) {
  if (form.FolderPath.empty() || form.Busy) return;

  // A store of the folder that fails does not cost the user the scan: it is reported once the
  // scan is over and the window is back in its normal state.
  std::exception_ptr storeError;
  {
    form.Busy = true;
    platform::Screen->SetCursor(platform::crHourGlass);
    form.File1->SetEnabled(false);
    form.Scanning = true;
    bool finished = false;
    // Whatever leaves this block, the window ends up able to scan and to close again; a tree
    // left half-built by an error is dropped like a stopped one.
    ScopeExit restore([&form, &finished] {
      if (!finished) {
        DropTree(form);
        StopRequested = 0;
      }
      form.Scanning = false;
      form.File1->SetEnabled(true);
      WaitForm->Hide();
      platform::Screen->SetCursor(platform::crDefault);
      form.Busy = false;
    });

    WaitForm->ShowFolderName();
    WaitForm->Show();
    DropTree(form);
    EntriesCounted = 0;
    EntriesScanned = 0;
    WaitForm->SetProgress(0);

    // The folder is stored before it is scanned, so a stopped scan still leaves it stored.
    try {
      SaveFolderPath(form);
    } catch (const std::exception&) {
      storeError = std::current_exception();
    }

    form.Root = std::make_unique<DirEnt>(form.FolderPath);
    form.Root->CountEntries(0);
    DropTree(form);

    form.Root = std::make_unique<DirEnt>(form.FolderPath);
    form.Root->Scan(0);
    if (StopRequested) {
      StopRequested = 0;
      DropTree(form);
    } else {
      form.Current = form.Root.get();
    }
    WaitForm->SetProgress(100);
    finished = true;
  }
  if (storeError) {
    try {
      std::rethrow_exception(storeError);
    } catch (const std::exception& e) {
      platform::Application->ShowException(e);
    }
  }
}

void InstallScanHooks() {
  WaitForm->FolderPathSource = [] { return DuForm->FolderPath; };
  SetPumpHook([] { platform::Application->ProcessMessages(); });
  SetProgressHook([](std::int32_t percent) {
    if (WaitForm) WaitForm->SetProgress(percent);
  });
}
