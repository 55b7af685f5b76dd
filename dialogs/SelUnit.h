// The folder selection dialog: a drive selector, a directory list and a dark strip showing
// the folder open in the list. Shown modally by the Open command, which primes the list with
// the main window's folder (PrimeFolder), and on result mrOk reads SelectedFolder.
// Results: OK (click, or Enter anywhere but on Cancel, also in the list) gives mrOk; Cancel,
// the close box and Alt+F4 give mrCancel; Esc does nothing. The list keeps its folder between
// showings.
#pragma once

#include <string>

#include "platform/FileCtrl.h"
#include "platform/Forms.h"

class TSelForm : public platform::TForm {
 public:
  // Builds the dialog from its description; the list starts at the working directory.
  explicit TSelForm(TSelForm*& self);
  ~TSelForm() override;

  platform::TDirectoryListBox* DirectoryListBox1 = nullptr;
  platform::TButton* OkButton = nullptr;
  platform::TButton* Button2 = nullptr;
  platform::TPanel* Panel1 = nullptr;
  platform::TLabel* DirLabel = nullptr;
  platform::TDriveComboBox* DriveComboBox1 = nullptr;

  // Cancel's click: moves the focus to OkButton (the click has already set mrCancel).
  void Button2Click(platform::TObject* sender);

  // The list's current folder: a drive root with its separator ("/", "C:\"), any other
  // folder without a trailing one. Read it after ShowModal returned mrOk.
  std::string SelectedFolder() const;

  // For the Open command: opens `folderPath` in the list (a trailing separator is fine).
  // When it can't be opened, the nearest existing parent opens instead, else the home
  // folder, else the drive root, so the dialog always opens. An empty path leaves the list
  // where it is. Never raises.
  void PrimeFolder(const std::string& folderPath);
};

// The application's one folder selection dialog, set when it is created.
extern TSelForm* SelForm;
