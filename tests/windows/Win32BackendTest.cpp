// The window-system layer over the Win32 backend, with real windows under Wine (or Windows):
// the canvas pixel rules on what the screen shows, the form's sizes, menu, close box, modal
// loop and Enter key, speed buttons, timers, the hourglass, the progress bar and the font.
#include <gtest/gtest.h>

#include "Win32TestForm.h"
#include "platform/Application.h"
#include "platform/Menus.h"
#include "platform/Screen.h"
#include "platform/Timer.h"

// After <windows.h>, which Win32TestForm.h brings in.
#include <commctrl.h>

namespace platform::win32test {
namespace {

constexpr const char* kTwoBoxes = R"({
  "Name": "CanvasForm", "ClientWidth": 60, "ClientHeight": 40, "Color": "clBlack",
  "Left": 40, "Top": 40,
  "Components": [
    {"Kind": "TPaintBox", "Name": "Back", "Left": 0, "Top": 0, "Width": 60, "Height": 40,
     "Color": "clBlack"},
    {"Kind": "TPaintBox", "Name": "Front", "Left": 0, "Top": 0, "Width": 60, "Height": 40,
     "Color": "clBlack"}]})";

class CanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm(kTwoBoxes);
    front = &form->Component<TPaintBox>("Front");
    back = &form->Component<TPaintBox>("Back");
    form->Show();
    PumpUntil([] { return false; }, 200);
    form->Refresh();
  }
  Screenshot Shown(TPaintBox& box) { return Screenshot(ControlWindow(box)); }
  // The back box lies under the front one: its own bitmap is what it would show.
  TColor Backing(TPaintBox& box, int x, int y) {
    return dynamic_cast<win32::Win32PaintBoxPeer&>(box.Peer()).Pixel(x, y);
  }

  std::unique_ptr<TestForm> form;
  TPaintBox* front = nullptr;
  TPaintBox* back = nullptr;
};

TEST_F(CanvasTest, RectangleCoversX1ToX2MinusOneWithOutlineAndFilledInside) {
  TCanvas& c = front->Canvas();
  c.Pen.Color = clAqua;
  c.Brush.Color = clRed;
  c.Rectangle(2, 3, 10, 8);
  const Screenshot img = Shown(*front);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 14; ++x) {
      const bool inside = x >= 2 && x <= 9 && y >= 3 && y <= 7;
      const bool edge = inside && (x == 2 || x == 9 || y == 3 || y == 7);
      const TColor want = !inside ? clBlack : edge ? clAqua : clRed;
      ASSERT_EQ(img.At(x, y), want) << "at " << x << "," << y;
    }
}

TEST_F(CanvasTest, FillRectIsHalfOpenAndEverythingIsClipped) {
  TCanvas& c = front->Canvas();
  c.Brush.Color = clGreen;
  c.FillRect(TRect{5, 5, 8, 7});
  c.Brush.Color = clYellow;
  c.FillRect(TRect{55, 35, 90, 90});
  c.Pen.Color = clAqua;
  c.Rectangle(-5, -5, 3, 3);
  const Screenshot img = Shown(*front);
  EXPECT_EQ(img.At(5, 5), clGreen);
  EXPECT_EQ(img.At(7, 6), clGreen);
  EXPECT_EQ(img.At(8, 6), clBlack);
  EXPECT_EQ(img.At(7, 7), clBlack);
  EXPECT_EQ(img.At(59, 39), clYellow);
  EXPECT_EQ(img.At(54, 39), clBlack);
  EXPECT_EQ(img.At(2, 2), clAqua);
  EXPECT_EQ(img.At(1, 1), clYellow);
  EXPECT_EQ(img.At(3, 3), clBlack);
}

TEST_F(CanvasTest, TextOutDrawsAnOpaqueBrushBoxThatHidesWhatWasUnder) {
  TCanvas& c = front->Canvas();
  c.Brush.Color = clWhite;
  c.FillRect(TRect{0, 0, 60, 40});
  c.Brush.Color = clBlack;
  c.Font.Color = clRed;
  c.TextOut(4, 6, "Rdy");
  int w = 0, h = 0;
  CurrentBackend().MeasureText(c.Font, "Rdy", w, h);
  ASSERT_GT(w, 10);
  ASSERT_LT(4 + w, 60);
  ASSERT_GE(h, 12);
  const Screenshot img = Shown(*front);
  int red = 0;
  for (int y = 6; y < 6 + h; ++y)
    for (int x = 4; x < 4 + w; ++x) {
      ASSERT_NE(img.At(x, y), clWhite) << "white left under the text at " << x << "," << y;
      if (RedOf(img.At(x, y)) > 128 && GreenOf(img.At(x, y)) < 100) ++red;
    }
  EXPECT_GT(red, 10) << "no text drawn";
  EXPECT_EQ(img.At(3, 6), clWhite);
  EXPECT_EQ(img.At(4 + w, 6), clWhite);
  EXPECT_EQ(img.At(4, 6 + h), clWhite);
  EXPECT_EQ(img.At(4, 5), clWhite);
}

