// The canvas pixel rules on the pixels the paint box widget really shows.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "TestForm.h"
#include "platform/Backend.h"

namespace platform::testing {
namespace {

constexpr const char* kTwoBoxes = R"({
  "Name": "CanvasForm", "ClientWidth": 60, "ClientHeight": 40, "Color": "clBlack",
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
    form->Refresh();  // both boxes black
  }
  // What the widget shows, grabbed from the widget itself.
  QImage Shown(TPaintBox& box) {
    return qt::WidgetOf(box.Peer())->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  static QRgb Rgb(TColor c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

  std::unique_ptr<TestForm> form;
  TPaintBox* front = nullptr;
  TPaintBox* back = nullptr;
};

TEST_F(CanvasTest, RectangleCoversX1ToX2MinusOneWithOutlineAndFilledInside) {
  TCanvas& c = front->Canvas();
  c.Pen.Color = clAqua;
  c.Brush.Color = clRed;
  c.Rectangle(2, 3, 10, 8);
  const QImage img = Shown(*front);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 14; ++x) {
      const bool inside = x >= 2 && x <= 9 && y >= 3 && y <= 7;
      const bool edge = inside && (x == 2 || x == 9 || y == 3 || y == 7);
      const QRgb want = !inside ? Rgb(clBlack) : edge ? Rgb(clAqua) : Rgb(clRed);
      ASSERT_EQ(img.pixel(x, y), want) << "at " << x << "," << y;
    }
}

TEST_F(CanvasTest, FillRectIsHalfOpenAndEverythingIsClipped) {
  TCanvas& c = front->Canvas();
  c.Brush.Color = clGreen;
  c.FillRect(TRect{5, 5, 8, 7});
  c.Brush.Color = clYellow;
  c.FillRect(TRect{55, 35, 90, 90});  // runs off the right and bottom edges
  c.Pen.Color = clAqua;
  c.Rectangle(-5, -5, 3, 3);  // off the top-left corner
  const QImage img = Shown(*front);
  EXPECT_EQ(img.pixel(5, 5), Rgb(clGreen));
  EXPECT_EQ(img.pixel(7, 6), Rgb(clGreen));
  EXPECT_EQ(img.pixel(8, 6), Rgb(clBlack));
  EXPECT_EQ(img.pixel(7, 7), Rgb(clBlack));
  EXPECT_EQ(img.pixel(59, 39), Rgb(clYellow));
  EXPECT_EQ(img.pixel(54, 39), Rgb(clBlack));
  EXPECT_EQ(img.pixel(2, 2), Rgb(clAqua));    // the visible corner of the outline
  EXPECT_EQ(img.pixel(1, 1), Rgb(clYellow));  // its inside, in the brush of that moment
  EXPECT_EQ(img.pixel(3, 3), Rgb(clBlack));
}

TEST_F(CanvasTest, TextOutDrawsAnOpaqueBrushBoxThatHidesWhatWasUnder) {
  TCanvas& c = front->Canvas();
  c.Brush.Color = clWhite;
  c.FillRect(TRect{0, 0, 60, 40});
  c.Brush.Color = clBlack;
  c.Font.Color = clRed;
  c.TextOut(4, 6, "Ready");
  int w = 0, h = 0;
  CurrentBackend().MeasureText(c.Font, "Ready", w, h);
  ASSERT_GT(w, 10);
  ASSERT_GE(h, 12);
  const QImage img = Shown(*front);
  int red = 0;
  for (int y = 6; y < 6 + h; ++y)
    for (int x = 4; x < 4 + w; ++x) {
      ASSERT_NE(img.pixel(x, y), Rgb(clWhite)) << "white left under the text at " << x << "," << y;
      if (qRed(img.pixel(x, y)) > 128 && qGreen(img.pixel(x, y)) < 100) ++red;
    }
  EXPECT_GT(red, 10) << "no text drawn";
  EXPECT_EQ(img.pixel(3, 6), Rgb(clWhite));
  EXPECT_EQ(img.pixel(4 + w, 6), Rgb(clWhite));
  EXPECT_EQ(img.pixel(4, 6 + h), Rgb(clWhite));
  EXPECT_EQ(img.pixel(4, 5), Rgb(clWhite));
}

TEST_F(CanvasTest, CopyRectCopiesPixelsFromAnotherBox) {
  TCanvas& src = back->Canvas();
  src.Pen.Color = clAqua;
  src.Brush.Color = clRed;
  src.Rectangle(10, 10, 20, 16);
  TCanvas& dst = front->Canvas();
  dst.CopyRect(TRect{30, 5, 42, 13}, src, TRect{9, 9, 21, 17});
  const QImage a = Shown(*back);
  const QImage b = Shown(*front);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x)
      ASSERT_EQ(b.pixel(30 + x, 5 + y), a.pixel(9 + x, 9 + y)) << x << "," << y;
  EXPECT_EQ(b.pixel(31, 6), Rgb(clAqua));
  EXPECT_EQ(b.pixel(29, 6), Rgb(clBlack));
}

TEST_F(CanvasTest, CanvasWorksOutsideAPaintAndRepaintErasesWithTheBoxColour) {
  front->SetColor(clGreen);
  front->Canvas().Brush.Color = clRed;
  front->Canvas().FillRect(TRect{0, 0, 5, 5});
  EXPECT_EQ(Shown(*front).pixel(1, 1), Rgb(clRed));
  form->Refresh();
  EXPECT_EQ(Shown(*front).pixel(1, 1), Rgb(clGreen));
  EXPECT_EQ(Shown(*front).pixel(59, 39), Rgb(clGreen));
}

}  // namespace
}  // namespace platform::testing
