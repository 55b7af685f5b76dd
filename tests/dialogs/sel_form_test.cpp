// The folder selection dialog: its results for OK, Cancel, the close box, Enter and Esc, that
// a single click is no choice, SelectedFolder's form, the shortened label and the priming
// helper of the Open command.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <filesystem>
#include <memory>

#include "DialogTesting.h"
#include "dialogs/SelUnit.h"
#include "platform/Backend.h"

namespace dialogs_test {
namespace {

class SelFormTest : public ::testing::Test {
 protected:
  void SetUp() override { form = std::make_unique<TSelForm>(ref); }
  void Click(platform::TButton* button) {
    static_cast<QAbstractButton*>(WidgetOf(*button))->click();
  }
  QListWidget* List() { return static_cast<QListWidget*>(WidgetOf(*form->DirectoryListBox1)); }

  TempTree tree;
  TSelForm* ref = nullptr;
  std::unique_ptr<TSelForm> form;
};

TEST_F(SelFormTest, OpensAtTheWorkingDirectoryWithTheLabelSet) {
  EXPECT_EQ(ref, form.get());
  EXPECT_FALSE(form->Visible());
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(form->SelectedFolder(), cwd);
  EXPECT_FALSE(form->DirLabel->Caption().empty());
  EXPECT_EQ(form->DriveComboBox1->DirList(), form->DirectoryListBox1);
  EXPECT_EQ(form->DriveComboBox1->Drive().empty(), false);
}

TEST_F(SelFormTest, OkGivesOneCancelCloseBoxAndAltF4GiveTwo) {
  Later(20, [&] { Click(form->OkButton); });
  EXPECT_EQ(form->ShowModal(), platform::mrOk);
  EXPECT_FALSE(form->Visible());

  // The window's focus widget, which needs no active window on the offscreen platform.
  QWidget* cancelFocusedBefore = nullptr;
  QWidget* focusedAfter = nullptr;
  Later(20, [&] {
    form->Button2->SetFocus();
    cancelFocusedBefore = WindowOf(*form)->focusWidget();
    Click(form->Button2);
    focusedAfter = WindowOf(*form)->focusWidget();
  });
  EXPECT_EQ(form->ShowModal(), platform::mrCancel);
  EXPECT_EQ(cancelFocusedBefore, WidgetOf(*form->Button2));
  EXPECT_EQ(focusedAfter, WidgetOf(*form->OkButton));

  // The close box and Alt+F4 both reach the window as a close request.
  Later(20, [&] { WindowOf(*form)->close(); });
  EXPECT_EQ(form->ShowModal(), platform::mrCancel);
}

TEST_F(SelFormTest, EnterPressesOkEvenInTheListButCancelWhenItHasTheFocusAndEscDoesNothing) {
  Later(20, [&] { SendKey(List(), Qt::Key_Return); });
  EXPECT_EQ(form->ShowModal(), platform::mrOk);

  Later(20, [&] {
    form->Button2->SetFocus();
    SendKey(WidgetOf(*form->Button2), Qt::Key_Return);
  });
  EXPECT_EQ(form->ShowModal(), platform::mrCancel);

  bool openAfterEsc = false;
  Later(20, [&] {
    SendKey(List(), Qt::Key_Escape);
    SendKey(WindowOf(*form), Qt::Key_Escape);
  });
  Later(80, [&] {
    openAfterEsc = form->Visible() && form->ModalResult() == platform::mrNone;
    Click(form->OkButton);
  });
  EXPECT_EQ(form->ShowModal(), platform::mrOk);
  EXPECT_TRUE(openAfterEsc);
}

TEST_F(SelFormTest, ASingleClickOnlyHighlightsADoubleClickOpens) {
  const std::string start = tree.Folder("start");
  tree.Folder("start/inner");
  form->PrimeFolder(start);
  auto& list = *form->DirectoryListBox1;
  const int inner = list.PathLineCount();
  ASSERT_EQ(list.LineFolder(inner), start + "/inner");

  Later(20, [&] {
    List()->setCurrentRow(inner);  // what a click does
    SendKey(List(), Qt::Key_Return);
  });
  EXPECT_EQ(form->ShowModal(), platform::mrOk);
  EXPECT_EQ(form->SelectedFolder(), start);

  Later(20, [&] {
    emit List()->itemDoubleClicked(List()->item(inner));
    Click(form->OkButton);
  });
  EXPECT_EQ(form->ShowModal(), platform::mrOk);
  EXPECT_EQ(form->SelectedFolder(), start + "/inner");
  EXPECT_EQ(form->DirLabel->Caption(), start + "/inner");
}

TEST_F(SelFormTest, SelectedFolderKeepsTheRootsSeparatorOnly) {
  const std::string data = tree.Folder("Data/Photos");
  const struct {
    std::string primed, selected;
  } cases[] = {{"/", "/"}, {data + "/", data}, {data, data}, {data + "/../Photos/", data}};
  for (const auto& c : cases) {
    form->PrimeFolder(c.primed);
    EXPECT_EQ(form->SelectedFolder(), c.selected) << c.primed;
  }
}

TEST_F(SelFormTest, ALongPathIsShortenedInTheLabelButWholeInSelectedFolder) {
  std::string relative;
  for (int i = 0; i < 8; ++i) relative += "folder number " + std::to_string(i) + " of a long path/";
  const std::string deep = tree.Folder(relative + "last one");
  form->PrimeFolder(deep);
  EXPECT_EQ(form->SelectedFolder(), deep);
  const std::string shown = form->DirLabel->Caption();
  EXPECT_EQ(shown.rfind("/.../", 0), 0u) << shown;
  EXPECT_TRUE(shown.ends_with("/of a long path/last one") || shown.ends_with("/last one")) << shown;
  EXPECT_LT(shown.size(), deep.size());
  int width = 0, height = 0;
  platform::CurrentBackend().MeasureText(form->DirLabel->Font(), shown, width, height);
  EXPECT_LE(width, 393);
}

TEST_F(SelFormTest, PrimingWithAGoneFolderOpensItsNearestExistingParent) {
  const std::string kept = tree.Folder("kept");
  const std::string gone = tree.Folder("kept/gone/deeper");
  std::filesystem::remove_all(tree.Root() / "kept" / "gone");
  form->PrimeFolder(gone + "/");
  EXPECT_EQ(form->SelectedFolder(), kept);

  form->PrimeFolder("");  // nothing remembered: the list stays
  EXPECT_EQ(form->SelectedFolder(), kept);

  // After a failed priming the dialog still works.
  Later(20, [&] { Click(form->OkButton); });
  EXPECT_EQ(form->ShowModal(), platform::mrOk);
  EXPECT_EQ(form->SelectedFolder(), kept);
}

}  // namespace
}  // namespace dialogs_test
