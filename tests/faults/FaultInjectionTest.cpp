// Both passes over generated fake trees, thousands of times, with faults injected through the
// file-system seam, the pump hook and the allocator: at every chosen point of a fixed tree,
// and at random points of random trees (seeded; a failure prints its seed). After every run
// the tree, its flags, sizes and invariants, the counters and the progress reports must be
// what the reference model of the rules gives, and no listing may be left open. The sanitizer
// build runs the same test and fails on any leak or fault.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "AllocationFaults.h"
#include "FakeFileSystem.h"
#include "FaultPlan.h"
#include "FaultyFileSystem.h"
#include "RandomTree.h"
#include "ScanModel.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "tree/ScanHooks.h"
#include "tree/SizeTree.h"

namespace faults {
namespace {

long EnvNumber(const char* name, long fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::strtol(value, nullptr, 10) : fallback;
}

std::string RootPath() {
  // Longer than a short string's inline buffer, so the pass's own path buffer allocates.
  std::string root = "/fault injection root";
  root.push_back(platform::kPathSeparator);
  return root;
}

struct RunResult {
  std::string failure;  // empty when the run matched the model
  PassCounts count;     // what each pass made
  PassCounts size;
};

void RecordFault(void* context);

// Runs the program's sequence (count on a fresh root, delete it, size another fresh root)
// under a plan for each pass, and compares each pass with the model.
class Run {
 public:
  Run(const Layout& layout, const FaultPlan& countPlan, const FaultPlan& sizePlan)
      : layout_(layout), countPlan_(countPlan), sizePlan_(sizePlan), model_(layout) {}

  RunResult Go() {
    StopRequested = 0;
    EntriesCounted = 0;
    EntriesScanned = 0;
    layout_.InstallInto(inner_);
    RunResult result;
    result.failure = Pass(countPlan_, false, result.count);
    if (result.failure.empty()) result.failure = Pass(sizePlan_, true, result.size);
    SetPumpHook(nullptr);
    SetProgressHook(nullptr);
    platform::SetFileSystem(nullptr);
    StopRequested = 0;
    return result;
  }

  // Places an injected allocation failure. Between an entry's query and the next call into
  // the file system the pass may have added the entry's node already (the failure then
  // struck while a sub-folder's pass was being set up): the tree being filled tells which.
  void Strike() {
    AllocationFault fault = fs->Here();
    if (fault.phase == Phase::kAfterQuery) {
      const FakeEntry& entry = layout_.folders.at(fault.folder)[fault.position];
      std::string name = fault.folder + entry.name;
      if (entry.kind == FakeEntry::kDir) name.push_back(platform::kPathSeparator);
      DirEnt* folder = Find(root_, fault.folder);
      if (folder && folder->GetCount() > 0 &&
          folder->GetEntry(folder->GetCount() - 1)->GetName() == name)
        fault.phase = Phase::kNodeAdded;
    }
    struck.insert(fault);
  }

  FaultyFileSystem* fs = nullptr;
  std::set<AllocationFault> struck;

