// ombrelith-scale: how the two passes scale. It runs the program's sequence (count on a fresh
// root, delete it, size another fresh root) and prints each pass's time per entry and the
// peak resident set, either over a generated file system that lives only in memory or over
// a real folder.
//
//   ombrelith-scale fake ENTRIES   a generated tree: 100 folders of 100 folders, the rest files
//                                  spread evenly over the 10,000 leaf folders; 0 gives an empty
//                                  root (the baseline for the memory figure)
//   ombrelith-scale disk FOLDER    the real folder, through the system's file system
//
// The generated tree answers from arithmetic on the path: nothing is stored per entry, so the
// resident set above the empty run is the size tree's own.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "tree/ScanHooks.h"
#include "tree/SizeTree.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFanout = 100;  // folders in the root and in each of its folders

// A tree of kFanout folders "dNN", each holding kFanout folders "dNN", each holding its share
// of the files "fNNNNNNN" of size = the file's number. Leaf folder k (0..9,999) holds
// files/10,000 files, plus one more for the first files % 10,000 leaves.
class GeneratedFileSystem : public platform::FileSystem {
 public:
  GeneratedFileSystem(std::string root, std::int64_t files)
      : root_(std::move(root)), files_(files) {}

  std::unique_ptr<platform::DirListing> OpenDir(const std::string& path) override {
    if (path.compare(0, root_.size(), root_) != 0) return nullptr;
    if (files_ == 0) return std::make_unique<Listing>(0, false, 0);
    // The levels below the root are "dNN/" (4 characters each).
    const std::size_t rest = path.size() - root_.size();
    if (rest == 0) return std::make_unique<Listing>(kFanout, true, 0);
    if (rest == 4) return std::make_unique<Listing>(kFanout, true, 0);
    if (rest != 8) return nullptr;
    const int outer = std::atoi(path.c_str() + root_.size() + 1);
    const int inner = std::atoi(path.c_str() + root_.size() + 5);
    const std::int64_t leaf = outer * kFanout + inner;
    const std::int64_t leaves = kFanout * kFanout;
    const std::int64_t count = files_ / leaves + (leaf < files_ % leaves ? 1 : 0);
    return std::make_unique<Listing>(count, false, leaf * (files_ / leaves + 1));
  }

 private:
  class Listing : public platform::DirListing {
   public:
    Listing(std::int64_t count, bool folders, std::int64_t first)
        : count_(count), folders_(folders), first_(first) {}
    const char* Next() override {
      if (next_ >= count_ + 2) return nullptr;
      const std::int64_t index = next_++;
      if (index == 0) return ".";
      if (index == 1) return "..";
      if (folders_)
        std::snprintf(name_, sizeof name_, "d%02lld", static_cast<long long>(index - 2));
      else
        std::snprintf(name_, sizeof name_, "f%07lld", static_cast<long long>(first_ + index - 2));
      return name_;
    }
    bool Query(const std::string&, platform::EntryInfo& info) override {
      info.isDirectory = folders_;
      info.size = folders_ ? 0 : static_cast<std::uint64_t>(std::atoll(name_ + 1));
      return true;
    }

   private:
    std::int64_t count_;
    bool folders_;
    std::int64_t first_;
    std::int64_t next_ = 0;
    char name_[32] = {};
  };

  std::string root_;
  std::int64_t files_;
};

