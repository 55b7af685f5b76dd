// Times one paint (both passes) and one hit test of the chart at the design size over huge
// folders, against a surface that only counts calls, so the figures are the view's own work
// (the band walk, labels, recursion) without any backend's pixels.
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "platform/Graphics.h"
#include "platform/Timer.h"
#include "tree/SizeTree.h"
#include "view/ChartDrawing.h"
#include "view/ChartGeometry.h"
#include "view/HitTest.h"

namespace {

constexpr int kWidth = 538;
constexpr int kHeight = 490;

class CountingSurface : public platform::CanvasSurface {
 public:
  int SurfaceWidth() const override { return kWidth; }
  int SurfaceHeight() const override { return kHeight; }
  void FillRect(const platform::TRect&, platform::TColor) override { ++calls; }
  void Rectangle(int, int, int, int, platform::TColor, platform::TColor) override { ++calls; }
  void TextOut(int, int, const std::string&, const platform::TFont&, platform::TColor) override {
    ++calls;
  }
  void CopyRect(const platform::TRect&, platform::CanvasSurface&, const platform::TRect&) override {
    ++calls;
  }
  long calls = 0;
};

void AddFiles(DirEnt& folder, int count, double size) {
  const std::string base = folder.GetName() + "file";
  for (int i = 0; i < count; ++i) folder.AddFile(base + std::to_string(i) + ".dat", size);
}

// 100,000 entries; the last is a folder holding another 100,000 and half the total size, so
// its band is expanded and every entry of both folders is walked.
std::unique_ptr<DirEnt> NestedTree() {
  auto root = std::make_unique<DirEnt>("/bench/");
  AddFiles(*root, 99'999, 1000);
  DirEnt* sub = root->AddDir("/bench/sub/");
  AddFiles(*sub, 100'000, 1000);
  sub->SetSize(100'000 * 1000.0);
  root->SetSize(root->GetSize() + sub->GetSize());
  return root;
}

// 1,000,000 entries: ten big files that are drawn and labelled, and many small ones.
std::unique_ptr<DirEnt> FlatTree() {
  auto root = std::make_unique<DirEnt>("/bench/");
  AddFiles(*root, 10, 1e8);
  AddFiles(*root, 999'990, 1000);
  return root;
}

void Paint(benchmark::State& state, DirEnt& root) {
  CountingSurface surface;
  platform::TCanvas canvas(surface);
  platform::TTimer timer(nullptr);
  for (auto _ : state) {
    view::FormPaint({canvas, kWidth, kHeight}, &root, &root, ". .", timer);
    benchmark::DoNotOptimize(surface.calls);
  }
  state.counters["calls/paint"] = static_cast<double>(surface.calls) / state.iterations();
}

// A press at the bottom of the last folder's sub-column: the worst case, walking every entry
// of both columns before answering.
void Hit(benchmark::State& state, DirEnt& root, int x, int y) {
  for (auto _ : state) {
    DirEnt* hit = view::FindFolderAt(view::kUpBarWidth, 0, view::ColumnWidth(kWidth), kHeight,
                                     &root, view::kChartDepth, x, y);
    benchmark::DoNotOptimize(hit);
  }
}

void BM_PaintNested(benchmark::State& state) {
  static auto root = NestedTree();
  Paint(state, *root);
}
void BM_HitNested(benchmark::State& state) {
  static auto root = NestedTree();
  Hit(state, *root, 250, kHeight - 2);
}
void BM_PaintFlat(benchmark::State& state) {
  static auto root = FlatTree();
  Paint(state, *root);
}
void BM_HitFlat(benchmark::State& state) {
  static auto root = FlatTree();
  Hit(state, *root, 100, kHeight - 2);
}

BENCHMARK(BM_PaintNested)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitNested)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintFlat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitFlat)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
