// The chart in the real main window on the Qt backend (offscreen unless QT_QPA_PLATFORM says
// otherwise): the four windows are created as the program creates them, a synthetic size tree
// is installed as the window's Root and Current, and then one paint and one press are timed
// over very large folders.
//   Paint:   the paint box erased and the window's FormPaint (both DrawLevel passes, up bar)
//            drawing into the paint box's image, as the backend's paint event runs them.
//   Refresh: the window's Refresh, i.e. Paint plus the widget's repaint that shows the image.
//   Hit:     view::FindFolderAt over the paint box's size at a point no folder band holds,
//            so every band of every searched column is walked (the press's worst case).
//   Press:   the paint box's mouse-down event at that point (the PaintBox1MouseDown path:
//            busy flag, hourglass cursor, the hit test; a miss repaints nothing).
//   Open:    a press on the subfolder's band and one on the up bar: two navigation steps,
//            each with its repaint.
// Trees: "Equal" gives every entry the same size, so no band but a big subfolder's is drawn;
// "Mixed" gives a few entries large shares (labelled bands), a few dozen thin drawn bands,
// and the rest log-uniform sizes too small to draw, placed in a shuffled order.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "dialogs/AboutUnit.h"
#include "dialogs/SelUnit.h"
#include "dialogs/WaitUnit.h"
#include "platform/Application.h"
#include "shell/DUUnit.h"
#include "shell/Startup.h"
#include "tree/SizeTree.h"
#include "view/BandWalk.h"
#include "view/ChartGeometry.h"
#include "view/HitTest.h"

namespace {

constexpr int kFolderEntries = 100'000;
constexpr int kFlatEntries = 1'000'000;
constexpr double kTotalBytes = 50e9;

enum class Sizes { Equal, Mixed };
enum class Shape { Nested, Flat };

// Sizes for `count` entries summing to `total`: with Mixed, six entries of 8 % each, thirty of
// 1 % each, the rest sharing 22 % log-uniformly between sizes 1 and 10,000 apart; shuffled.
std::vector<double> EntrySizes(int count, double total, Sizes sizes, std::mt19937& rng) {
  if (sizes == Sizes::Equal)
    return std::vector<double>(static_cast<std::size_t>(count), total / count);
  std::vector<double> out;
  out.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < 6; ++i) out.push_back(0.08 * total);
  for (int i = 0; i < 30; ++i) out.push_back(0.01 * total);
  std::uniform_real_distribution<double> exponent(0.0, std::log(1e4));
  std::vector<double> weights;
  double weightSum = 0;
  for (int i = static_cast<int>(out.size()); i < count; ++i) {
    weights.push_back(std::exp(exponent(rng)));
    weightSum += weights.back();
  }
  for (double w : weights) out.push_back(std::floor(w / weightSum * 0.22 * total));
  std::shuffle(out.begin(), out.end(), rng);
  return out;
}

void AddFiles(DirEnt& folder, const std::vector<double>& sizes) {
  const std::string base = folder.GetName() + "file";
  for (std::size_t i = 0; i < sizes.size(); ++i)
    folder.AddFile(base + std::to_string(i) + ".dat", sizes[i]);
}

// Nested: 100,000 entries, one of them (in the middle of the listing) a folder of another
// 100,000 holding half (Equal) or 30 % (Mixed) of the total, so its band is expanded and
// both columns are walked in full. Flat: 1,000,000 files.
std::unique_ptr<DirEnt> MakeTree(Shape shape, Sizes sizes) {
  std::mt19937 rng(20261211);
  auto root = std::make_unique<DirEnt>("/bench/");
  if (shape == Shape::Flat) {
    AddFiles(*root, EntrySizes(kFlatEntries, kTotalBytes, sizes, rng));
    return root;
  }
  const double subShare = sizes == Sizes::Equal ? 0.5 : 0.3;
  const std::vector<double> own =
      EntrySizes(kFolderEntries - 1, (1 - subShare) * kTotalBytes, sizes, rng);
  const std::vector<double> first(own.begin(), own.begin() + own.size() / 2);
  const std::vector<double> second(own.begin() + own.size() / 2, own.end());
  AddFiles(*root, first);
  DirEnt* sub = root->AddDir("/bench/sub/");
  AddFiles(*sub, EntrySizes(kFolderEntries, subShare * kTotalBytes, sizes, rng));
  // A folder's size is set by its scan; AddDir added the new folder while it was still empty.
  root->SetSize(root->GetSize() + sub->GetSize());
  const std::string base = root->GetName() + "more";
  for (std::size_t i = 0; i < second.size(); ++i)
    root->AddFile(base + std::to_string(i) + ".dat", second[i]);
  return root;
}

// The tree shown in the window; rebuilt only when a benchmark asks for another one, so at
// most one big tree is held at a time.
struct Shown {
  Shape shape;
  Sizes sizes;
};
Shown shown{Shape::Nested, Sizes::Equal};

void Show(Shape shape, Sizes sizes) {
  if (DuForm->Root && shown.shape == shape && shown.sizes == sizes) return;
  DuForm->Current = nullptr;
  DuForm->Root = MakeTree(shape, sizes);
  DuForm->Current = DuForm->Root.get();
  DuForm->UpMark = ". .";
  shown = {shape, sizes};
}

