// The Qt help window on the compiled help file, driven through HtmlHelp as the main window
// drives it. Runs with QT_QPA_PLATFORM=offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <cstdint>
#include <fstream>
#include <memory>
#include <vector>

#include "TempFolder.h"
#include "platform/Help.h"
#include "platform/qt/HelpViewer.h"

namespace {

using platform::HtmlHelp;
using platform::qt::HelpViewer;

std::vector<HelpViewer*> HelpWindows() {
  std::vector<HelpViewer*> windows;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* viewer = dynamic_cast<HelpViewer*>(widget)) windows.push_back(viewer);
  return windows;
}

// Where the link to `href` lies in the browser's viewport, scrolled into view.
QPoint LinkPosition(QTextBrowser* browser, const QString& href) {
  for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isAnchor() || fragment.charFormat().anchorHref() != href) continue;
      QTextCursor cursor(browser->document());
      cursor.setPosition(fragment.position() + 1);
      browser->setTextCursor(cursor);
      browser->ensureCursorVisible();
      return browser->cursorRect(cursor).center();
    }
  }
  return {-1, -1};
}

// Defined before the fixture's tests so that it runs while no QApplication exists.
TEST(HelpWithoutApplication, ShowsNothingAndDoesNotFail) {
  ASSERT_EQ(QCoreApplication::instance(), nullptr);
  EXPECT_EQ(HtmlHelp(0, OMBRELITH_HELP_FILE, platform::HH_DISPLAY_TOPIC, 0), 0u);
  EXPECT_NE(HtmlHelp(0, nullptr, platform::HH_CLOSE_ALL, 0), 0u);
}

class HelpViewerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { app_ = std::make_unique<QApplication>(argc_, argv_); }
  static void TearDownTestSuite() { app_.reset(); }

  void TearDown() override {
    HtmlHelp(0, nullptr, platform::HH_CLOSE_ALL, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  static unsigned ShowHelp(const char* file) {
    return HtmlHelp(0, file, platform::HH_DISPLAY_TOPIC, 0);
  }

  static inline int argc_ = 1;
  static inline char name_[] = "help_viewer_test";
  static inline char* argv_[] = {name_, nullptr};
  static inline std::unique_ptr<QApplication> app_;
};

TEST_F(HelpViewerTest, DefaultTopicOpensInOneTitledWindow) {
  EXPECT_NE(ShowHelp(OMBRELITH_HELP_FILE), 0u);
  std::vector<HelpViewer*> windows = HelpWindows();
  ASSERT_EQ(windows.size(), 1u);
  HelpViewer* viewer = windows.front();
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_EQ(viewer->windowTitle(), "Ombrelith Help");
  EXPECT_EQ(viewer->Browser()->source().path(), "/index.html");
  EXPECT_TRUE(viewer->Browser()->toPlainText().contains(
      "Ombrelith shows where the disk space inside a folder goes"));

  // Asking again reuses the window and brings back the default topic.
  viewer->Browser()->setSource(HelpViewer::UrlOf("/menu.html"));
  EXPECT_NE(ShowHelp(OMBRELITH_HELP_FILE), 0u);
  EXPECT_EQ(HelpWindows().size(), 1u);
  EXPECT_EQ(viewer->Browser()->source().path(), "/index.html");
}

TEST_F(HelpViewerTest, ClickingALinkShowsTheLinkedPageFromTheFile) {
  ASSERT_NE(ShowHelp(OMBRELITH_HELP_FILE), 0u);
  ASSERT_EQ(HelpWindows().size(), 1u);
  HelpViewer* viewer = HelpWindows().front();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
  QTextBrowser* browser = viewer->Browser();

  const QPoint link = LinkPosition(browser, "chart.html");
  ASSERT_GE(link.x(), 0) << "no link to chart.html on the default topic";
  QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, link);
  EXPECT_EQ(browser->source().path(), "/chart.html");
  EXPECT_TRUE(browser->toPlainText().contains("Bands and columns"));
  EXPECT_TRUE(browser->toPlainText().contains("name : size"))
      << browser->toPlainText().toStdString();

  // The page's relative link back leads home again.
  const QPoint back = LinkPosition(browser, "index.html");
  ASSERT_GE(back.x(), 0);
  QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, back);
  EXPECT_EQ(browser->source().path(), "/index.html");
}

