// The size tree's nodes: construction, adding children, order, bounds, clearing and deletion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tree/SizeTree.h"

namespace {

// A file that records its own deletion.
std::vector<std::string>* deletions = nullptr;

class TrackedFile : public FileEnt {
 public:
  TrackedFile(const std::string& name, double size) : FileEnt(name, size) {}
  ~TrackedFile() override { deletions->push_back(GetName()); }
};

class SizeTreeTest : public ::testing::Test {
 protected:
  void SetUp() override { deletions = &deleted; }
  void TearDown() override { deletions = nullptr; }
  std::vector<std::string> deleted;
};

TEST_F(SizeTreeTest, NewFolderIsEmpty) {
  DirEnt dir("/a/");
  EXPECT_EQ(dir.GetCount(), 0);
  EXPECT_EQ(dir.GetSize(), 0.0);
  EXPECT_EQ(dir.IsAborted(), 0);
  EXPECT_EQ(dir.IsFile(), 0);
  EXPECT_EQ(dir.GetParent(), nullptr);
  EXPECT_EQ(dir.GetEntry(0), nullptr);
  EXPECT_EQ(dir.GetName(), "/a/");
}

TEST_F(SizeTreeTest, AddFileAddsItsSizeAddDirDoesNot) {
  DirEnt dir("/a/");
  FileEnt* file = dir.AddFile("/a/f.bin", 1536);
  EXPECT_EQ(dir.GetCount(), 1);
  EXPECT_EQ(dir.GetSize(), 1536.0);
  EXPECT_EQ(file->IsFile(), 1);
  EXPECT_EQ(file->IsAborted(), 0);
  EXPECT_EQ(file->GetName(), "/a/f.bin");
  EXPECT_EQ(dir.GetEntry(0), file);

  DirEnt hundred("/h/");
  hundred.SetSize(100);
  DirEnt* sub = hundred.AddDir("/h/s/");
  EXPECT_EQ(hundred.GetSize(), 100.0);
  EXPECT_EQ(sub->GetParent(), &hundred);
  EXPECT_EQ(sub->IsFile(), 0);
  EXPECT_EQ(hundred.GetCount(), 1);
}

TEST_F(SizeTreeTest, ChildrenKeepTheirOrderAndIndexesOutsideAreNull) {
  DirEnt dir("/a/");
  const int n = 10000;  // enough to cross many growth steps of the child array
  std::vector<ObjEnt*> added;
  for (int i = 0; i < n; ++i)
    added.push_back(i % 3 ? static_cast<ObjEnt*>(dir.AddFile("/a/" + std::to_string(i), 1))
                          : dir.AddDir("/a/" + std::to_string(i) + "/"));
  ASSERT_EQ(dir.GetCount(), n);
  for (int i = 0; i < n; ++i) ASSERT_EQ(dir.GetEntry(i), added[i]) << i;
  EXPECT_EQ(dir.GetEntry(-1), nullptr);
  EXPECT_EQ(dir.GetEntry(n), nullptr);
  EXPECT_EQ(dir.GetEntry(n - 1)->GetName(), "/a/9999/");
  EXPECT_EQ(dir.GetSize(), static_cast<double>(n - (n + 2) / 3));
}

TEST_F(SizeTreeTest, SetersChangeTheirField) {
  DirEnt dir("/a/");
  dir.SetName("/b/");
  dir.SetSize(7.5);
  dir.SetIsFile(1);
  EXPECT_EQ(dir.GetName(), "/b/");
  EXPECT_EQ(dir.GetSize(), 7.5);
  EXPECT_EQ(dir.IsFile(), 1);
}

// r/ holds a/ (a1, b/ (b1), a2), c, d/ (empty), e.
std::unique_ptr<DirEnt> ThreeLevelTree() {
  auto root = std::make_unique<DirEnt>("r/");
  DirEnt* a = root->AddDir("r/a/");
  a->AddEntry(new TrackedFile("r/a/a1", 1));
  DirEnt* b = a->AddDir("r/a/b/");
  b->AddEntry(new TrackedFile("r/a/b/b1", 2));
  a->AddEntry(new TrackedFile("r/a/a2", 3));
  root->AddEntry(new TrackedFile("r/c", 4));
  root->AddDir("r/d/");
  root->AddEntry(new TrackedFile("r/e", 5));
  return root;
}

TEST_F(SizeTreeTest, DeletingARootDeletesEveryNodeOnceDepthFirstInIndexOrder) {
  ThreeLevelTree().reset();
  EXPECT_EQ(deleted, (std::vector<std::string>{"r/a/a1", "r/a/b/b1", "r/a/a2", "r/c", "r/e"}));
}

TEST_F(SizeTreeTest, ClearDeletesTheSubtreeAndKeepsSizeAndAborted) {
  auto root = ThreeLevelTree();
  auto* a = static_cast<DirEnt*>(root->GetEntry(0));
  const double size = a->GetSize();
  a->Clear();
  EXPECT_EQ(a->GetCount(), 0);
  EXPECT_EQ(a->GetEntry(0), nullptr);
  EXPECT_EQ(a->GetSize(), size);
  EXPECT_EQ(deleted, (std::vector<std::string>{"r/a/a1", "r/a/b/b1", "r/a/a2"}));

  a->Clear();  // nothing left: nothing happens
  EXPECT_EQ(deleted.size(), 3u);
  a->AddFile("r/a/again", 1);  // a cleared folder is usable again
  EXPECT_EQ(a->GetCount(), 1);
  root.reset();
  EXPECT_EQ(deleted.size(), 5u);
}

TEST_F(SizeTreeTest, AVeryDeepTreeIsDeletedWithoutRecursion) {
  // Deep enough that one stack frame per level would overflow the stack.
  auto root = std::make_unique<DirEnt>("/");
  DirEnt* dir = root.get();
  for (int i = 0; i < 300000; ++i) dir = dir->AddDir("d");
  dir->AddEntry(new TrackedFile("leaf", 1));
  root.reset();
  EXPECT_EQ(deleted, std::vector<std::string>{"leaf"});
}

}  // namespace
