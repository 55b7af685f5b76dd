// Moves the view through the size tree on a press on the chart area: left of the up bar's
// edge it shows the shown folder's parent, on a folder's band (in any of the three searched
// columns) it shows that folder, and with no tree loaded it runs the Open command. Only the
// shown folder, the up mark and the caption change; the tree never does.
//
// The main window implements ChartHost and forwards its mouse-down handler here; the button,
// the modifier keys and double-clicks are not looked at, so every press is handled alike:
//   void TDuForm::PaintBox1MouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
//     view::PaintBox1MouseDown(*this, {Root.get(), Current, Busy, UpMark},
//                              PaintBox1->Width(), PaintBox1->Height(), X, Y);
//   }
#pragma once

#include <string>

#include "tree/SizeTree.h"

namespace view {

// What a navigation step asks of the main window.
class ChartHost {
 public:
  virtual void SetWindowCaption(const std::string& caption) = 0;
  // Repaints the whole window before returning, so the chart of the new folder is drawn.
  virtual void RefreshWindow() = 0;
  // The Open command, run when the chart is pressed while no tree is loaded.
  virtual void RunOpenCommand() = 0;
  // True: the hourglass cursor; false: the default cursor.
  virtual void SetHourGlass(bool on) = 0;

 protected:
  ~ChartHost() = default;
};

// The main window's fields that a step reads or changes.
struct NavigationFields {
  const DirEnt* root;
  DirEnt*& current;
  bool& busy;  // a press while it is set is ignored; set for the length of one step
  std::string& upMark;
};

// The caption while `folderPath` is shown.
std::string ChartCaption(const std::string& folderPath);
// The up bar's text for a shown folder: "/" for the root folder of a drive, ". ." otherwise.
std::string UpMarkFor(const std::string& folderPath);

// Handles one press at (x, y) on a chart area `areaWidth` by `areaHeight` pixels.
void PaintBox1MouseDown(ChartHost& host, NavigationFields fields, int areaWidth, int areaHeight,
                        int x, int y);

}  // namespace view
