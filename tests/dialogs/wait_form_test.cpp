// The progress dialog: the bar's value, the animation's frame sequence across Stop and across
// scans, Stop through the button and through Enter, and the folder name.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <memory>

#include "DialogTesting.h"
#include "dialogs/WaitUnit.h"
#include "tree/ScanHooks.h"

namespace dialogs_test {
namespace {

class WaitFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StopRequested = 0;
    form = std::make_unique<TWaitForm>(ref);
  }
  void TearDown() override { StopRequested = 0; }

  // "1000" when only Image1 is visible, and so on.
  std::string Frames() const {
    std::string s;
    for (platform::TImage* image : {form->Image1, form->Image2, form->Image3, form->Image4})
      s += image->Visible() ? '1' : '0';
    return s;
  }
  void Calls(int n) {
    for (int i = 0; i < n; ++i) form->SetProgress(40);
  }

  TWaitForm* ref = nullptr;
  std::unique_ptr<TWaitForm> form;
};

TEST_F(WaitFormTest, StartsHiddenOnTopWithoutTitleBarButtonsAndFrameOne) {
  EXPECT_EQ(ref, form.get());
  EXPECT_FALSE(form->Visible());
  EXPECT_EQ(form->FormStyle(), platform::fsStayOnTop);
  EXPECT_EQ(form->BorderIcons(), 0u);
  EXPECT_EQ(form->Color(), platform::clBlack);
  EXPECT_EQ(form->AnimPhase, 32);
  EXPECT_EQ(form->CallCount, 0);
  EXPECT_EQ(Frames(), "1000");
}

TEST_F(WaitFormTest, TheBarShowsTheValueModuloHundred) {
  const struct {
    int value, position;
  } cases[] = {{0, 0}, {99, 99}, {100, 0}, {150, 50}, {250, 50}, {37, 37}, {1000, 0}};
  for (const auto& c : cases) {
    form->SetProgress(c.value);
    EXPECT_EQ(form->ProgressBar1->Position(), c.position) << "value " << c.value;
  }
}

TEST_F(WaitFormTest, TheAnimationStepsEvery1002ndCallAcrossTwoScans) {
  // Two frames shown at once make the first step's "no image changes" visible.
  form->Image2->SetVisible(true);
  form->Show();
  Calls(1001);
  EXPECT_EQ(Frames(), "1100");
  EXPECT_EQ(form->AnimPhase, 32);
  EXPECT_EQ(form->CallCount, 1001);
  Calls(1);  // call 1002
  EXPECT_EQ(Frames(), "1100");
  EXPECT_EQ(form->AnimPhase, 0);
  EXPECT_EQ(form->CallCount, 0);
  Calls(1001);
  EXPECT_EQ(Frames(), "1100");
  Calls(1);  // 2004
  EXPECT_EQ(Frames(), "1000");
  Calls(500);
  form->Hide();  // the first scan ends halfway to the next step
  form->SetProgress(100);
  form->Show();
  form->SetProgress(0);
  Calls(500);  // 3006
  EXPECT_EQ(Frames(), "0100");
  Calls(1002);  // 4008
  EXPECT_EQ(Frames(), "0010");
  Calls(1002);  // 5010
  EXPECT_EQ(Frames(), "0001");
  Calls(1001);
  EXPECT_EQ(Frames(), "0001");
  Calls(1);  // 6012
  EXPECT_EQ(Frames(), "1000");
  EXPECT_EQ(form->AnimPhase, 1);
}

TEST_F(WaitFormTest, StopSetsTheFlagAndRestartsTheAnimationAtFrameOne) {
  form->Show();
  Calls(3 * 1002);  // Image2 showing
  Calls(400);
  ASSERT_EQ(Frames(), "0100");
  static_cast<QAbstractButton*>(WidgetOf(*form->Button1))->click();
  EXPECT_EQ(StopRequested, 1);
  EXPECT_TRUE(form->Visible());  // the driver hides it, not Stop
  EXPECT_EQ(Frames(), "1000");
  EXPECT_EQ(form->AnimPhase, 0);
  EXPECT_EQ(form->CallCount, 0);
  Calls(1002);
  EXPECT_EQ(Frames(), "1000");
  EXPECT_EQ(form->AnimPhase, 1);
  Calls(1001);
  EXPECT_EQ(Frames(), "1000");
  Calls(1);
  EXPECT_EQ(Frames(), "0100");
}

TEST_F(WaitFormTest, EnterPressesStop) {
  form->Show();
  Pump(20);
  SendKey(WindowOf(*form), Qt::Key_Return);
  EXPECT_EQ(StopRequested, 1);
  EXPECT_EQ(Frames(), "1000");
  EXPECT_EQ(form->AnimPhase, 0);
}

TEST_F(WaitFormTest, ShowFolderNameCopiesTheSourcesPath) {
  form->ShowFolderName();  // no source yet
  EXPECT_EQ(form->FolderLabel->Caption(), "");
  std::string path = "/srv/data/a very long folder name/";
  form->FolderPathSource = [&] { return path; };
  form->ShowFolderName();
  EXPECT_EQ(form->FolderLabel->Caption(), "/srv/data/a very long folder name/");
  path.clear();
  form->ShowFolderName();
  EXPECT_EQ(form->FolderLabel->Caption(), "");
}

}  // namespace
}  // namespace dialogs_test
