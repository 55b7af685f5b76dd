// Forms built from descriptions: settings, events bound by name, input through the real
// widgets, Enter and the default button, modal loops, repaints.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "TestForm.h"
#include "platform/Application.h"
#include "platform/Bitmap.h"
#include "platform/FormDescription.h"
#include "platform/Menus.h"
#include "platform/Timer.h"

namespace platform::testing {
namespace {

QMainWindow* WindowOfForm(TCustomForm& form) {
  return static_cast<QMainWindow*>(qt::WindowOf(form.Peer()));
}

QAction* FindAction(QWidget* root, const QString& text) {
  for (QAction* a : root->findChildren<QAction*>())
    if (a->text() == text) return a;
  return nullptr;
}

// A form with the main window's description and every handler it names.
class MainLikeForm : public TForm {
 public:
  explicit MainLikeForm(MainLikeForm*& self) : TForm(self) {
    for (const char* name :
         {"Exit1Click", "Open1Click", "FormPaint", "About1Click", "Timer1Timer", "Contents1Click",
          "FormDestroy", "FormCreate", "OpenButton1Click", "AboutButtonClick"})
      RegisterHandler(name, [this, name](TObject*) { calls.push_back(name); });
    RegisterCloseHandler("FormClose",
                         [this](TObject*, TCloseAction&) { calls.push_back("FormClose"); });
    RegisterMouseHandler("PaintBox1MouseDown",
                         [this](TObject*, TMouseButton b, TShiftState s, int x, int y) {
                           presses.push_back({b, s, x, y});
                         });
    LoadDescription("DuForm");
    DoCreate();
  }
  ~MainLikeForm() override { DoDestroy(); }
  struct Press {
    TMouseButton button;
    TShiftState shift;
    int x, y;
  };
  std::vector<std::string> calls;
  std::vector<Press> presses;
};

TEST(FormsTest, MainWindowDescriptionBuildsItsSettingsAndComponents) {
  MainLikeForm* ref = nullptr;
  auto form = std::make_unique<MainLikeForm>(ref);
  EXPECT_EQ(ref, form.get());
  EXPECT_EQ(form->calls, std::vector<std::string>{"FormCreate"});
  EXPECT_EQ(form->Caption(), "Ombrelith");
  EXPECT_EQ(form->ClientWidth(), 538);
  EXPECT_EQ(form->ClientHeight(), 531);
  EXPECT_EQ(form->Color(), clBlack);
  EXPECT_EQ(form->BorderIcons(), biSystemMenu | biMaximize);
  EXPECT_EQ(form->BorderStyle(), bsSizeable);
  EXPECT_EQ(form->Font().Height, -12);
  EXPECT_EQ(form->Font().Charset, SHIFTJIS_CHARSET);
  EXPECT_EQ(form->Font().Name, TFont().Name);

  auto& tool = form->Component<TToolBar>("ToolBar1");
  auto& box1 = form->Component<TPaintBox>("PaintBox1");
  auto& box2 = form->Component<TPaintBox>("PaintBox2");
  EXPECT_EQ((TRect{tool.Left(), tool.Top(), tool.Width(), tool.Height()}), (TRect{0, 0, 538, 41}));
  for (TPaintBox* box : {&box1, &box2}) {
    EXPECT_EQ((TRect{box->Left(), box->Top(), box->Width(), box->Height()}),
              (TRect{0, 41, 538, 490}));
    EXPECT_EQ(box->Canvas().Surface().SurfaceWidth(), 538);
    EXPECT_EQ(box->Color(), clBlack);
  }
  auto& open = form->Component<TSpeedButton>("OpenButton1");
  auto& about = form->Component<TSpeedButton>("AboutButton");
  EXPECT_EQ(open.Parent(), &tool);
  EXPECT_EQ(open.Hint(), "Open");
  EXPECT_EQ((TRect{about.Left(), about.Top(), about.Width(), about.Height()}),
            (TRect{33, 0, 33, 41}));
  auto& timer = form->Component<TTimer>("Timer1");
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 100u);
  EXPECT_EQ(form->Component<TMenuItem>("Exit1").Caption(), "E&xit");
  EXPECT_TRUE(form->Component<TMenuItem>("N2").IsSeparator());
  EXPECT_EQ(form->FindComponent<TLabel>("PaintBox1"), nullptr);  // wrong kind

