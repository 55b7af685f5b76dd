// The embedded images decode to the sizes and colours the program relies on.
#include <gtest/gtest.h>

#include "platform/Bitmap.h"
#include "platform/Embedded.h"
#include "platform/Object.h"

namespace platform {
namespace {

TEST(BitmapTest, EmbeddedImagesHaveTheirSizesAndColours) {
  struct Case {
    const char* name;
    int size;
    std::uint32_t colour;  // a colour the picture must contain
  };
  for (const Case& c : {Case{"icon.bmp", 32, 0xFF00FFFF}, Case{"about_glyph.bmp", 32, 0xFF00FFFF},
                        Case{"open_glyph.bmp", 23, 0xFFFFFF00}, Case{"hand1.bmp", 32, 0xFFFFFFFF},
                        Case{"hand4.bmp", 32, 0xFFFFFFFF}}) {
    const TBitmapData& b = EmbeddedImage(c.name);
    EXPECT_EQ(b.Width, c.size) << c.name;
    EXPECT_EQ(b.Height, c.size) << c.name;
    EXPECT_EQ(b.Pixels.front(), 0xFF000000u) << c.name << " has a black corner";
    EXPECT_NE(std::find(b.Pixels.begin(), b.Pixels.end(), c.colour), b.Pixels.end()) << c.name;
  }
}

TEST(BitmapTest, AnimationFramesAreQuarterTurnsClockwise) {
  const TBitmapData* frames[4] = {&EmbeddedImage("hand1.bmp"), &EmbeddedImage("hand2.bmp"),
                                  &EmbeddedImage("hand3.bmp"), &EmbeddedImage("hand4.bmp")};
  for (int f = 0; f < 3; ++f) {
    const TBitmapData& a = *frames[f];
    const TBitmapData& b = *frames[f + 1];
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)  // turned clockwise: b(x, y) = a(y, 31 - x)
        ASSERT_EQ(b.Pixels[y * 32 + x], a.Pixels[(31 - x) * 32 + y]) << f << " " << x << "," << y;
  }
  EXPECT_NE(frames[0]->Pixels, frames[1]->Pixels);
}

TEST(BitmapTest, GlyphCornerColourBecomesTransparent) {
  const TBitmapData glyph = WithTransparentCorner(EmbeddedImage("open_glyph.bmp"));
  EXPECT_EQ(glyph.Pixels[22 * 23], 0u);
  EXPECT_EQ(glyph.Pixels[0], 0u);
  EXPECT_NE(std::find(glyph.Pixels.begin(), glyph.Pixels.end(), 0xFFFFFF00u), glyph.Pixels.end());
}

TEST(BitmapTest, BrokenDataIsReportedByName) {
  std::string data(std::string(FindEmbedded("icon.bmp")));
  ASSERT_FALSE(data.empty());
  for (const std::string& broken : {std::string("not a bitmap at all, really not one......"
                                                "............"),
                                    data.substr(0, 100)}) {
    try {
      DecodeBmp(broken, "broken.bmp");
      ADD_FAILURE() << "decoded broken data";
    } catch (const Exception& e) {
      EXPECT_NE(std::string(e.what()).find("broken.bmp"), std::string::npos);
    }
  }
  EXPECT_THROW(EmbeddedImage("missing.bmp"), Exception);
}

}  // namespace
}  // namespace platform
