// Help > Index opens the help file in its own window, also in the middle of a scan, which goes
// on; the main window's destruction closes the help windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "ShellFixture.h"
#include "shell/DUUnit.h"
#include "tree/ScanHooks.h"

namespace {

bool HelpWindowShown() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->windowTitle() == "Ombrelith Help") return true;
  return false;
}

}  // namespace

TEST_F(ShellTest, HelpIndexDuringAScanOpensTheHelpAndTheScanGoesOn) {
  MakeFile("a/f", 10);
  MakeFile("b", 10);
  Start();
  bool shownDuringScan = false;
  RunInLoop([&] {
    ScriptPump([&](int call) {
      if (call != 1) return;
      DuForm->Contents1->Click();
      shownDuringScan = HelpWindowShown();
    });
    OpenWith(data_.string());
  });
  EXPECT_TRUE(shownDuringScan);
  EXPECT_NE(DuForm->Root, nullptr);
  EXPECT_EQ(DuForm->Current, DuForm->Root.get());
  EXPECT_TRUE(reports_.empty());
  Stop();
  EXPECT_FALSE(HelpWindowShown());
}