 private:
  std::string Pass(const FaultPlan& plan, bool sizing, PassCounts& counts) {
    FaultyFileSystem faulty(inner_, plan);
    fs = &faulty;
    platform::SetFileSystem(&faulty);
    long pumps = 0;
    SetPumpHook([&pumps, &plan] {
      if (++pumps == plan.stopAtPump) StopRequested = 1;
    });
    std::vector<std::int32_t> progress;
    SetProgressHook([&progress](std::int32_t percent) {
      UncountedScope scope;
      progress.push_back(percent);
    });
    struck.clear();

    auto root = std::make_unique<DirEnt>(layout_.root);
    root_ = root.get();
    bool escaped = false;
    faulty.Start(layout_.root);
    Arm(plan.failAllocations, RecordFault, this);
    try {
      if (sizing)
        root->Scan(0);
      else
        root->CountEntries(0);
    } catch (const std::exception&) {
      escaped = true;
    }
    counts.allocations = Disarm();
    counts.pumps = pumps;
    platform::SetFileSystem(nullptr);
    fs = nullptr;

    const std::string pass = sizing ? "sizing pass: " : "counting pass: ";
    for (const AllocationFault& fault : struck)
      if (fault.phase == Phase::kElsewhere || fault.phase == Phase::kAfterQueryFailed)
        return pass + "an allocation where none was expected, in " + fault.folder + " #" +
               std::to_string(fault.position);
    if (!faulty.problems.empty()) return pass + faulty.problems.front();
    if (faulty.openListings != 0) return pass + "a listing was left open";

    const ScanModel::Result expected =
        sizing ? model_.Size(plan, struck) : model_.Count(plan, struck);
    if (escaped != expected.escaped)
      return pass + (escaped ? "an error escaped the root's pass" : "an error was swallowed");
    std::string difference = CompareTree(expected.root, *root);
    if (!difference.empty()) return pass + difference;
    if (pumps != model_.pumps)
      return pass + std::to_string(pumps) + " pumps, expected " + std::to_string(model_.pumps);
    if ((StopRequested != 0) != model_.stop) return pass + "stop flag";
    if (EntriesCounted != model_.counted)
      return pass + "EntriesCounted " + std::to_string(EntriesCounted) + ", expected " +
             std::to_string(model_.counted);
    if (EntriesScanned != model_.scanned)
      return pass + "EntriesScanned " + std::to_string(EntriesScanned) + ", expected " +
             std::to_string(model_.scanned);
    if (sizing) {
      if (progress.size() != model_.progress.size()) return pass + "number of progress reports";
      for (std::size_t i = 0; i < progress.size(); ++i) {
        const std::int32_t want = model_.progress[i];
        if (want == kAnyPercent ? progress[i] < 0 : progress[i] != want)
          return pass + "progress report " + std::to_string(i) + " is " +
                 std::to_string(progress[i]);
      }
    } else if (!progress.empty()) {
      return pass + "the counting pass reported progress";
    }
    return "";
  }

  static DirEnt* Find(DirEnt* dir, const std::string& name) {
    if (dir->GetName() == name) return dir;
    for (std::int32_t i = 0; i < dir->GetCount(); ++i) {
      ObjEnt* entry = dir->GetEntry(i);
      if (entry->IsFile()) continue;
      if (DirEnt* found = Find(static_cast<DirEnt*>(entry), name)) return found;
    }
    return nullptr;
  }

