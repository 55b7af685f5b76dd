#include "view/Navigation.h"

#include "platform/Paths.h"
#include "view/ChartGeometry.h"
#include "view/HitTest.h"

namespace view {
namespace {

// Holds the hourglass and the busy flag for one step, and gives both back however the step
// ends: a failing repaint must not leave the chart refusing every later press.
class BusyStep {
 public:
  BusyStep(ChartHost& host, bool& busy) : host_(host), busy_(busy) {
    busy_ = true;
    host_.SetHourGlass(true);
  }
  ~BusyStep() {
    host_.SetHourGlass(false);
    busy_ = false;
  }
  BusyStep(const BusyStep&) = delete;
  BusyStep& operator=(const BusyStep&) = delete;

 private:
  ChartHost& host_;
  bool& busy_;
};

}  // namespace

std::string ChartCaption(const std::string& folderPath) {
  return "Ombrelith ... " + folderPath;
}

std::string UpMarkFor(const std::string& folderPath) {
  return platform::IsDriveRoot(folderPath) ? "/" : ". .";
}

void PaintBox1MouseDown(ChartHost& host, NavigationFields fields, int areaWidth, int areaHeight,
                        int x, int y) {
  if (fields.root == nullptr) {
    host.RunOpenCommand();
    return;
  }
  if (fields.busy) return;
  BusyStep step(host, fields.busy);
  if (fields.current == nullptr) return;  // never while a tree is shown; a scan sets busy
  if (x < kUpBarWidth) {
    DirEnt* parent = fields.current->GetParent();
    if (parent == nullptr) return;
    fields.current = parent;
    const std::string path = parent->GetName();
    fields.upMark = UpMarkFor(path);
    host.SetWindowCaption(ChartCaption(path));
    host.RefreshWindow();
  } else {
    DirEnt* hit = FindFolderAt(kUpBarWidth, 0, ColumnWidth(areaWidth), areaHeight, fields.current,
                               kChartDepth, x, y);
    if (hit == nullptr) return;
    fields.upMark = ". .";
    fields.current = hit;
    host.SetWindowCaption(ChartCaption(hit->GetName()));
    host.RefreshWindow();
  }
}

}  // namespace view