  // Both paint boxes follow the client area.
  form->SetClientWidth(600);
  form->SetClientHeight(400);
  EXPECT_EQ(box1.Width(), 600);
  EXPECT_EQ(box1.Height(), 359);
  EXPECT_EQ(box2.Height(), 359);
  EXPECT_EQ(tool.Width(), 600);
  EXPECT_EQ(box1.Canvas().Surface().SurfaceHeight(), 359);
}

TEST(FormsTest, MenuItemsAndToolbarButtonsRunTheirHandlers) {
  MainLikeForm* ref = nullptr;
  auto form = std::make_unique<MainLikeForm>(ref);
  QMainWindow* window = WindowOfForm(*form);
  QStringList bar;
  for (QAction* a : window->menuBar()->actions()) bar << a->text();
  EXPECT_EQ(bar, (QStringList{"&File", "&Help"}));
  form->calls.clear();
  FindAction(window, "E&xit")->trigger();
  FindAction(window, "&About...")->trigger();
  static_cast<QAbstractButton*>(qt::WidgetOf(form->Component<TSpeedButton>("OpenButton1").Peer()))
      ->click();
  EXPECT_EQ(form->calls,
            (std::vector<std::string>{"Exit1Click", "About1Click", "OpenButton1Click"}));
  // A disabled item or button runs nothing.
  form->calls.clear();
  form->Component<TMenuItem>("File1").SetEnabled(false);
  EXPECT_FALSE(FindAction(window, "&File")->isEnabled());
  form->Component<TSpeedButton>("OpenButton1").SetEnabled(false);
  static_cast<QAbstractButton*>(qt::WidgetOf(form->Component<TSpeedButton>("OpenButton1").Peer()))
      ->click();
  EXPECT_TRUE(form->calls.empty());
}

TEST(FormsTest, SpeedButtonsDrawTheirGlyphsUnscaledAndCentred) {
  MainLikeForm* ref = nullptr;
  auto form = std::make_unique<MainLikeForm>(ref);
  struct Case {
    const char* button;
    const char* glyph;
  };
  for (const Case& c :
       {Case{"AboutButton", "about_glyph.bmp"}, Case{"OpenButton1", "open_glyph.bmp"}}) {
    const TBitmapData glyph = WithTransparentCorner(EmbeddedImage(c.glyph));
    QWidget* button = qt::WidgetOf(form->Component<TSpeedButton>(c.button).Peer());
    ASSERT_EQ(button->size(), QSize(33, 41));
    const QImage shown = button->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const int left = (33 - glyph.Width) / 2, top = (41 - glyph.Height) / 2;
    for (int y = 0; y < glyph.Height; ++y)
      for (int x = 0; x < glyph.Width; ++x) {
        const std::uint32_t want = glyph.Pixels[y * glyph.Width + x];
        if (want == 0) continue;  // transparent: the toolbar shows
        ASSERT_EQ(shown.pixel(left + x, top + y) | 0xFF000000u, want)
            << c.button << " at " << x << "," << y;
      }
  }
}

TEST(FormsTest, PaintBoxReportsEveryButtonAndTheDoubleClickAsAPressOfItsOwn) {
  MainLikeForm* ref = nullptr;
  auto form = std::make_unique<MainLikeForm>(ref);
  QWidget* box = qt::WidgetOf(form->Component<TPaintBox>("PaintBox1").Peer());
  auto send = [&](QEvent::Type type, Qt::MouseButton b, QPointF at) {
    QMouseEvent e(type, at, box->mapToGlobal(at), b, b, Qt::ShiftModifier);
    QApplication::sendEvent(box, &e);
  };
  send(QEvent::MouseButtonPress, Qt::LeftButton, {30, 40});
  send(QEvent::MouseButtonDblClick, Qt::LeftButton, {30, 40});
  send(QEvent::MouseButtonPress, Qt::RightButton, {5, 6});
  ASSERT_EQ(form->presses.size(), 3u);
  EXPECT_EQ(form->presses[0].button, mbLeft);
  EXPECT_EQ(form->presses[0].shift & ssDouble, 0u);
  EXPECT_NE(form->presses[0].shift & ssShift, 0u);
  EXPECT_EQ(form->presses[0].x, 30);
  EXPECT_EQ(form->presses[0].y, 40);
  EXPECT_NE(form->presses[1].shift & ssDouble, 0u);
  EXPECT_EQ(form->presses[2].button, mbRight);
  EXPECT_EQ(form->presses[2].x, 5);
}

TEST(FormsTest, RefreshErasesTheBoxesAndRunsOnPaintBeforeReturning) {
  int paints = 0;
  QRgb underPaint = 0;
  auto form = MakeForm(R"({"Name": "P", "ClientWidth": 20, "ClientHeight": 20,
      "Events": {"OnPaint": "FormPaint"},
      "Components": [{"Kind": "TPaintBox", "Name": "Box", "Width": 20, "Height": 20,
                      "Color": "clGreen"}]})",
                       [&](TestForm& f) {
                         f.RegisterHandler("FormPaint", [&, pf = &f](TObject*) {
                           ++paints;
                           auto& box = pf->Component<TPaintBox>("Box");
                           underPaint =
                               qt::ImageOf(static_cast<PaintBoxPeer&>(box.Peer())).pixel(3, 3);
                           box.Canvas().Brush.Color = clRed;
                           box.Canvas().FillRect(TRect{0, 0, 2, 2});
                         });
                       });
  auto& box = form->Component<TPaintBox>("Box");
  box.Canvas().Brush.Color = clWhite;
  box.Canvas().FillRect(TRect{0, 0, 20, 20});
  form->Refresh();
  EXPECT_EQ(paints, 1);
  EXPECT_EQ(underPaint, qRgb(0, 128, 0));
  const QImage shown = qt::WidgetOf(box.Peer())->grab().toImage();
  EXPECT_EQ(shown.pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(10, 10), qRgb(0, 128, 0));
}

