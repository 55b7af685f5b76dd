// A scanned fixture folder shown in the real main window: the chart area's pixels at computed
// places, and presses on it moving the view down into a folder and back up.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "ShellFixture.h"
#include "platform/qt/QtSupport.h"
#include "shell/DUUnit.h"

namespace {

QImage Chart() {
  return platform::qt::ImageOf(dynamic_cast<platform::PaintBoxPeer&>(DuForm->PaintBox1->Peer()));
}

bool Is(const QImage& image, int x, int y, QRgb colour) {
  return (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
}

const QRgb kAqua = qRgb(0, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kRed = qRgb(255, 0, 0);

bool AnyIn(const QImage& image, int x1, int y1, int x2, int y2, QRgb colour) {
  for (int y = y1; y < y2; ++y)
    for (int x = x1; x < x2; ++x)
      if (Is(image, x, y, colour)) return true;
  return false;
}

}  // namespace

TEST_F(ShellTest, TheChartOfAScannedFolderAndPressesThatMoveThroughIt) {
  // "big" holds three quarters of the folder, "small" one quarter.
  MakeFile("big/inner/f", 3000);
  MakeFile("small/g", 1000);
  Start();
  RunInLoop([&] {
    OpenWith(data_.string());
    ASSERT_NE(DuForm->Current, nullptr);
    const int w = DuForm->PaintBox1->Width();
    const int h = DuForm->PaintBox1->Height();
    ASSERT_GT(w, 100);
    ASSERT_GT(h, 100);
    const int column = (w - 30) / 3;
    const int left = 20;
    // The listing order is the file system's: find where "big" lies.
    const bool bigFirst = DuForm->Root->GetEntry(0)->GetName() == Held(data_ / "big");
    const int bigHeight = static_cast<int>(3000.0 / 4000.0 * h);
    const int smallHeight = static_cast<int>(1000.0 / 4000.0 * h);
    const int bigTop = bigFirst ? 0 : smallHeight;
    const int boundary = bigFirst ? bigHeight : smallHeight;  // the row where the second starts

    QImage before = Chart();
    // The up bar: aqua outline, black inside, the red up mark about half-way down.
    EXPECT_TRUE(Is(before, 0, h / 4, kAqua));
    EXPECT_TRUE(Is(before, 10, h / 4, kBlack));
    EXPECT_TRUE(AnyIn(before, 1, h / 2 - 8, left, h / 2 + 12, kRed));
    // The first column's bands: aqua left edge, black inside, and an edge between the two.
    EXPECT_TRUE(Is(before, left, bigTop + 10, kAqua));
    EXPECT_TRUE(Is(before, left + column / 2, bigTop + 5, kBlack));
    EXPECT_TRUE(
        AnyIn(before, left + column / 2, boundary - 1, left + column / 2 + 1, boundary + 1, kAqua));

    // A press on "big" in the first column shows it.
    const std::string caption = DuForm->Caption();
    DuForm->PaintBox1->OnMouseDown(DuForm->PaintBox1, platform::mbLeft, 0, left + column / 2,
                                   bigTop + bigHeight / 2);
    EXPECT_EQ(DuForm->Current->GetName(), Held(data_ / "big"));
    EXPECT_EQ(DuForm->Caption(), "Ombrelith ... " + Held(data_ / "big"));
    EXPECT_EQ(DuForm->UpMark, ". .");
    QImage inside = Chart();
    // "big" holds one folder only: its band fills the first column, so no edge at the old
    // boundary any more.
    EXPECT_FALSE(
        AnyIn(inside, left + column / 2, boundary - 1, left + column / 2 + 1, boundary + 1, kAqua));
    EXPECT_NE(inside, before);

    // A press on the up bar shows the scanned folder again, drawn as before.
    DuForm->PaintBox1->OnMouseDown(DuForm->PaintBox1, platform::mbLeft, 0, 5, h / 3);
    EXPECT_EQ(DuForm->Current, DuForm->Root.get());
    EXPECT_EQ(DuForm->Caption(), caption);
    EXPECT_EQ(Chart(), before);
  });
}
