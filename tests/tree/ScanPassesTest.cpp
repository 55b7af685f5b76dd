// The counting and sizing passes over a scripted file system: depth limits, counters,
// progress, sizes, every way of stopping, and every failure the passes absorb.
#include <cmath>
#include <limits>

#include "FakeFileSystem.h"
#include "ScanTestSupport.h"
#include "tree/ScanPasses.h"

namespace {

class ScanPassesTest : public ScanTest {
 protected:
  void SetUp() override {
    ScanTest::SetUp();
    platform::SetFileSystem(&fs);
  }
  void TearDown() override {
    EXPECT_EQ(fs.openListings, 0) << "a listing was left open";
    ScanTest::TearDown();
  }

  std::unique_ptr<DirEnt> Counted() {
    auto root = std::make_unique<DirEnt>(Folder({}));
    root->CountEntries(0);
    return root;
  }
  std::unique_ptr<DirEnt> Scanned() {
    auto root = std::make_unique<DirEnt>(Folder({}));
    root->Scan(0);
    return root;
  }
  // The driver's sequence: count on a fresh root, drop it, size another fresh root.
  std::unique_ptr<DirEnt> CountedThenScanned() {
    Counted().reset();
    return Scanned();
  }

  FakeFileSystem fs;
};

// A chain R/l1/l2/.../l7/, each level holding a file "f" of 1 byte before the next level and
// a file "g" of 2 bytes after it. l1 is at depth 1.
void AddChain(FakeFileSystem& fs) {
  std::string path = ScanTest::Folder({});
  for (int level = 1; level <= 8; ++level) {
    std::vector<FakeEntry> entries{File("f", 1)};
    if (level < 8) entries.push_back(Dir("l" + std::to_string(level)));
    entries.push_back(File("g", 2));
    fs.Add(path, entries);
    if (level < 8) path += "l" + std::to_string(level) + platform::kPathSeparator;
  }
}

TEST_F(ScanPassesTest, CountingListsFourLevelsAndSizingAllOfThem) {
  AddChain(fs);
  auto counted = Counted();
  // Depths 0..3 list three entries each.
  EXPECT_EQ(EntriesCounted, 12);
  DirEnt* dir = counted.get();
  for (int depth = 0; depth < 4; ++depth) {
    ASSERT_EQ(dir->GetCount(), 3) << depth;
    EXPECT_EQ(dir->GetSize(), 0.0);
    EXPECT_EQ(dir->GetEntry(0)->GetSize(), 0.0) << "the counting pass never writes sizes";
    dir = SubDir(dir, 1);
  }
  // The folder listed at depth 3 is in the counting tree, empty.
  EXPECT_EQ(dir->GetCount(), 0);
  EXPECT_EQ(dir->IsAborted(), 0);
  EXPECT_EQ(dir->GetName(), Folder({"l1", "l2", "l3", "l4"}));
  counted.reset();

  auto root = Scanned();
  EXPECT_EQ(EntriesScanned, 12) << "entries below depth 3 are not counted";
  EXPECT_EQ(root->GetSize(), 7 * 3.0 + 1 + 2);
  dir = root.get();
  for (int level = 1; level <= 7; ++level) dir = SubDir(dir, 1);
  EXPECT_EQ(dir->GetName(), Folder({"l1", "l2", "l3", "l4", "l5", "l6", "l7"}));
  EXPECT_EQ(dir->GetSize(), 3.0);
  EXPECT_EQ(dir->GetEntry(0)->GetName(), Folder({"l1", "l2", "l3", "l4", "l5", "l6", "l7"}) + "f");
  EXPECT_EQ(dir->GetParent()->GetSize(), 6.0);
  EXPECT_EQ(root->IsAborted(), 0);
}

TEST_F(ScanPassesTest, AnEmptyOrUnlistableRootStaysEmptyAndReportsNothing) {
  for (bool listable : {false, true}) {
    SCOPED_TRACE(listable ? "only . and .." : "unlistable");
    if (listable) fs.Add(Folder({}), {Dir("."), Dir("..")});
    auto root = CountedThenScanned();
    EXPECT_EQ(root->GetCount(), 0);
    EXPECT_EQ(root->GetSize(), 0.0);
    EXPECT_EQ(root->IsAborted(), 0);
    EXPECT_EQ(EntriesCounted, 0);
    EXPECT_EQ(EntriesScanned, 0);
    EXPECT_TRUE(progress.empty());
  }
  EXPECT_EQ(pumps, 4) << "the pump runs for . and .. too";
}

TEST_F(ScanPassesTest, ARootWithAnEmptyNameIsLeftAlone) {
  DirEnt root("");
  root.CountEntries(0);
  root.Scan(0);
  EXPECT_EQ(pumps, 0);
  EXPECT_EQ(root.GetCount(), 0);
}

TEST_F(ScanPassesTest, DotNamesAreSkippedOnlyWhenExact) {
  fs.Add(Folder({}), {Dir("."), File("..."), File(".a", 4), Dir(".."), File("..b", 8)});
  auto root = CountedThenScanned();
  EXPECT_EQ(EntriesCounted, 3);
  ASSERT_EQ(root->GetCount(), 3);
  EXPECT_EQ(root->GetEntry(0)->GetName(), Folder({}) + "...");
  EXPECT_EQ(root->GetSize(), 12.0);
}

TEST_F(ScanPassesTest, ProgressIsReportedForEveryEntryBeforeItsQuery) {
  std::vector<FakeEntry> entries;
  for (int i = 0; i < 199; ++i) entries.push_back(File("f" + std::to_string(i), 1));
  entries.push_back(Dir("deep"));
  fs.Add(Folder({}), entries);
  // deep/ is at depth 1; deep/a/b/c is at depth 4: its entries repeat the last value.
  fs.Add(Folder({"deep"}), {Dir("a")});
  fs.Add(Folder({"deep", "a"}), {Dir("b")});
  fs.Add(Folder({"deep", "a", "b"}), {Dir("c")});
  fs.Add(Folder({"deep", "a", "b", "c"}), {File("x"), File("y")});
  auto counted = Counted();
  ASSERT_EQ(EntriesCounted, 203);
  EntriesCounted = 200;  // as if deep/ had grown since the count
  counted.reset();
  auto root = Scanned();
  ASSERT_EQ(progress.size(), 205u);
  EXPECT_EQ(progress[0], 0);
  EXPECT_EQ(progress[99], 50);
  EXPECT_EQ(progress[199], 100);
  EXPECT_EQ(progress[202], 101) << "past 100 when folders grew";
  EXPECT_EQ(progress[203], 101);
  EXPECT_EQ(progress[204], 101);
  EXPECT_EQ(EntriesScanned, 203);
}

TEST_F(ScanPassesTest, PercentageIsExactWideAndNeverFaults) {
  struct Case {
    std::int32_t scanned, counted, percent;
  };
  const std::int32_t max = std::numeric_limits<std::int32_t>::max();
  for (Case c : std::vector<Case>{{1, 200, 0},
                                  {100, 200, 50},
                                  {199, 200, 99},
                                  {300, 200, 150},
                                  {30000000, 40000000, 75},  // ×100 passes 2^31 here
                                  {max, max, 100},
                                  {max, 1, max},
                                  {5, 0, 100}}) {
    EXPECT_EQ(ProgressPercent(c.scanned, c.counted), c.percent) << c.scanned << "/" << c.counted;
  }
}

TEST_F(ScanPassesTest, CountersSaturate) {
  fs.Add(Folder({}), {File("a"), File("b")});
  EntriesCounted = std::numeric_limits<std::int32_t>::max() - 1;
  Counted();
  EXPECT_EQ(EntriesCounted, std::numeric_limits<std::int32_t>::max());
  EntriesScanned = std::numeric_limits<std::int32_t>::max() - 1;
  EntriesCounted = 0;  // and the folder gained entries: still no fault
  Scanned();
  EXPECT_EQ(EntriesScanned, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(progress, (std::vector<std::int32_t>{100, 100}));
}

TEST_F(ScanPassesTest, SizesAreSummedAsDoublesInListingOrder) {
  const std::uint64_t big = std::uint64_t{1} << 53;
  fs.Add(Folder({}), {File("big", big), File("one", 1), Dir("sub"), File("two", 1)});
  fs.Add(Folder({"sub"}), {File("four_g", std::uint64_t{1} << 32)});
  auto root = Scanned();
  // Each addition rounds to the nearest double: adding 1 to 2^53 changes nothing, which a
  // sum of whole numbers would not do.
  double expected = static_cast<double>(big);
  expected += 1.0;
  expected += 4294967296.0;
  expected += 1.0;
  EXPECT_EQ(root->GetSize(), expected);
  EXPECT_NE(root->GetSize(), static_cast<double>(big + 2 + (std::uint64_t{1} << 32)));
  DirEnt* sub = SubDir(root.get(), 2);
  EXPECT_EQ(sub->GetSize(), 4294967296.0);
  EXPECT_EQ(sub->GetEntry(0)->GetSize(), 4294967296.0);
}

TEST_F(ScanPassesTest, StopFiveLevelsDownUnwindsWithWhatWasHandled) {
  AddChain(fs);
  // Stop when the pump runs for l1/../l5/f, the first entry of the folder at depth 5.
  const std::string depth5 = Folder({"l1", "l2", "l3", "l4", "l5"});
  onPump = [&](int call) {
    if (call == 5 * 2 + 1) StopRequested = 1;
  };
  auto root = Scanned();
  DirEnt* dir = root.get();
  std::vector<DirEnt*> path{dir};
  for (int level = 1; level <= 5; ++level) path.push_back(dir = SubDir(dir, 1));
  EXPECT_EQ(dir->GetName(), depth5);
  EXPECT_EQ(dir->GetCount(), 1) << "only the current entry is handled";
  EXPECT_EQ(dir->GetSize(), 1.0);
  for (int depth = 0; depth <= 5; ++depth) {
    EXPECT_EQ(path[depth]->IsAborted(), 1) << depth;
    EXPECT_EQ(path[depth]->GetSize(), 6.0 - depth) << depth;  // its f files, the current included
    EXPECT_EQ(path[depth]->GetCount(), depth == 5 ? 1 : 2) << "no g after the stop";
  }
  EXPECT_EQ(StopRequested, 1) << "the passes never clear the flag";
}

TEST_F(ScanPassesTest, StopOnAFolderEntryLetsThatFolderHandleOneEntry) {
  fs.Add(Folder({}), {File("a", 1), Dir("sub"), File("z", 1)});
  fs.Add(Folder({"sub"}), {Vanish("gone"), File("s1", 5), File("s2", 7)});
  onPump = [&](int call) {
    if (call == 2) StopRequested = 1;  // the pump for sub/
  };
  auto root = Scanned();
  ASSERT_EQ(root->GetCount(), 2);
  DirEnt* sub = SubDir(root.get(), 1);
  ASSERT_EQ(sub->GetCount(), 1) << "a vanished entry is not handled and does not count";
  EXPECT_EQ(sub->GetEntry(0)->GetName(), Folder({"sub"}) + "s1");
  EXPECT_EQ(sub->IsAborted(), 1);
  EXPECT_EQ(root->GetSize(), 6.0);
  EXPECT_EQ(root->IsAborted(), 1);
}

TEST_F(ScanPassesTest, StopDuringCountingLeavesTheSizingPassOnePathDeep) {
  AddChain(fs);
  onPump = [&](int call) {
    if (call == 3) StopRequested = 1;  // the pump for l1/f
  };
  auto counted = Counted();
  EXPECT_EQ(EntriesCounted, 3);
  EXPECT_EQ(counted->IsAborted(), 1);
  EXPECT_EQ(SubDir(counted.get(), 1)->IsAborted(), 1);
  counted.reset();
  auto root = Scanned();
  // Each folder handles its first entry: R/f, then stops; the chain is not entered.
  EXPECT_EQ(root->GetCount(), 1);
  EXPECT_EQ(root->IsAborted(), 1);
  EXPECT_EQ(root->GetSize(), 1.0);

  // Where the first handled entry is a folder, the sizing pass goes down a single path.
  fs.Add(Folder({}), {Vanish("v"), Dir("a"), File("z")});
  fs.Add(Folder({"a"}), {Dir("b"), File("y")});
  fs.Add(Folder({"a", "b"}), {File("x", 3), File("w")});
  root = Scanned();
  ASSERT_EQ(root->GetCount(), 1);
  DirEnt* a = SubDir(root.get(), 0);
  ASSERT_EQ(a->GetCount(), 1);
  DirEnt* b = SubDir(a, 0);
  ASSERT_EQ(b->GetCount(), 1);
  for (DirEnt* dir : {root.get(), a, b}) {
    EXPECT_EQ(dir->IsAborted(), 1);
    EXPECT_EQ(dir->GetSize(), 3.0);
  }
}

TEST_F(ScanPassesTest, UnlistableFoldersAndVanishedEntriesAreLeftOutQuietly) {
  fs.Add(Folder({}), {Dir("locked"), Vanish("gone"), File("kept", 10), Dir("open")});
  fs.Add(Folder({"open"}), {Vanish("gone2"), File("k2", 5)});
  auto root = CountedThenScanned();
  EXPECT_EQ(EntriesCounted, 6) << "vanished entries are counted";
  EXPECT_EQ(EntriesScanned, 6);
  ASSERT_EQ(root->GetCount(), 3);
  DirEnt* locked = SubDir(root.get(), 0);
  EXPECT_EQ(locked->GetCount(), 0);
  EXPECT_EQ(locked->IsAborted(), 0);
  EXPECT_EQ(root->GetEntry(1)->GetName(), Folder({}) + "kept");
  EXPECT_EQ(SubDir(root.get(), 2)->GetCount(), 1);
  EXPECT_EQ(root->GetSize(), 15.0);
  EXPECT_EQ(root->IsAborted(), 0);
}

TEST_F(ScanPassesTest, AFailingListingEndsOnlyItsFolder) {
  fs.Add(Folder({}), {Dir("bad"), File("after", 100)});
  fs.Add(Folder({"bad"}), {File("b1", 5), File("b2", 7), FailHere(), File("b3", 9)});
  auto counted = Counted();
  EXPECT_EQ(SubDir(counted.get(), 0)->IsAborted(), 1);
  EXPECT_EQ(EntriesCounted, 4);
  counted.reset();
  auto root = Scanned();
  DirEnt* bad = SubDir(root.get(), 0);
  EXPECT_EQ(bad->IsAborted(), 1);
  EXPECT_EQ(bad->GetSize(), 12.0) << "the sum so far";
  EXPECT_EQ(bad->GetCount(), 2);
  ASSERT_EQ(root->GetCount(), 2) << "the enclosing pass carries on";
  EXPECT_EQ(root->GetSize(), 112.0);
  EXPECT_EQ(root->IsAborted(), 1) << "the last sub-folder's flag";
}

TEST_F(ScanPassesTest, AbortedIsTheLastSubFoldersFlag) {
  struct Case {
    const char* name;
    std::vector<FakeEntry> root;
    std::uint8_t aborted;
  } cases[] = {
      {"errored, then completed", {Dir("bad"), Dir("good")}, 0},
      {"completed, then errored", {Dir("good"), Dir("bad")}, 1},
      {"errored, then a file", {Dir("bad"), File("f")}, 1},
      {"no sub-folder", {File("f")}, 0},
  };
  fs.Add(Folder({"bad"}), {FailHere()});
  fs.Add(Folder({"good"}), {File("g", 1)});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs.Add(Folder({}), c.root);
    EXPECT_EQ(Counted()->IsAborted(), c.aborted);
    EXPECT_EQ(Scanned()->IsAborted(), c.aborted);
  }
}

TEST_F(ScanPassesTest, ASubFolderThatCannotBeSetUpEndsTheEnclosingPass) {
  fs.Add(Folder({}), {File("a", 1), Dir("sub"), File("z", 2)});
  fs.ThrowOnOpen(Folder({"sub"}));
  auto root = Scanned();
  EXPECT_EQ(root->IsAborted(), 1);
  EXPECT_EQ(root->GetCount(), 2) << "z is not reached";
  EXPECT_EQ(root->GetSize(), 1.0);
  EXPECT_EQ(Counted()->IsAborted(), 1);
  // At the root the error goes to the caller.
  fs.ThrowOnOpen(Folder({}));
  EXPECT_THROW(Scanned(), std::runtime_error);
}

TEST_F(ScanPassesTest, AnEndlessChainOfFoldersStopsAtTheDepthGuard) {
  fs.EndlessChain(Folder({}));
  auto root = CountedThenScanned();
  int depth = 0;
  for (DirEnt* dir = root.get(); dir->GetCount() > 0; dir = SubDir(dir, 0)) ++depth;
  EXPECT_EQ(depth, kMaxScanDepth);
  EXPECT_EQ(root->IsAborted(), 0);
  EXPECT_EQ(EntriesCounted, 4);
  root.reset();  // and the deep tree is freed
}

}  // namespace
