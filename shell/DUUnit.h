// The main window: the menu, the two-button toolbar, the chart area and the idle prompt's
// timer, and the view state of the whole program (the size tree, the folder shown, the folder
// path and the flags that keep a scan and a press on the chart from overlapping). The chart's
// handlers forward to view/; the Open command and the scan driver live in OpenCommand.cpp.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/Timer.h"
#include "tree/SizeTree.h"
#include "view/Navigation.h"

class TAboutForm;

class TDuForm : public platform::TForm, private view::ChartHost {
 public:
  explicit TDuForm(TDuForm*& self);
  ~TDuForm() override;

  // Components, created from the form description "DuForm" and owned by the form.
  platform::TPaintBox* PaintBox1;
  platform::TMainMenu* MainMenu1;
  platform::TMenuItem* File1;
  platform::TMenuItem* Open1;
  platform::TMenuItem* N2;
  platform::TMenuItem* Exit1;
  platform::TMenuItem* Help1;
  platform::TMenuItem* Contents1;
  platform::TMenuItem* About1;
  platform::TTimer* Timer1;
  platform::TPaintBox* PaintBox2;
  platform::TToolBar* ToolBar1;
  platform::TSpeedButton* OpenButton1;
  platform::TSpeedButton* AboutButton;

  // Event handlers.
  void Exit1Click(platform::TObject* Sender);
  void Open1Click(platform::TObject* Sender);
  void FormClose(platform::TObject* Sender, platform::TCloseAction& Action);
  void FormPaint(platform::TObject* Sender);
  void PaintBox1MouseDown(platform::TObject* Sender, platform::TMouseButton Button,
                          platform::TShiftState Shift, int X, int Y);
  void About1Click(platform::TObject* Sender);
  void Timer1Timer(platform::TObject* Sender);
  void Contents1Click(platform::TObject* Sender);
  void FormDestroy(platform::TObject* Sender);
  void FormCreate(platform::TObject* Sender);
  void OpenButton1Click(platform::TObject* Sender);
  void AboutButtonClick(platform::TObject* Sender);

  // The view state. Root owns the tree; Current points into it.
  std::unique_ptr<DirEnt> Root;
  DirEnt* Current;
  bool Busy;
  std::string UpMark;
  std::int32_t PromptState;
  bool Scanning;
  std::string FolderPath;

 private:
  // view::ChartHost, for a navigation step.
  void SetWindowCaption(const std::string& caption) override;
  void RefreshWindow() override;
  void RunOpenCommand() override;
  void SetHourGlass(bool on) override;

  void RegisterHandlers();
  void FindComponents();

  platform::TObject* pressSender_ = nullptr;
};

// The scan driver: scans FolderPath into a fresh tree (only Open1Click calls it).
void ScanFolder(TDuForm& form);
// Wires the scan's message pump to the application, its progress report to WaitForm, and
// WaitForm's folder name to DuForm's FolderPath. Called once the four windows exist.
void InstallScanHooks();

// The main window and the About box, each set as soon as the application starts creating it
// (SelForm and WaitForm belong to their dialogs' units).
extern TDuForm* DuForm;
extern TAboutForm* AboutForm;
// The help system's cookie, from initialisation to shutdown.
extern std::uint32_t HelpCookie;
