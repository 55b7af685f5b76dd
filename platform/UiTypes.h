// Small value types shared by the window-system classes and the backend interface: mouse
// buttons, shift states, window states, border styles, close actions, alignment, cursors and
// the decoded pixels of an image resource.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// A bit set of the keys and buttons held during a mouse event.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1u << 0;
constexpr TShiftState ssAlt = 1u << 1;
constexpr TShiftState ssCtrl = 1u << 2;
constexpr TShiftState ssLeft = 1u << 3;
constexpr TShiftState ssRight = 1u << 4;
constexpr TShiftState ssMiddle = 1u << 5;
constexpr TShiftState ssDouble = 1u << 6;  // the second press of a double-click

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TFormBorderStyle { bsSizeable, bsSingle, bsDialog };
enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poScreenCenter };
enum TCloseAction { caNone, caHide, caFree };
enum TAlign { alNone, alTop, alClient };

// A bit set of the title-bar buttons.
using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 1u << 0;
constexpr TBorderIcons biMinimize = 1u << 1;
constexpr TBorderIcons biMaximize = 1u << 2;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crHourGlass = -11;

// Decoded pixels, rows top to bottom, each pixel 0xAARRGGBB (alpha 0 = transparent).
struct TBitmapData {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
  bool Empty() const { return Width <= 0 || Height <= 0; }
};

// One line of a list box or combo box: its text, an optional glyph and an indent in levels.
struct TListLine {
  std::string Text;
  const TBitmapData* Glyph = nullptr;  // borrowed; must outlive the list's contents
  int Indent = 0;
};

}  // namespace platform