TEST(FormsTest, DescriptionErrorsNameWhatIsWrong) {
  struct Case {
    const char* description;
    const char* mentions;
  };
  const Case cases[] = {
      {R"({"Name": "F", "Components": [{"Kind": "TGadget", "Name": "G1"}]})", "TGadget"},
      {R"({"Name": "F", "Components": [{"Kind": "TButton", "Name": "B1",
          "Events": {"OnClick": "NoSuchHandler"}}]})",
       "NoSuchHandler"},
      {R"({"Name": "F", "Components": [{"Kind": "TButton", "Name": "B1",
          "Events": {"OnWobble": "X"}}]})",
       "OnWobble"},
      {R"({"Name": "F", "Components": [{"Kind": "TLabel", "Name": "L1", "Left": "ten"}]})", "Left"},
      {R"({"Name": "F", "Color": "clPlaid"})", "Color"},
      {R"({"Name": "F", "BorderStyle": "bsWobbly"})", "BorderStyle"},
      {R"({"Name": "F", "Components": [{"Kind": "TImage", "Name": "I1",
          "Picture": "nothing.bmp"}]})",
       "nothing.bmp"},
      {R"({"Name": "F", "Components": [ )", "test form"},
  };
  for (const Case& c : cases) {
    try {
      MakeForm(c.description, [](TestForm& f) { f.RegisterHandler("X", [](TObject*) {}); });
      ADD_FAILURE() << "loaded: " << c.description;
    } catch (const Exception& e) {
      EXPECT_NE(std::string(e.what()).find(c.mentions), std::string::npos) << e.what();
    }
  }
}

constexpr const char* kDialog = R"({
  "Name": "Dlg", "ClientWidth": 200, "ClientHeight": 100, "BorderStyle": "bsSingle",
  "Events": {"OnClose": "FormClose"},
  "Components": [
    {"Kind": "TListBox", "Name": "List", "Left": 0, "Top": 0, "Width": 100, "Height": 60,
     "TabOrder": 0},
    {"Kind": "TButton", "Name": "Ok", "Left": 10, "Top": 70, "Width": 60, "Height": 25,
     "Caption": "O K", "ModalResult": 1, "Default": true, "TabOrder": 1,
     "Events": {"OnClick": "OkClick"}},
    {"Kind": "TButton", "Name": "Cancel", "Left": 80, "Top": 70, "Width": 60, "Height": 25,
     "Caption": "Cancel", "ModalResult": 2, "TabOrder": 2,
     "Events": {"OnClick": "CancelClick"}}]})";

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm(kDialog, [this](TestForm& f) {
      f.RegisterHandler("OkClick", [this](TObject*) {
        log.push_back("ok, result " + std::to_string(form->ModalResult()));
        if (throwOnOk) throw Exception("ok failed");
      });
      f.RegisterHandler("CancelClick", [this](TObject*) { log.push_back("cancel"); });
      f.RegisterCloseHandler("FormClose", [this](TObject*, TCloseAction& action) {
        log.push_back("close");
        if (refuseCloses > 0) {
          --refuseCloses;
          action = caNone;
        }
      });
    });
  }
  QPushButton* Button(const char* name) {
    return static_cast<QPushButton*>(qt::WidgetOf(form->Component<TButton>(name).Peer()));
  }
  // Runs `step` once the modal loop is running.
  void Later(int ms, std::function<void()> step) { QTimer::singleShot(ms, step); }

  std::unique_ptr<TestForm> form;
  std::vector<std::string> log;
  bool throwOnOk = false;
  int refuseCloses = 0;
};

TEST_F(DialogTest, ShowModalReturnsTheButtonsModalResult) {
  Later(10, [this] { Button("Ok")->click(); });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_FALSE(form->Visible());
  Later(10, [this] { Button("Cancel")->click(); });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  // The result is set before the handler runs, and the close comes after it.
  EXPECT_EQ(log, (std::vector<std::string>{"ok, result 1", "close", "cancel", "close"}));
}

