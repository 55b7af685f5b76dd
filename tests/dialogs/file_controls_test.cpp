// The directory list, the drive selector, the label shortening and the mount-table reading.
#include <gtest/gtest.h>

#include <QComboBox>
#include <filesystem>
#include <memory>

#include "DialogTesting.h"
#include "platform/Drives.h"
#include "platform/FileCtrl.h"

namespace dialogs_test {
namespace {

constexpr const char* kControlsForm = R"({
  "Name": "Controls", "ClientWidth": 400, "ClientHeight": 300,
  "Components": [
    {"Kind": "TLabel", "Name": "Shown", "Left": 0, "Top": 0, "Width": 390, "Height": 20,
     "AutoSize": false},
    {"Kind": "TDirectoryListBox", "Name": "Dirs", "Left": 0, "Top": 30, "Width": 390,
     "Height": 150, "DirLabel": "Shown", "ItemHeight": 16},
    {"Kind": "TDriveComboBox", "Name": "Drives", "Left": 0, "Top": 200, "Width": 200,
     "Height": 20, "DirList": "Dirs"}
  ]})";

class ControlsForm : public platform::TForm {
 public:
  explicit ControlsForm(ControlsForm*& self) : TForm(self) {
    platform::RegisterFileControls();
    LoadDescriptionText(kControlsForm, "controls test form");
    DoCreate();
  }
  ~ControlsForm() override { DoDestroy(); }
};

class FileControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<ControlsForm>(ref);
    dirs = &form->Component<platform::TDirectoryListBox>("Dirs");
    drives = &form->Component<platform::TDriveComboBox>("Drives");
    label = &form->Component<platform::TLabel>("Shown");
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const auto& line : dirs->Lines()) t.push_back(line.Text);
    return t;
  }

  TempTree tree;
  ControlsForm* ref = nullptr;
  std::unique_ptr<ControlsForm> form;
  platform::TDirectoryListBox* dirs = nullptr;
  platform::TDriveComboBox* drives = nullptr;
  platform::TLabel* label = nullptr;
};

TEST_F(FileControlsTest, TheListShowsThePathThenTheSortedSubFoldersOnly) {
  const std::string top = tree.Folder("top");
  tree.Folder("top/zeta");
  tree.Folder("top/Alpha beta");
  tree.Folder("top/mid");
  tree.File("top/a file");
  std::filesystem::create_directory_symlink(tree.Root() / "top" / "zeta",
                                            tree.Root() / "top" / "link to zeta");
  dirs->SetDirectory(top);

  std::vector<std::string> expected{"/"};
  for (const auto& part : std::filesystem::path(top).relative_path()) expected.push_back(part);
  const int pathLines = static_cast<int>(expected.size());
  for (const char* sub : {"Alpha beta", "mid", "zeta"}) expected.push_back(sub);
  EXPECT_EQ(Texts(), expected);
  EXPECT_EQ(dirs->PathLineCount(), pathLines);
  EXPECT_EQ(dirs->ItemIndex(), pathLines - 1);  // the current folder is highlighted
  EXPECT_EQ(dirs->LineFolder(0), "/");
  EXPECT_EQ(dirs->LineFolder(pathLines - 2), tree.Root().string());
  EXPECT_EQ(dirs->LineFolder(pathLines), top + "/Alpha beta");
  for (const auto& line : dirs->Lines()) EXPECT_NE(line.Glyph, nullptr);

  dirs->OpenLine(pathLines - 2);  // up to the parent
  EXPECT_EQ(dirs->Directory(), tree.Root().string());
  EXPECT_EQ(label->Caption(), tree.Root().string());
}

TEST_F(FileControlsTest, AFolderThatCantBeOpenedRaisesAndChangesNothing) {
  const std::string here = tree.Folder("here");
  dirs->SetDirectory(here);
  const auto lines = Texts();
  const std::string missing = tree.Root().string() + "/not there";
  try {
    dirs->SetDirectory(missing);
    FAIL() << "no exception";
  } catch (const platform::Exception& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
  }
  tree.File("a file");
  EXPECT_THROW(dirs->SetDirectory(tree.Root().string() + "/a file"), platform::Exception);
  EXPECT_EQ(dirs->Directory(), here);
  EXPECT_EQ(Texts(), lines);
  EXPECT_EQ(label->Caption(), here);
}