int Width() {
  return DuForm->PaintBox1->Width();
}
int Height() {
  return DuForm->PaintBox1->Height();
}
int Column() {
  return view::ColumnWidth(Width());
}

// A point no folder band holds: the bottom row of the subfolder's column (Nested) or of the
// first column (Flat).
int MissX(Shape shape) {
  return view::kUpBarWidth + (shape == Shape::Nested ? Column() + Column() / 2 : Column() / 2);
}
int MissY() {
  return Height() - 2;
}

void Label(benchmark::State& state) {
  state.SetLabel(std::to_string(Width()) + "x" + std::to_string(Height()) + " entries " +
                 std::to_string(DuForm->Current->GetCount()));
}

void Paint(benchmark::State& state, Shape shape, Sizes sizes) {
  Show(shape, sizes);
  for (auto _ : state) {
    DuForm->PaintBox1->Erase();
    DuForm->FormPaint(DuForm);
  }
  Label(state);
}

void Refresh(benchmark::State& state, Shape shape, Sizes sizes) {
  Show(shape, sizes);
  for (auto _ : state) DuForm->Refresh();
  Label(state);
}

void Hit(benchmark::State& state, Shape shape, Sizes sizes) {
  Show(shape, sizes);
  const int x = MissX(shape), y = MissY();
  for (auto _ : state) {
    DirEnt* hit = view::FindFolderAt(view::kUpBarWidth, 0, Column(), Height(), DuForm->Current,
                                     view::kChartDepth, x, y);
    if (hit) state.SkipWithError("the miss point hit a folder");
    benchmark::DoNotOptimize(hit);
  }
  Label(state);
}

void Press(benchmark::State& state, Shape shape, Sizes sizes) {
  Show(shape, sizes);
  DirEnt* const before = DuForm->Current;
  const int x = MissX(shape), y = MissY();
  for (auto _ : state) DuForm->PaintBox1->OnMouseDown(DuForm->PaintBox1, platform::mbLeft, 0, x, y);
  if (DuForm->Current != before) state.SkipWithError("the press moved the view");
  Label(state);
}

// The middle of the subfolder's band in the first column, laid out as the chart lays it out
// (entries too thin to draw take no room).
int SubBandY() {
  view::BandWalk walk(*DuForm->Root, 0, Height());
  while (const auto band = walk.Next())
    if (view::AsFolder(band->entry)) return band->top + band->height / 2;
  return -1;
}

void Open(benchmark::State& state, Sizes sizes) {
  Show(Shape::Nested, sizes);
  const int y = SubBandY();
  DirEnt* sub = nullptr;
  for (auto _ : state) {
    DuForm->PaintBox1->OnMouseDown(DuForm->PaintBox1, platform::mbLeft, 0,
                                   view::kUpBarWidth + Column() / 2, y);
    sub = DuForm->Current;
    DuForm->PaintBox1->OnMouseDown(DuForm->PaintBox1, platform::mbLeft, 0, 5, Height() / 2);
  }
  if (sub == DuForm->Root.get() || DuForm->Current != DuForm->Root.get())
    state.SkipWithError("the presses did not open the subfolder and come back");
  Label(state);
}

void Register() {
  struct Case {
    const char* name;
    Shape shape;
    Sizes sizes;
  };
  const Case cases[] = {{"Nested/Equal", Shape::Nested, Sizes::Equal},
                        {"Nested/Mixed", Shape::Nested, Sizes::Mixed},
                        {"Flat/Equal", Shape::Flat, Sizes::Equal},
                        {"Flat/Mixed", Shape::Flat, Sizes::Mixed}};
  for (const Case& c : cases) {
    const std::string n = c.name;
    const Shape shape = c.shape;
    const Sizes sizes = c.sizes;
    benchmark::RegisterBenchmark(("Paint/" + n).c_str(), [=](benchmark::State& s) {
      Paint(s, shape, sizes);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Refresh/" + n).c_str(), [=](benchmark::State& s) {
      Refresh(s, shape, sizes);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Hit/" + n).c_str(), [=](benchmark::State& s) {
      Hit(s, shape, sizes);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Press/" + n).c_str(), [=](benchmark::State& s) {
      Press(s, shape, sizes);
    })->Unit(benchmark::kMillisecond);
    if (shape == Shape::Nested)
      benchmark::RegisterBenchmark(("Open/" + n).c_str(), [=](benchmark::State& s) {
        Open(s, sizes);
      })->Unit(benchmark::kMillisecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The window's settings (placement, folder) go to a scratch folder, not the user's.
  char scratch[] = "/tmp/chart_qt_bench_XXXXXX";
  if (!mkdtemp(scratch)) return 1;
  setenv("XDG_CONFIG_HOME", scratch, 1);

  benchmark::Initialize(&argc, argv);
  using platform::Application;
  CreateApplicationWindows();
  DuForm->Show();
  Application->ProcessMessages();

  Register();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  DuForm->Root.reset();
  DuForm->Current = nullptr;
  Application->DestroyForms();
  std::error_code ignored;
  std::filesystem::remove_all(scratch, ignored);
  return 0;
}
