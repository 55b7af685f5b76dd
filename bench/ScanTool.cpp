// ombrelith-scan: the scan without a window. It runs the passes the way the program's scan
// driver does (a fresh root named with the folder's path and a trailing separator, the
// counting pass, delete, a fresh root, the sizing pass) with a pump that does nothing, then
// prints one summary line; with --dump it first prints every folder's size and path in tree
// order.
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/Paths.h"
#include "tree/ScanHooks.h"
#include "tree/SizeTree.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The folder as the program holds it: absolute, ending in the separator.
std::string FolderPath(const char* arg) {
  std::string path = std::filesystem::absolute(arg).lexically_normal().string();
  while (path.size() > 1 && path.back() == platform::kPathSeparator) path.pop_back();
  return platform::AppendSeparator(path);
}

struct Totals {
  long long folders = 0;
  long long files = 0;
};

// Walks the tree in tree order (a folder, then its children's subtrees in listing order),
// counting nodes and, when `dump` is set, printing one line per folder.
Totals Walk(DirEnt* root, bool dump) {
  Totals totals;
  struct Frame {
    DirEnt* dir;
    std::int32_t next;
  };
  std::vector<Frame> stack{{root, 0}};
  ++totals.folders;
  if (dump) std::printf("%.0f\t%s\n", root->GetSize(), root->GetName().c_str());
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.next >= top.dir->GetCount()) {
      stack.pop_back();
      continue;
    }
    ObjEnt* entry = top.dir->GetEntry(top.next++);
    if (entry->IsFile()) {
      ++totals.files;
      continue;
    }
    auto* dir = static_cast<DirEnt*>(entry);
    ++totals.folders;
    if (dump) std::printf("%.0f\t%s\n", dir->GetSize(), dir->GetName().c_str());
    stack.push_back({dir, 0});
  }
  return totals;
}

// The peak resident set of this program in kB. VmHWM belongs to this program's own memory;
// getrusage's maximum would carry over the RSS of the process that exec'ed it.
long PeakRssKb() {
  long kb = -1;
  if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, status))
      if (std::sscanf(line, "VmHWM: %ld", &kb) == 1) break;
    std::fclose(status);
  }
  if (kb < 0) {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    kb = usage.ru_maxrss;
  }
  return kb;
}

}  // namespace

int main(int argc, char** argv) {
  bool dump = false;
  const char* folder = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--dump") == 0 && !dump) {
      dump = true;
    } else if (!folder) {
      folder = argv[i];
    } else {
      folder = nullptr;
      break;
    }
  }
  if (!folder) {
    std::fprintf(stderr, "usage: ombrelith-scan [--dump] FOLDER\n");
    return 2;
  }
  struct stat st;
  if (stat(folder, &st) != 0 || !S_ISDIR(st.st_mode)) {
    std::fprintf(stderr, "ombrelith-scan: %s: not a folder\n", folder);
    return 2;
  }
  const std::string path = FolderPath(folder);

  static char buffer[1 << 16];
  std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);

  StopRequested = 0;
  EntriesCounted = 0;
  EntriesScanned = 0;
  const Clock::time_point countStart = Clock::now();
  auto root = std::make_unique<DirEnt>(path);
  root->CountEntries(0);
  root.reset();
  const double countMs = MillisecondsSince(countStart);
  const Clock::time_point scanStart = Clock::now();
  root = std::make_unique<DirEnt>(path);
  root->Scan(0);
  const double scanMs = MillisecondsSince(scanStart);

  const Totals totals = Walk(root.get(), dump);
  std::printf(
      "entries_counted=%d entries_scanned=%d folders=%lld files=%lld size=%.0f count_ms=%.1f "
      "scan_ms=%.1f peak_rss_kb=%ld\n",
      EntriesCounted, EntriesScanned, totals.folders, totals.files, root->GetSize(), countMs,
      scanMs, PeakRssKb());
  std::fflush(stdout);
  // The process ends here: the tree is left to the system rather than freed node by node.
  root.release();
  return 0;
}