TEST_F(FileControlsTest, ChoosingADriveOpensItOrReportsAndStays) {
  const std::string mounted = tree.Folder("mounted");
  const std::string gone = tree.Root().string() + "/unplugged/";
  drives->SetDrives({"/", mounted + "/", gone});
  dirs->SetDirectory(tree.Folder("mounted/inside"));
  EXPECT_EQ(drives->Drive(), mounted + "/");  // the longest root that holds the folder

  auto* combo = static_cast<QComboBox*>(WidgetOf(*drives));
  emit combo->activated(0);  // the user picks "/"
  EXPECT_EQ(dirs->Directory(), "/");
  EXPECT_EQ(drives->ItemIndex(), 0);

  ReportRecorder reports;
  combo->setCurrentIndex(2);
  emit combo->activated(2);
  ASSERT_EQ(reports.messages.size(), 1u);
  EXPECT_NE(reports.messages[0].find(gone), std::string::npos) << reports.messages[0];
  EXPECT_EQ(dirs->Directory(), "/");
  EXPECT_EQ(drives->ItemIndex(), 0);
  EXPECT_EQ(combo->currentIndex(), 0);
}

TEST(ShortenPathTest, DropsLeadingFoldersAfterTheRootUntilItFits) {
  const auto chars = [](const std::string& s) { return static_cast<int>(s.size()); };
  const struct {
    std::string path;
    int width;
    std::string shown;
  } cases[] = {
      {"/aa/bb/cc/dd", 12, "/aa/bb/cc/dd"},  // fits
      {"/aa/bb/cc/dd", 13, "/aa/bb/cc/dd"},
      {"/aa/bb/cc/dd", 11, "/.../cc/dd"},
      {"/aaaa/bb/cc/dd", 13, "/.../bb/cc/dd"},
      {"/aa/bb/cc/dd", 3, "/.../dd"},  // the last folder stays, whatever the width
      {"/abcdefgh", 3, "/abcdefgh"},   // nothing to drop
      {"/", 0, "/"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(platform::ShortenPathForWidth(c.path, c.width, chars), c.shown)
        << c.path << " in " << c.width;
}

TEST(DrivesTest, TheMountTableGivesRootFirstWithoutPseudoFileSystems) {
  const char* table =
      "sysfs /sys sysfs rw 0 0\n"
      "proc /proc proc rw 0 0\n"
      "/dev/sda2 /home ext4 rw 0 0\n"
      "/dev/sda1 / ext4 rw 0 0\n"
      "tmpfs /proc/acpi tmpfs ro 0 0\n"
      "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
      "systemd-1 /proc/sys/fs/binfmt_misc autofs rw 0 0\n"
      "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
      "overlay /var/lib/containers/x/merged overlay rw 0 0\n"
      "devpts /dev/pts devpts rw 0 0\n"
      "/dev/sda2 /home ext4 rw 0 0\n"
      "tmpfs /run tmpfs rw 0 0\n"
      "\n";
  EXPECT_EQ(platform::DrivesFromMountTable(table),
            (std::vector<std::string>{"/", "/home/", "/media/usb stick/", "/run/"}));
  EXPECT_EQ(platform::DrivesFromMountTable("overlay / overlay rw 0 0\n"),
            std::vector<std::string>{"/"});
}

TEST(DrivesTest, TheSystemsDrivesStartAtRootAndLeaveOutProc) {
  const std::vector<std::string> drives = platform::ListDrives();
  ASSERT_FALSE(drives.empty());
  EXPECT_EQ(drives.front(), "/");
  for (const std::string& d : drives) {
    EXPECT_EQ(d.back(), '/') << d;
    EXPECT_NE(d.rfind("/proc/", 0), 0u) << d;
    EXPECT_NE(d.rfind("/sys/", 0), 0u) << d;
  }
}

}  // namespace
}  // namespace dialogs_test