TEST_F(CanvasTest, CopyRectCopiesPixelsFromAnotherBox) {
  TCanvas& src = back->Canvas();
  src.Pen.Color = clAqua;
  src.Brush.Color = clRed;
  src.Rectangle(10, 10, 20, 16);
  TCanvas& dst = front->Canvas();
  dst.CopyRect(TRect{30, 5, 42, 13}, src, TRect{9, 9, 21, 17});
  const Screenshot b = Shown(*front);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x)
      ASSERT_EQ(b.At(30 + x, 5 + y), Backing(*back, 9 + x, 9 + y)) << x << "," << y;
  EXPECT_EQ(b.At(31, 6), clAqua);
  EXPECT_EQ(b.At(32, 7), clRed);
  EXPECT_EQ(b.At(29, 6), clBlack);
}

TEST_F(CanvasTest, RepaintErasesWithTheBoxColourAndASizeChangeKeepsWhatFits) {
  front->SetColor(clGreen);
  front->Canvas().Brush.Color = clRed;
  front->Canvas().FillRect(TRect{0, 0, 5, 5});
  EXPECT_EQ(Shown(*front).At(1, 1), clRed);
  front->SetBounds(0, 0, 80, 50);
  EXPECT_EQ(Backing(*front, 1, 1), clRed);
  form->Refresh();
  EXPECT_EQ(Shown(*front).At(1, 1), clGreen);
  EXPECT_EQ(Backing(*front, 79, 49), clGreen);
}

constexpr const char* kMainLike = R"({
  "Name": "MainLike", "Caption": "Ombrelith", "ClientWidth": 538, "ClientHeight": 531,
  "Left": 10, "Top": 20, "Color": "clBlack", "BorderIcons": ["biSystemMenu", "biMaximize"],
  "Events": {"OnClose": "FormClose"},
  "Components": [
    {"Kind": "TMainMenu", "Name": "MainMenu1", "Items": [
      {"Name": "File1", "Caption": "&File", "Items": [
        {"Name": "Open1", "Caption": "&Open...", "Events": {"OnClick": "Open1Click"}},
        {"Name": "N2", "Caption": "-"},
        {"Name": "Exit1", "Caption": "E&xit", "Events": {"OnClick": "Exit1Click"}}]},
      {"Name": "Help1", "Caption": "&Help", "Items": [
        {"Name": "About1", "Caption": "&About...", "Events": {"OnClick": "About1Click"}}]}]},
    {"Kind": "TToolBar", "Name": "ToolBar1", "Align": "alTop", "Height": 41,
     "Color": "clInactiveBorder", "EdgeBorders": ["ebLeft", "ebTop", "ebRight", "ebBottom"],
     "Components": [
       {"Kind": "TSpeedButton", "Name": "OpenButton1", "Left": 0, "Top": 0, "Width": 33,
        "Height": 41, "Hint": "Open", "Events": {"OnClick": "Open1Click"}}]},
    {"Kind": "TPaintBox", "Name": "PaintBox1", "Align": "alClient", "Color": "clBlack",
     "Events": {"OnMouseDown": "PaintBox1MouseDown"}},
    {"Kind": "TProgressBar", "Name": "Bar", "Left": 300, "Top": 5, "Width": 100, "Height": 16,
     "Smooth": true, "Min": 0, "Max": 100}]})";

class MainLikeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = MakeForm(kMainLike, [this](TestForm& f) {
      for (const char* name : {"Open1Click", "Exit1Click", "About1Click"})
        f.RegisterHandler(name, [this, name](TObject*) { calls.push_back(name); });
      f.RegisterCloseHandler("FormClose", [this](TObject*, TCloseAction& action) {
        calls.push_back("FormClose");
        if (refuseClose) action = caNone;
      });
      f.RegisterMouseHandler("PaintBox1MouseDown",
                             [this](TObject*, TMouseButton b, TShiftState s, int x, int y) {
                               presses.push_back({b, s, x, y});
                             });
    });
    wnd = FormWindow(*form);
  }
  void TearDown() override { form.reset(); }

  struct Press {
    TMouseButton button;
    TShiftState shift;
    int x, y;
  };
  std::unique_ptr<TestForm> form;
  HWND wnd = nullptr;
  std::vector<std::string> calls;
  std::vector<Press> presses;
  bool refuseClose = false;
};

