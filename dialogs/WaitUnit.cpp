// The scan progress dialog: the bar shows the percentage modulo 100 and a four-frame
// animation advances on every 1002nd progress report.
#include "dialogs/WaitUnit.h"

#include "tree/ScanHooks.h"

TWaitForm* WaitForm = nullptr;

TWaitForm::TWaitForm(TWaitForm*& self) : TForm(self) {
  RegisterHandler("Button1Click", [this](platform::TObject* sender) { Button1Click(sender); });
  LoadDescription("WaitForm");
  DoCreate();
  Image1 = &Component<platform::TImage>("Image1");
  Label1 = &Component<platform::TLabel>("Label1");
  FolderLabel = &Component<platform::TLabel>("FolderLabel");
  Label3 = &Component<platform::TLabel>("Label3");
  Image2 = &Component<platform::TImage>("Image2");
  Image3 = &Component<platform::TImage>("Image3");
  Image4 = &Component<platform::TImage>("Image4");
  Button1 = &Component<platform::TButton>("Button1");
  ProgressBar1 = &Component<platform::TProgressBar>("ProgressBar1");
  AnimPhase = 32;
  CallCount = 0;
}

TWaitForm::~TWaitForm() {
  DoDestroy();
}

void TWaitForm::SetProgress(std::int32_t value) {
  ProgressBar1->SetPosition(value % 100);
  if (CallCount <= 1000) {
    ++CallCount;
    return;
  }
  CallCount = 0;
  if (AnimPhase >= 0 && AnimPhase <= 3) ShowOnlyFrame(AnimPhase);
  if (++AnimPhase >= 4) AnimPhase = 0;
}

void TWaitForm::ShowFolderName() {
  FolderLabel->SetCaption(FolderPathSource ? FolderPathSource() : std::string());
}

void TWaitForm::Button1Click(platform::TObject*) {
  StopRequested = 1;
  AnimPhase = 0;
  CallCount = 0;
  ShowOnlyFrame(0);
}

void TWaitForm::ShowOnlyFrame(int frame) {
  platform::TImage* const images[] = {Image1, Image2, Image3, Image4};
  for (int i = 0; i < 4; ++i) images[i]->SetVisible(i == frame);
}
