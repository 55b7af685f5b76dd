// The main window's construction, destruction and small commands. The form is built from its
// description first and its creation event (help start-up, settings load) runs before the
// window's own fields are set, so the loaded folder reaches FolderPath through SavedPath.
#include "shell/DUUnit.h"

#include "dialogs/AboutUnit.h"
#include "platform/Application.h"
#include "platform/Help.h"
#include "platform/Screen.h"
#include "shell/SettingsStore.h"
#include "tree/ScanHooks.h"
#include "view/ChartDrawing.h"
#include "view/IdlePrompt.h"

using platform::TObject;

TDuForm* DuForm = nullptr;
TAboutForm* AboutForm = nullptr;
std::uint32_t HelpCookie = 0;

TDuForm::TDuForm(TDuForm*& self) : TForm(self) {
  RegisterHandlers();
  LoadDescription("DuForm");
  FindComponents();
  DoCreate();
  UpMark.clear();
  FolderPath = SavedPath;
  Root.reset();
  Busy = false;
  Scanning = false;
  PromptState = 0;
  Current = nullptr;
}

TDuForm::~TDuForm() {
  // The window's strings go first; its destruction event then runs without them.
  std::string().swap(FolderPath);
  std::string().swap(UpMark);
  DoDestroy();
}

void TDuForm::RegisterHandlers() {
  RegisterHandler("Exit1Click", [this](TObject* s) { Exit1Click(s); });
  RegisterHandler("Open1Click", [this](TObject* s) { Open1Click(s); });
  RegisterCloseHandler("FormClose",
                       [this](TObject* s, platform::TCloseAction& a) { FormClose(s, a); });
  RegisterHandler("FormPaint", [this](TObject* s) { FormPaint(s); });
  RegisterMouseHandler("PaintBox1MouseDown",
                       [this](TObject* s, platform::TMouseButton b, platform::TShiftState sh, int x,
                              int y) { PaintBox1MouseDown(s, b, sh, x, y); });
  RegisterHandler("About1Click", [this](TObject* s) { About1Click(s); });
  RegisterHandler("Timer1Timer", [this](TObject* s) { Timer1Timer(s); });
  RegisterHandler("Contents1Click", [this](TObject* s) { Contents1Click(s); });
  RegisterHandler("FormDestroy", [this](TObject* s) { FormDestroy(s); });
  RegisterHandler("FormCreate", [this](TObject* s) { FormCreate(s); });
  RegisterHandler("OpenButton1Click", [this](TObject* s) { OpenButton1Click(s); });
  RegisterHandler("AboutButtonClick", [this](TObject* s) { AboutButtonClick(s); });
}

void TDuForm::FindComponents() {
  PaintBox1 = &Component<platform::TPaintBox>("PaintBox1");
  MainMenu1 = &Component<platform::TMainMenu>("MainMenu1");
  File1 = &Component<platform::TMenuItem>("File1");
  Open1 = &Component<platform::TMenuItem>("Open1");
  N2 = &Component<platform::TMenuItem>("N2");
  Exit1 = &Component<platform::TMenuItem>("Exit1");
  Help1 = &Component<platform::TMenuItem>("Help1");
  Contents1 = &Component<platform::TMenuItem>("Contents1");
  About1 = &Component<platform::TMenuItem>("About1");
  Timer1 = &Component<platform::TTimer>("Timer1");
  PaintBox2 = &Component<platform::TPaintBox>("PaintBox2");
  ToolBar1 = &Component<platform::TToolBar>("ToolBar1");
  OpenButton1 = &Component<platform::TSpeedButton>("OpenButton1");
  AboutButton = &Component<platform::TSpeedButton>("AboutButton");
}

void TDuForm::Exit1Click(TObject*) {
  Close();
}

void TDuForm::FormClose(TObject*, platform::TCloseAction& Action) {
  if (Scanning) {
    // The running scan stops at its next test of the flag and discards its tree.
    StopRequested = 1;
    Action = platform::caNone;
    return;
  }
  Root.reset();
  Current = nullptr;
}

void TDuForm::FormPaint(TObject*) {
  view::FormPaint({PaintBox1->Canvas(), PaintBox1->Width(), PaintBox1->Height()}, Root.get(),
                  Current, UpMark, *Timer1);
}

void TDuForm::PaintBox1MouseDown(TObject* Sender, platform::TMouseButton, platform::TShiftState,
                                 int X, int Y) {
  pressSender_ = Sender;
  view::PaintBox1MouseDown(*this, {Root.get(), Current, Busy, UpMark}, PaintBox1->Width(),
                           PaintBox1->Height(), X, Y);
}

void TDuForm::About1Click(TObject*) {
  AboutButton->SetEnabled(false);
  try {
    AboutForm->ShowModal();
  } catch (...) {
    AboutButton->SetEnabled(true);
    throw;
  }
  AboutButton->SetEnabled(true);
}

void TDuForm::Timer1Timer(TObject*) {
  view::Timer1Timer({PaintBox2->Canvas(), PaintBox2->Width(), PaintBox2->Height()},
                    PaintBox1->Canvas(), Width(), Height(), Root.get(), PromptState, *Timer1);
}

void TDuForm::Contents1Click(TObject*) {
  platform::HtmlHelp(0, "Ombrelith.chm", platform::HH_DISPLAY_TOPIC, 0);
}

void TDuForm::FormDestroy(TObject*) {
  platform::HtmlHelp(0, nullptr, platform::HH_CLOSE_ALL, 0);
  platform::HtmlHelp(0, nullptr, platform::HH_UNINITIALIZE, HelpCookie);
  SavePlacement(*this);
}

void TDuForm::FormCreate(TObject*) {
  platform::HtmlHelp(0, nullptr, platform::HH_INITIALIZE,
                     reinterpret_cast<std::uintptr_t>(&HelpCookie));
  LoadPlacement();
  LoadFolderPath();
}

void TDuForm::OpenButton1Click(TObject* Sender) {
  Open1Click(Sender);
}

void TDuForm::AboutButtonClick(TObject* Sender) {
  About1Click(Sender);
}

void TDuForm::SetWindowCaption(const std::string& caption) {
  SetCaption(caption);
}

void TDuForm::RefreshWindow() {
  Refresh();
}

void TDuForm::RunOpenCommand() {
  Open1Click(pressSender_);
}

void TDuForm::SetHourGlass(bool on) {
  platform::Screen->SetCursor(on ? platform::crHourGlass : platform::crDefault);
}
