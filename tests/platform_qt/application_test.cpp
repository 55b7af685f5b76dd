// The application object: CreateForm's order, the main form and Run, exceptions during
// creation, ProcessMessages' throttling.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <chrono>

#include "TestForm.h"
#include "platform/Application.h"
#include "platform/Backend.h"

namespace platform::testing {
namespace {

class MainForm;
MainForm* TheMain = nullptr;
std::vector<std::string> Events;
std::string Saved;  // what the creation handler "loads", read by the fields afterwards

class MainForm : public TForm {
 public:
  explicit MainForm(MainForm*& self) : TForm(self) {
    RegisterHandler("FormCreate", [this](TObject*) {
      Events.push_back(TheMain == this && Application->MainForm() == this ? "create sees itself"
                                                                          : "create sees nothing");
      Saved = "/loaded/";
      Path = "written by create";  // overwritten below, as the fields come last
      throw Exception("settings unreadable");
    });
    RegisterHandler("FormDestroy",
                    [this](TObject*) { Events.push_back("destroy, path '" + Path + "'"); });
    RegisterCloseHandler("FormClose", [this](TObject*, TCloseAction& action) {
      Events.push_back("close");
      if (refuse-- > 0) action = caNone;
    });
    LoadDescriptionText(R"({"Name": "MainForm", "Caption": "Main", "ClientWidth": 100,
        "ClientHeight": 50, "Events": {"OnCreate": "FormCreate", "OnDestroy": "FormDestroy",
        "OnClose": "FormClose"}})",
                        "main form");
    DoCreate();
    Path = Saved;
  }
  ~MainForm() override {
    Path.clear();
    DoDestroy();
  }
  std::string Path;
  int refuse = 1;
};

class SecondForm : public TForm {
 public:
  explicit SecondForm(SecondForm*& self) : TForm(self) {
    LoadDescriptionText(R"({"Name": "SecondForm"})", "second form");
  }
};

TEST(ApplicationTest, CreateFormRunAndDestroyInTheirOrder) {
  ReportRecorder reports;
  Application->Initialize();
  Application->SetTitle("Ombrelith");
  Application->CreateForm(TheMain);
  ASSERT_NE(TheMain, nullptr);
  EXPECT_EQ(Application->MainForm(), TheMain);
  EXPECT_EQ(Events, std::vector<std::string>{"create sees itself"});
  ASSERT_EQ(reports.messages, std::vector<std::string>{"settings unreadable"});
  EXPECT_EQ(reports.titles[0], "Ombrelith");
  EXPECT_EQ(TheMain->Path, "/loaded/");

  SecondForm* second = nullptr;
  Application->CreateForm(second);  // not the main form
  EXPECT_EQ(Application->MainForm(), TheMain);
  EXPECT_FALSE(second->Visible());

  // The first close is refused, the second ends Run.
  QTimer::singleShot(20, [] {
    EXPECT_TRUE(TheMain->Visible());
    TheMain->Close();
  });
  QTimer::singleShot(60, [] { qt::WindowOf(TheMain->Peer())->close(); });
  const auto start = std::chrono::steady_clock::now();
  Application->Run();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(Events, (std::vector<std::string>{"create sees itself", "close", "close"}));

  Application->DestroyForms();
  EXPECT_EQ(Events.back(), "destroy, path ''");
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(ApplicationTest, ProcessMessagesSkipsBetweenDispatchesButLosesNothing) {
  using Clock = std::chrono::steady_clock;
  bool ran = false;
  Application->ProcessMessages();
  QTimer::singleShot(0, [&] { ran = true; });
  const auto deadline = Clock::now() + std::chrono::milliseconds(500);
  while (!ran && Clock::now() < deadline) Application->ProcessMessages();
  EXPECT_TRUE(ran);

  // A zero-interval timer fires once per real dispatch: many calls, few dispatches.
  int dispatches = 0;
  QTimer every;
  QObject::connect(&every, &QTimer::timeout, [&] { ++dispatches; });
  every.start(0);
  const auto start = Clock::now();
  for (int i = 0; i < 200000; ++i) Application->ProcessMessages();
  const auto elapsed = Clock::now() - start;
  every.stop();
  const long allowed = elapsed / TApplication::kPumpInterval + 2;
  EXPECT_GT(dispatches, 0);
  EXPECT_LE(dispatches, allowed)
      << "elapsed " << std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()
      << " ms";
}

}  // namespace
}  // namespace platform::testing

namespace platform::testing {
namespace {

TEST(ApplicationTest, ShowExceptionShowsAMessageBoxThatEnterDismisses) {
  Application->SetTitle("Ombrelith");
  QString title, text;
  QTimer::singleShot(30, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    for (QLabel* label : box->findChildren<QLabel*>())
      if (label->text().contains("disk")) text = label->text();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
  });
  QTimer guard;  // closes any box left open, so a failure cannot hang the test
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] {
    if (QWidget* w = QApplication::activeModalWidget()) w->close();
  });
  guard.start(3000);
  Application->ShowException(Exception("disk unreadable"));
  EXPECT_TRUE(guard.isActive()) << "the box was not dismissed by Enter";
  EXPECT_EQ(title, "Ombrelith");
  EXPECT_EQ(text, "disk unreadable");
}

TEST(ApplicationTest, TheJapaneseFaceIsSubstitutedWhereItIsMissing) {
  if (!QFontDatabase::families().contains("IPAPGothic")) GTEST_SKIP() << "IPAPGothic missing";
  CurrentBackend();
  EXPECT_EQ(QFontInfo(qt::ToQFont(TFont())).family(), "IPAPGothic");
  EXPECT_EQ(QFontInfo(qt::ToQFont(TFont())).pixelSize(), 12);
}

}  // namespace
}  // namespace platform::testing