long PeakRssKb() {
  long kb = -1;
  if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, status))
      if (std::sscanf(line, "VmHWM: %ld", &kb) == 1) break;
    std::fclose(status);
  }
  return kb;
}

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// This process's CPU time (user + system) in seconds: the figure that holds when other
// programs share the machine.
double CpuSeconds() {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Walked {
  long long folders = 0, files = 0, emptyFolders = 0;
  int depth = 0;           // deepest folder in the tree
  int deepestListed = -1;  // deepest folder that holds anything
  std::size_t longestName = 0;
};

Walked Walk(DirEnt* root) {
  Walked walked;
  struct Frame {
    DirEnt* dir;
    std::int32_t next;
  };
  std::vector<Frame> stack{{root, 0}};
  walked.folders = 1;
  while (!stack.empty()) {
    Frame& top = stack.back();
    const int depth = static_cast<int>(stack.size()) - 1;
    if (top.next == 0) {
      if (depth > walked.depth) walked.depth = depth;
      if (top.dir->GetCount() > 0 && depth > walked.deepestListed) walked.deepestListed = depth;
      if (top.dir->GetCount() == 0) ++walked.emptyFolders;
      walked.longestName = std::max(walked.longestName, top.dir->GetName().size());
    }
    if (top.next >= top.dir->GetCount()) {
      stack.pop_back();
      continue;
    }
    ObjEnt* entry = top.dir->GetEntry(top.next++);
    if (entry->IsFile()) {
      ++walked.files;
      continue;
    }
    ++walked.folders;
    stack.push_back({static_cast<DirEnt*>(entry), 0});
  }
  return walked;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "fake") != 0 && std::strcmp(argv[1], "disk") != 0)) {
    std::fprintf(stderr, "usage: ombrelith-scale fake ENTRIES | disk FOLDER\n");
    return 2;
  }
  std::string root;
  std::unique_ptr<GeneratedFileSystem> generated;
  if (std::strcmp(argv[1], "fake") == 0) {
    const long long entries = std::atoll(argv[2]);
    const long long folders = entries > 0 ? kFanout + kFanout * kFanout : 0;
    if (entries < 0 || (entries > 0 && entries < folders)) {
      std::fprintf(stderr, "ombrelith-scale: ENTRIES is 0 or at least %lld\n", folders);
      return 2;
    }
    root = "/generated/tree/";
    generated = std::make_unique<GeneratedFileSystem>(root, entries - folders);
    platform::SetFileSystem(generated.get());
  } else {
    root = platform::AppendSeparator(argv[2]);
  }

  const long rssBefore = PeakRssKb();
  StopRequested = 0;
  EntriesCounted = 0;
  EntriesScanned = 0;
  Clock::time_point start = Clock::now();
  double cpu = CpuSeconds();
  auto tree = std::make_unique<DirEnt>(root);
  tree->CountEntries(0);
  const double countSeconds = SecondsSince(start);
  const double countCpu = CpuSeconds() - cpu;
  const Walked counted = Walk(tree.get());
  start = Clock::now();
  tree.reset();
  const double deleteSeconds = SecondsSince(start);

  start = Clock::now();
  cpu = CpuSeconds();
  tree = std::make_unique<DirEnt>(root);
  tree->Scan(0);
  const double scanSeconds = SecondsSince(start);
  const double scanCpu = CpuSeconds() - cpu;
  const long rssPeak = PeakRssKb();
  const Walked scanned = Walk(tree.get());
  const long long entries = scanned.folders - 1 + scanned.files;
  const long long countedEntries = counted.folders - 1 + counted.files;

  std::printf(
      "entries=%lld folders=%lld files=%lld size=%.0f aborted=%d depth=%d deepest_listed=%d "
      "empty_folders=%lld longest_path=%zu\n",
      entries, scanned.folders, scanned.files, tree->GetSize(), tree->IsAborted(), scanned.depth,
      scanned.deepestListed, scanned.emptyFolders, scanned.longestName);
  auto perEntry = [](double seconds, long long n) {
    return n ? seconds * 1e9 / static_cast<double>(n) : 0.0;
  };
  std::printf(
      "counting: %.3f s wall, %.3f s cpu, %.1f ns/entry cpu over %lld entries; delete %.3f s\n",
      countSeconds, countCpu, perEntry(countCpu, countedEntries), countedEntries, deleteSeconds);
  std::printf("sizing:   %.3f s wall, %.3f s cpu, %.1f ns/entry cpu\n", scanSeconds, scanCpu,
              perEntry(scanCpu, entries));
  std::printf("peak_rss_kb=%ld rss_before_kb=%ld\n", rssPeak, rssBefore);
  std::fflush(stdout);
  start = Clock::now();
  tree.reset();
  std::printf("delete:   %.3f s\n", SecondsSince(start));
  platform::SetFileSystem(nullptr);
  return 0;
}