TEST_F(DialogTest, TheCloseBoxGivesCancelAndCaNoneKeepsTheDialogOpen) {
  refuseCloses = 1;
  Later(10, [this] { qt::WindowOf(form->Peer())->close(); });
  Later(40, [this] {
    EXPECT_TRUE(form->Visible());
    qt::WindowOf(form->Peer())->close();
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(log, (std::vector<std::string>{"close", "close"}));
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonOrTheFocusedOne) {
  auto enter = [](QWidget* target) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
  };
  QWidget* list = qt::WidgetOf(form->Component<TCustomListBox>("List").Peer());
  Later(10, [&] { enter(list); });
  EXPECT_EQ(form->ShowModal(), mrOk);
  Later(10, [&] {
    form->Component<TButton>("Cancel").SetFocus();
    enter(Button("Cancel"));
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  // A list that takes Enter itself keeps it from the default button.
  int listEnters = 0;
  form->Component<TCustomListBox>("List").OnEnterKey = [&](TObject*) { ++listEnters; };
  Later(10, [&] { enter(list); });
  Later(30, [&] { Button("Cancel")->click(); });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  EXPECT_EQ(listEnters, 1);
}

TEST_F(DialogTest, AnExceptionInAHandlerIsReportedAndTheProgramGoesOn) {
  ReportRecorder reports;
  Application->SetTitle("Ombrelith");
  throwOnOk = true;
  Later(10, [this] { Button("Ok")->click(); });
  EXPECT_EQ(form->ShowModal(), mrOk);  // the result was set before the handler threw
  ASSERT_EQ(reports.messages.size(), 1u);
  EXPECT_EQ(reports.messages[0], "ok failed");
  EXPECT_EQ(reports.titles[0], "Ombrelith");
  throwOnOk = false;
  Later(10, [this] { Button("Ok")->click(); });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(reports.messages.size(), 1u);
}

TEST(FormsTest, DialogDescriptionsLoad) {
  // The folder controls are registered by their own module; stand-ins are enough here.
  RegisterComponentKind("TDirectoryListBox",
                        [](TCustomForm& f, TWinControl* p, const ComponentDesc& d) {
                          EXPECT_EQ(d.String("DirLabel", ""), "DirLabel");
                          EXPECT_EQ(d.Int("ItemHeight", 0), 16);
                          return std::make_unique<TCustomListBox>(f, p);
                        });
  RegisterComponentKind("TDriveComboBox", [](TCustomForm& f, TWinControl* p, const ComponentDesc&) {
    return std::make_unique<TCustomComboBox>(f, p);
  });
  struct Case {
    const char* name;
    const char* caption;
    int width, height;
    TFormBorderStyle border;
    TBorderIcons icons;
  };
  for (const Case& c :
       {Case{"SelForm", "Select Folder", 438, 325, bsSingle, biSystemMenu | biMinimize},
        Case{"AboutForm", "About", 353, 231, bsSingle, biSystemMenu},
        Case{"WaitForm", "Wait", 392, 237, bsDialog, 0}}) {
    class Plain : public TForm {
     public:
      Plain(Plain*& self, const char* name) : TForm(self) {
        RegisterHandler("Button1Click", [](TObject*) {});
        RegisterHandler("Button2Click", [](TObject*) {});
        LoadDescription(name);
      }
    };
    Plain* ref = nullptr;
    Plain form(ref, c.name);
    EXPECT_EQ(form.Caption(), c.caption);
    EXPECT_EQ(form.ClientWidth(), c.width) << c.name;
    EXPECT_EQ(form.ClientHeight(), c.height) << c.name;
    EXPECT_EQ(form.BorderStyle(), c.border) << c.name;
    EXPECT_EQ(form.BorderIcons(), c.icons) << c.name;
    EXPECT_EQ(form.Position(), poScreenCenter) << c.name;
    if (std::string(c.name) == "WaitForm") {
      EXPECT_EQ(form.FormStyle(), fsStayOnTop);
      EXPECT_TRUE(form.Component<TImage>("Image1").Visible());
      EXPECT_FALSE(form.Component<TImage>("Image4").Visible());
      EXPECT_EQ(form.Component<TImage>("Image3").Width(), 32);
      EXPECT_TRUE(form.Component<TButton>("Button1").Default());
      EXPECT_EQ(form.Component<TLabel>("Label1").Font().Height, -19);
      EXPECT_TRUE(form.Component<TLabel>("Label1").Font().Bold);
      EXPECT_EQ(form.Component<TProgressBar>("ProgressBar1").Max(), 100);
    }
  }
}

}  // namespace
}  // namespace platform::testing