TEST_F(HelpViewerTest, PagesLoadTheirStyleSheetFromTheFile) {
  ASSERT_NE(ShowHelp(OMBRELITH_HELP_FILE), 0u);
  QTextBrowser* browser = HelpWindows().front()->Browser();
  // The document keeps what it loaded while laying out the page.
  const QVariant sheet =
      browser->document()->resource(QTextDocument::StyleSheetResource, QUrl("chm:/help.css"));
  EXPECT_TRUE(sheet.toByteArray().contains("font-family"));
  // Nothing outside the file is read, however a page names it.
  EXPECT_FALSE(
      browser->loadResource(QTextDocument::HtmlResource, QUrl("file:///etc/hostname")).isValid());
  EXPECT_FALSE(
      browser->loadResource(QTextDocument::HtmlResource, QUrl("chm:/missing.html")).isValid());
}

TEST_F(HelpViewerTest, CloseAllClosesAndDeletesEveryHelpWindow) {
  ASSERT_NE(ShowHelp(OMBRELITH_HELP_FILE), 0u);
  ASSERT_EQ(HelpWindows().size(), 1u);
  HtmlHelp(0, nullptr, platform::HH_CLOSE_ALL, 0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(HelpWindows().empty());

  // A window the user closed is gone too, and the next request opens a new one.
  ASSERT_NE(ShowHelp(OMBRELITH_HELP_FILE), 0u);
  HelpWindows().front()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(HelpWindows().empty());
  EXPECT_NE(ShowHelp(OMBRELITH_HELP_FILE), 0u);
  EXPECT_EQ(HelpWindows().size(), 1u);
}

TEST_F(HelpViewerTest, MissingOrUnreadableFileOpensNothing) {
  TempFolder folder;
  const std::string garbage = folder.Write("garbage.chm", std::string(4096, 'g')).string();
  const std::string empty = folder.Write("empty.chm", "").string();
  std::string head(1024, '\0');
  std::ifstream(OMBRELITH_HELP_FILE, std::ios::binary).read(head.data(), head.size());
  const std::string truncated = folder.Write("truncated.chm", head).string();
  const std::string missing = (folder.Path() / "Ombrelith.chm").string();
  const std::string directory = folder.Path().string();
  for (const char* file : {missing.c_str(), garbage.c_str(), empty.c_str(), truncated.c_str(),
                           directory.c_str(), "", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(file ? file : "(null)");
    unsigned result = 1;
    EXPECT_NO_THROW(result = ShowHelp(file));
    EXPECT_EQ(result, 0u);
    EXPECT_TRUE(HelpWindows().empty());
  }
}

TEST_F(HelpViewerTest, InitializeStoresACookieThatUninitializeTakesBack) {
  std::uint32_t cookie = 0;
  EXPECT_NE(
      HtmlHelp(0, nullptr, platform::HH_INITIALIZE, reinterpret_cast<std::uintptr_t>(&cookie)), 0u);
  EXPECT_NE(cookie, 0u);
  EXPECT_EQ(HtmlHelp(0, nullptr, platform::HH_UNINITIALIZE, cookie + 1), 0u);
  EXPECT_NE(HtmlHelp(0, nullptr, platform::HH_UNINITIALIZE, cookie), 0u);
  EXPECT_EQ(HtmlHelp(0, nullptr, platform::HH_UNINITIALIZE, cookie), 0u);
  EXPECT_EQ(HtmlHelp(0, nullptr, platform::HH_INITIALIZE, 0), 0u);
}

}  // namespace
