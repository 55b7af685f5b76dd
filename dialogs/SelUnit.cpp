// The folder selection dialog. Everything but Cancel's focus move and the priming helper is
// the behaviour of the components under the settings of SelForm.json.
#include "dialogs/SelUnit.h"

#include "platform/Drives.h"
#include "platform/Paths.h"

TSelForm* SelForm = nullptr;

namespace {

// The folder above `folder`, with its trailing separator; empty for a drive root.
std::string ParentOf(std::string folder) {
  using platform::kPathSeparator;
  while (folder.size() > 1 && folder.back() == kPathSeparator && !platform::IsDriveRoot(folder))
    folder.pop_back();
  if (platform::IsDriveRoot(folder)) return {};
  const std::size_t cut = folder.find_last_of(kPathSeparator);
  if (cut == std::string::npos) return {};
  return folder.substr(0, cut + 1);
}

}  // namespace

TSelForm::TSelForm(TSelForm*& self) : TForm(self) {
  platform::RegisterFileControls();
  RegisterHandler("Button2Click", [this](platform::TObject* sender) { Button2Click(sender); });
  LoadDescription("SelForm");
  DoCreate();
  DirectoryListBox1 = &Component<platform::TDirectoryListBox>("DirectoryListBox1");
  OkButton = &Component<platform::TButton>("OkButton");
  Button2 = &Component<platform::TButton>("Button2");
  Panel1 = &Component<platform::TPanel>("Panel1");
  DirLabel = &Component<platform::TLabel>("DirLabel");
  DriveComboBox1 = &Component<platform::TDriveComboBox>("DriveComboBox1");
}

TSelForm::~TSelForm() {
  DoDestroy();
}

void TSelForm::Button2Click(platform::TObject*) {
  OkButton->SetFocus();
}

std::string TSelForm::SelectedFolder() const {
  return DirectoryListBox1->Directory();
}

void TSelForm::PrimeFolder(const std::string& folderPath) {
  if (folderPath.empty()) return;
  std::vector<std::string> candidates;
  for (std::string f = folderPath; !f.empty(); f = ParentOf(f)) candidates.push_back(f);
  if (std::string home = platform::HomeFolder(); !home.empty()) candidates.push_back(home);
  for (const std::string& drive : platform::ListDrives()) candidates.push_back(drive);
  for (const std::string& candidate : candidates) {
    try {
      DirectoryListBox1->SetDirectory(candidate);
      return;
    } catch (const platform::Exception&) {
      // not there any more: try the next one up
    }
  }
}
