// The scan progress dialog: modeless, always on top, no title-bar buttons. The scan driver
// calls ShowFolderName, Show, SetProgress(0); the sizing pass calls SetProgress once per
// entry; the driver ends with SetProgress(100) and Hide. Stop (Button1, also Enter) sets
// StopRequested and leaves the dialog up until the driver hides it.
// The folder name comes from FolderPathSource, which the shell sets to read the main
// window's FolderPath (this layer can't see the main window).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Forms.h"

class TWaitForm : public platform::TForm {
 public:
  explicit TWaitForm(TWaitForm*& self);
  ~TWaitForm() override;

  platform::TImage* Image1 = nullptr;
  platform::TLabel* Label1 = nullptr;
  platform::TLabel* FolderLabel = nullptr;
  platform::TLabel* Label3 = nullptr;
  platform::TImage* Image2 = nullptr;
  platform::TImage* Image3 = nullptr;
  platform::TImage* Image4 = nullptr;
  platform::TButton* Button1 = nullptr;
  platform::TProgressBar* ProgressBar1 = nullptr;

  // Shows value % 100 on the bar; every 1002nd call shows the animation frame AnimPhase
  // (0..3: Image1..Image4; any other value changes no image) and advances AnimPhase.
  void SetProgress(std::int32_t value);
  // Copies the folder path given by FolderPathSource into FolderLabel (empty when unset).
  void ShowFolderName();
  // Stop: sets StopRequested, restarts the animation at frame 1 and shows Image1.
  void Button1Click(platform::TObject* sender);

  // Supplies the main window's FolderPath; the shell sets it once at start-up.
  std::function<std::string()> FolderPathSource;

  // The frame the next animation step shows; 32 from construction (no frame).
  std::int32_t AnimPhase = 32;
  // SetProgress calls counted since the last animation step.
  std::int32_t CallCount = 0;

 private:
  void ShowOnlyFrame(int frame);
};

// The application's one progress dialog, set when it is created.
extern TWaitForm* WaitForm;