TEST_F(MainLikeTest, SizesCaptionAndFrameFollowTheDescription) {
  form->Show();
  PumpUntil([] { return false; }, 100);
  RECT client;
  GetClientRect(wnd, &client);
  EXPECT_EQ(client.right, 538);
  EXPECT_EQ(client.bottom, 531) << "the client area lies below the menu bar";
  RECT frame;
  GetWindowRect(wnd, &frame);
  EXPECT_EQ(frame.left, 10);
  EXPECT_EQ(frame.top, 20);
  EXPECT_EQ(form->Width(), frame.right - frame.left);
  wchar_t title[64] = {};
  GetWindowTextW(wnd, title, 64);
  EXPECT_STREQ(title, L"Ombrelith");
  const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_THICKFRAME);

  auto& box = form->Component<TPaintBox>("PaintBox1");
  EXPECT_EQ((TRect{box.Left(), box.Top(), box.Width(), box.Height()}), (TRect{0, 41, 538, 490}));
  RECT boxRect;
  GetWindowRect(ControlWindow(box), &boxRect);
  MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&boxRect), 2);
  EXPECT_EQ(boxRect.top, 41);
  EXPECT_EQ(boxRect.bottom - boxRect.top, 490);
}

TEST_F(MainLikeTest, MenuHasAccessLettersAndItsItemsAndButtonsRunTheirHandlers) {
  HMENU bar = GetMenu(wnd);
  ASSERT_NE(bar, nullptr);
  wchar_t text[32] = {};
  GetMenuStringW(bar, 0, text, 32, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&File");
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_EQ(GetMenuItemCount(file), 3);
  EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
  GetMenuStringW(file, 2, text, 32, MF_BYPOSITION);
  EXPECT_STREQ(text, L"E&xit");

  PostMessageW(wnd, WM_COMMAND, GetMenuItemID(file, 2), 0);
  PostMessageW(wnd, WM_COMMAND, GetMenuItemID(GetSubMenu(bar, 1), 0), 0);
  HWND button = ControlWindow(form->Component<TSpeedButton>("OpenButton1"));
  PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  // A press let go outside the button is no click.
  PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
  PumpUntil([this] { return calls.size() >= 3; });
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(calls, (std::vector<std::string>{"Exit1Click", "About1Click", "Open1Click"}));

  form->Component<TMenuItem>("File1").SetEnabled(false);
  EXPECT_TRUE(GetMenuState(bar, 0, MF_BYPOSITION) & MF_GRAYED);
  form->Component<TMenuItem>("File1").SetEnabled(true);
  EXPECT_FALSE(GetMenuState(bar, 0, MF_BYPOSITION) & MF_GRAYED);
  form->Component<TMenuItem>("Open1").SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(file), 2);
  form->Component<TMenuItem>("Open1").SetVisible(true);
  GetMenuStringW(file, 0, text, 32, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&Open...");
}

TEST_F(MainLikeTest, PaintBoxReportsButtonsShiftAndTheDoubleClick) {
  HWND box = ControlWindow(form->Component<TPaintBox>("PaintBox1"));
  PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
  PostMessageW(box, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(30, 40));
  PostMessageW(box, WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(7, 9));
  PumpUntil([this] { return presses.size() >= 3; });
  ASSERT_EQ(presses.size(), 3u);
  EXPECT_EQ(presses[0].button, mbLeft);
  EXPECT_EQ(presses[0].shift & ssDouble, 0u);
  EXPECT_EQ(presses[0].x, 30);
  EXPECT_EQ(presses[0].y, 40);
  EXPECT_TRUE(presses[1].shift & ssDouble);
  EXPECT_EQ(presses[2].button, mbRight);
  EXPECT_TRUE(presses[2].shift & ssShift);
  EXPECT_EQ(presses[2].x, 7);
}

TEST_F(MainLikeTest, TheCloseBoxAsksOnCloseWhichMayRefuse) {
  form->Show();
  refuseClose = true;
  PostMessageW(wnd, WM_CLOSE, 0, 0);
  PumpUntil([this] { return !calls.empty(); });
  EXPECT_EQ(calls, std::vector<std::string>{"FormClose"});
  EXPECT_TRUE(IsWindowVisible(wnd));
  refuseClose = false;
  PostMessageW(wnd, WM_CLOSE, 0, 0);
  PumpUntil([this] { return calls.size() >= 2; });
  EXPECT_FALSE(IsWindowVisible(wnd)) << "a form that is not the main form hides";
}

TEST_F(MainLikeTest, SmoothProgressBarTakesRangeAndPosition) {
  auto& bar = form->Component<TProgressBar>("Bar");
  HWND w = ControlWindow(bar);
  EXPECT_TRUE(GetWindowLongPtrW(w, GWL_STYLE) & PBS_SMOOTH);
  bar.SetPosition(42);
  EXPECT_EQ(SendMessageW(w, PBM_GETPOS, 0, 0), 42);
  bar.SetPosition(250);
  EXPECT_EQ(SendMessageW(w, PBM_GETPOS, 0, 0), 100);
}

TEST_F(MainLikeTest, TheHourglassShowsOverTheWindowsUntilTheCursorIsRestored) {
  HWND box = ControlWindow(form->Component<TPaintBox>("PaintBox1"));
  Screen->SetCursor(crHourGlass);
  SendMessageW(box, WM_SETCURSOR, reinterpret_cast<WPARAM>(box),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
  Screen->SetCursor(crDefault);
  SendMessageW(box, WM_SETCURSOR, reinterpret_cast<WPARAM>(box),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}

constexpr const char* kDialog = R"({
  "Name": "Dialog", "Caption": "Pick", "ClientWidth": 200, "ClientHeight": 80,
  "BorderStyle": "bsDialog", "Left": 300, "Top": 300,
  "Components": [
    {"Kind": "TButton", "Name": "OK", "Caption": "OK", "Left": 10, "Top": 40, "Width": 75,
     "Height": 25, "ModalResult": 1, "Default": true, "TabOrder": 0,
     "Events": {"OnClick": "OkClick"}},
    {"Kind": "TButton", "Name": "Cancel", "Caption": "Cancel", "Left": 100, "Top": 40,
     "Width": 75, "Height": 25, "ModalResult": 2, "TabOrder": 1}]})";

TEST(DialogTest, ModalDisablesTheOtherFormsAndEnterPressesTheFocusedOrDefaultButton) {
  auto other = MakeForm(kTwoBoxes);
  other->Show();
  int okClicks = 0;
  auto dialog = MakeForm(
      kDialog, [&](TestForm& f) { f.RegisterHandler("OkClick", [&](TObject*) { ++okClicks; }); });
  HWND dlg = FormWindow(*dialog);
  HWND cancel = ControlWindow(dialog->Component<TButton>("Cancel"));

  // Seen from inside the modal loop: the other form takes no input, then Enter on the
  // focused OK button (the first in the tab order) closes the dialog.
  bool otherDisabled = false;
  TTimer probe(CurrentBackend().CreateTimerDriver([&] { probe.Tick(); }));
  probe.SetInterval(50);
  int step = 0;
  probe.OnTimer = [&](TObject*) {
    if (step++ != 0) return;
    otherDisabled = !IsWindowEnabled(FormWindow(*other));
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
  };
  probe.SetEnabled(true);
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  probe.SetEnabled(false);
  EXPECT_TRUE(otherDisabled);
  EXPECT_EQ(okClicks, 1);
  EXPECT_TRUE(IsWindowEnabled(FormWindow(*other)));
  EXPECT_FALSE(IsWindowVisible(dlg));

  // Tab moves the focus to Cancel; Enter then presses Cancel, not the default button.
  step = 0;
  probe.OnTimer = [&](TObject*) {
    if (step == 0) PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    if (step == 2) PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    ++step;
  };
  probe.SetEnabled(true);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  probe.SetEnabled(false);
  EXPECT_EQ(okClicks, 1);
  EXPECT_NE(GetFocus(), cancel);  // hidden again

  // The close box gives mrCancel.
  step = 0;
  probe.OnTimer = [&](TObject*) {
    if (step++ == 0) PostMessageW(dlg, WM_CLOSE, 0, 0);
  };
  probe.SetEnabled(true);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST(TimerTest, TicksFromTheLoopOnlyWhileEnabled) {
  int ticks = 0;
  TTimer timer(CurrentBackend().CreateTimerDriver([&] { timer.Tick(); }));
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetInterval(20);
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  timer.SetEnabled(false);
  const int stopped = ticks;
  PumpUntil([] { return false; }, 150);
  EXPECT_EQ(ticks, stopped);
}

TEST(FontTest, TheJapaneseFaceIsAskedForWithTheShiftJisCharset) {
  win32::UniqueFont font = win32::CreateGdiFont(TFont{});
  LOGFONTW lf{};
  ASSERT_NE(GetObjectW(font.get(), sizeof lf, &lf), 0);
  EXPECT_STREQ(lf.lfFaceName, L"\xFF2D\xFF33 \xFF30\x30B4\x30B7\x30C3\x30AF");
  EXPECT_EQ(lf.lfCharSet, SHIFTJIS_CHARSET);
  EXPECT_EQ(lf.lfHeight, -12);
}

}  // namespace
}  // namespace platform::win32test