  const Layout& layout_;
  DirEnt* root_ = nullptr;
  const FaultPlan& countPlan_;
  const FaultPlan& sizePlan_;
  FakeFileSystem inner_;
  ScanModel model_;
};

void RecordFault(void* context) {
  static_cast<Run*>(context)->Strike();
}

RunResult RunPlans(const Layout& layout, const FaultPlan& countPlan, const FaultPlan& sizePlan) {
  return Run(layout, countPlan, sizePlan).Go();
}

// A tree with every kind of entry at several depths, the same in every run.
Layout FixedLayout() {
  for (std::uint64_t seed = 1;; ++seed) {
    std::mt19937_64 rng(seed);
    Layout layout = RandomLayout(rng, RootPath(), {6, 6, true});
    if (layout.folders.size() >= 25 && !layout.throwOnOpen.empty()) return layout;
  }
}

class FaultInjection : public ::testing::Test {
 protected:
  // Runs one plan pair; reports the first few failures with what reproduces them.
  void Expect(const Layout& layout, const FaultPlan& countPlan, const FaultPlan& sizePlan,
              const std::string& label) {
    ++runs_;
    const RunResult result = RunPlans(layout, countPlan, sizePlan);
    if (result.failure.empty()) return;
    if (++failures_ <= 5)
      ADD_FAILURE() << label << ": " << result.failure
                    << "\n  counting plan:" << countPlan.Describe()
                    << "\n  sizing plan:" << sizePlan.Describe();
  }
  void TearDown() override { std::printf("[ faults   ] %ld runs, %ld failed\n", runs_, failures_); }
  long runs_ = 0;
  long failures_ = 0;
};

TEST_F(FaultInjection, CleanRunsMatchTheModel) {
  const Layout layout = FixedLayout();
  const RunResult clean = RunPlans(layout, {}, {});
  ASSERT_EQ(clean.failure, "");
  EXPECT_GT(clean.size.pumps, 30) << "the fixed tree is too small to exercise the passes";
  EXPECT_GT(clean.size.allocations, clean.size.pumps) << "node creation is not being counted";
}

// Every pump stops the scan, every counted allocation fails, every listing fails to open or
// throws on opening, and every Next() call and query throws or fails, one at a time.
TEST_F(FaultInjection, EveryChosenPointOfAFixedTree) {
  const Layout layout = FixedLayout();
  const RunResult clean = RunPlans(layout, {}, {});
  ASSERT_EQ(clean.failure, "");
  for (long n = 1; n <= clean.count.pumps + 1; ++n) {
    FaultPlan plan;
    plan.stopAtPump = n;
    Expect(layout, plan, {}, "stop while counting at pump " + std::to_string(n));
  }
  for (long n = 1; n <= clean.size.pumps + 1; ++n) {
    FaultPlan plan;
    plan.stopAtPump = n;
    Expect(layout, {}, plan, "stop while sizing at pump " + std::to_string(n));
  }
  for (long n = 1; n <= clean.count.allocations; ++n) {
    FaultPlan plan;
    plan.failAllocations = {n};
    Expect(layout, plan, {}, "allocation " + std::to_string(n) + " fails while counting");
  }
  for (long n = 1; n <= clean.size.allocations; ++n) {
    FaultPlan plan;
    plan.failAllocations = {n};
    Expect(layout, {}, plan, "allocation " + std::to_string(n) + " fails while sizing");
  }
  for (const auto& [path, entries] : layout.folders) {
    FaultPlan fails;
    fails.openFails = {path};
    Expect(layout, fails, fails, path + " won't open");
    FaultPlan throws;
    throws.openThrows = {path};
    Expect(layout, throws, throws, "opening " + path + " throws");
    for (int position = 0; position <= static_cast<int>(entries.size()); ++position) {
      const Site site{path, position};
      const std::string where = path + " #" + std::to_string(position);
      FaultPlan next;
      next.nextThrows = {site};
      Expect(layout, next, next, "Next() throws at " + where);
      FaultPlan queryThrows;
      queryThrows.queryThrows = {site};
      Expect(layout, queryThrows, queryThrows, "query throws at " + where);
      FaultPlan queryFails;
      queryFails.queryFails = {site};
      Expect(layout, queryFails, queryFails, "query fails at " + where);
    }
  }
  EXPECT_GT(runs_, 1000);
}

// Random trees, random mixes of faults in each pass. OMBRELITH_FAULT_SEED and
// OMBRELITH_FAULT_RUNS choose the first seed and the number of runs; a failure names the seed.
TEST_F(FaultInjection, RandomPointsOfRandomTrees) {
  const long firstSeed = EnvNumber("OMBRELITH_FAULT_SEED", 20261211);
  const long seeds = EnvNumber("OMBRELITH_FAULT_RUNS", 3000);
  for (long seed = firstSeed; seed < firstSeed + seeds; ++seed) {
    std::mt19937_64 rng(static_cast<std::uint64_t>(seed));
    TreeShape shape;
    shape.maxDepth = 2 + static_cast<int>(rng() % 7);
    shape.maxEntries = 2 + static_cast<int>(rng() % 9);
    shape.withFaults = rng() % 4 != 0;
    const Layout layout = RandomLayout(rng, RootPath(), shape);
    const RunResult clean = RunPlans(layout, {}, {});
    const std::string label = "seed " + std::to_string(seed);
    if (!clean.failure.empty()) {
      Expect(layout, {}, {}, label + " (no faults)");
      continue;
    }
    const FaultPlan countPlan = RandomPlan(rng, layout, clean.count);
    const FaultPlan sizePlan = RandomPlan(rng, layout, clean.size);
    Expect(layout, countPlan, sizePlan, label);
  }
}

}  // namespace
}  // namespace faults
