// Hit testing at the design size (538 x 490, columns 169 px wide) against one tree whose
// band heights come out as exact pixel counts.
#include <string>

#include <gtest/gtest.h>

#include "tests/view/ViewFixtures.h"
#include "view/ChartGeometry.h"
#include "view/HitTest.h"

namespace testing_view {
namespace {

// Column 0, span 490 (sizes in bytes = heights in px):
//   a.bin  file   100  y   0..100
//   big/          200  y 100..300   column 1, span 200:
//     f      file  20  y 100..120
//     s15/         15  y 120..135   (15.0: drawn, never searched)  s15/in/ in column 2
//     s155/      15.5  y 135..150   (15.5, trunc 15: searched)     s155/in/ in column 2
//     sub/      149.5  y 150..299   sub/deep/ in column 2, deep/x in column 3
//   c/            186  y 300..486
//   tiny   file     4  takes no room: 486..490 stays black
class HitTestTree : public ::testing::Test {
 public:
  void SetUp() override {
    root = MakeRoot(kSep + "data" + kSep);
    File(*root, "a.bin", 100);
    big = Folder(*root, "big");
    File(*big, "f", 20);
    s15 = Folder(*big, "s15");
    File(*Folder(*s15, "in"), "x", 15);
    s155 = Folder(*big, "s155");
    s155in = Folder(*s155, "in");
    File(*s155in, "x", 15.5);
    sub = Folder(*big, "sub");
    deep = Folder(*sub, "deep");
    File(*deep, "x", 149.5);
    c = Folder(*root, "c");
    File(*c, "x", 186);
    File(*root, "tiny", 4);
    ASSERT_EQ(SumSizes(*root), 490);
  }

  DirEnt* At(int x, int y, int width = 538, int height = 490) {
    return view::FindFolderAt(20, 0, view::ColumnWidth(width), height, root.get(), 3, x, y);
  }

  std::unique_ptr<DirEnt> root;
  DirEnt *big, *s15, *s155, *s155in, *sub, *deep, *c;
};

TEST_F(HitTestTree, Table) {
  const struct {
    const char* what;
    int x, y;
    DirEnt* HitTestTree::*expected;  // null member: nothing is found
  } cases[] = {
      {"left edge of column 0", 20, 200, nullptr},
      {"just inside column 0", 21, 200, &HitTestTree::big},
      {"last pixel of column 0", 188, 200, &HitTestTree::big},
      {"boundary of columns 0 and 1", 189, 200, nullptr},
      {"just inside column 1", 190, 200, &HitTestTree::sub},
      {"boundary of columns 1 and 2", 358, 200, nullptr},
      {"column 2, directly", 400, 200, &HitTestTree::deep},
      {"start of the right-hand strip", 527, 200, nullptr},
      {"inside the right-hand strip", 530, 200, nullptr},
      {"last pixel of the strip", 537, 200, nullptr},
      {"a file's band", 50, 50, nullptr},
      {"a file's band in column 1", 250, 110, nullptr},
      {"below the last band", 50, 488, nullptr},
      {"a band's first row", 50, 100, nullptr},
      {"the row after it", 50, 101, &HitTestTree::big},
      {"a band's last row", 50, 299, &HitTestTree::big},
      {"the next band's first row", 50, 300, nullptr},
      {"the next band's second row", 50, 301, &HitTestTree::c},
      {"a 15.0 band itself", 250, 127, &HitTestTree::s15},
      {"the column beside a 15.0 band", 400, 127, nullptr},
      {"the column beside a 15.5 band", 400, 142, &HitTestTree::s155in},
  };
  for (const auto& k : cases) {
    DirEnt* want = k.expected ? this->*k.expected : nullptr;
    EXPECT_EQ(At(k.x, k.y), want) << k.what << " (" << k.x << ", " << k.y << ")";
  }
}

// Columns of width 0 or less hold no point at all.
TEST_F(HitTestTree, NarrowChartFindsNothing) {
  for (int width : {0, 20, 30, 31, 32, 33}) {
    for (int x = -1; x <= width + 2; ++x)
      for (int y : {101, 200, 301}) ASSERT_EQ(At(x, y, width), nullptr) << width << " " << x;
  }
}

TEST_F(HitTestTree, DepthAndFileGuards) {
  EXPECT_EQ(view::FindFolderAt(20, 0, 169, 490, root.get(), 0, 50, 200), nullptr);
  EXPECT_EQ(view::FindFolderAt(20, 0, 169, 490, root.get(), 1, 50, 200), big);
  EXPECT_EQ(view::FindFolderAt(20, 0, 169, 490, root.get(), 1, 250, 200), nullptr);
}

TEST(HitTest, FolderOfSizeZeroFindsNothing) {
  auto root = MakeRoot(kSep + "z" + kSep);
  Folder(*root, "empty");
  File(*root, "nothing", 0);
  for (int y : {1, 100, 245, 489})
    EXPECT_EQ(view::FindFolderAt(20, 0, 169, 490, root.get(), 3, 50, y), nullptr);
}

}  // namespace
}  // namespace testing_view
