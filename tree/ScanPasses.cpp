// The two scan passes over a folder: CountEntries lists the top four levels to count their
// entries (the progress denominator); Scan lists the whole tree, adds a node per entry and
// sums the sizes. Both pump the message queue once per listed entry and stop when a handler
// run by the pump has set StopRequested. An error while one entry is handled ends only that
// folder's pass, which closes its listing, marks itself Aborted and returns normally.
#include <cstring>
#include <exception>
#include <limits>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "tree/ScanHooks.h"
#include "tree/ScanPasses.h"
#include "tree/SizeTree.h"

namespace {

bool IsDotOrDotDot(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

void Increment(std::int32_t& counter) {
  if (counter < std::numeric_limits<std::int32_t>::max()) ++counter;
}

}  // namespace

void DirEnt::CountEntries(std::int32_t depth) {
  if (depth >= kCountDepthLimit) return;
  if (!Name || Name[0] == '\0') return;
  if (Count > 0) Clear();
  Aborted = 0;
  std::unique_ptr<platform::DirListing> listing = platform::CurrentFileSystem().OpenDir(Name.get());
  if (!listing) return;

  // The entry's path is built in one buffer per folder: this folder's name, then the entry's.
  std::string path(Name.get());
  const std::size_t base = path.size();
  platform::EntryInfo info;
  try {
    while (const char* name = listing->Next()) {
      PumpMessages();
      if (IsDotOrDotDot(name)) continue;
      Increment(EntriesCounted);
      path.resize(base);
      path.append(name);
      if (!listing->QueryKind(path, info)) continue;
      if (info.isDirectory) {
        path.push_back(platform::kPathSeparator);
        DirEnt* sub = AddDir(path);
        sub->CountEntries(depth + 1);
        Aborted = sub->IsAborted();
      } else {
        AddFile(path, 0.0);
      }
      if (StopRequested) {
        listing.reset();
        Aborted = 1;
        return;
      }
    }
  } catch (const std::exception&) {
    listing.reset();
    Aborted = 1;
    return;
  }
  listing.reset();
}

void DirEnt::Scan(std::int32_t depth) {
  if (!Name || Name[0] == '\0') return;
  if (Count > 0) Clear();
  Aborted = 0;
  double total = 0.0;
  if (depth >= kMaxScanDepth) return;
  std::unique_ptr<platform::DirListing> listing = platform::CurrentFileSystem().OpenDir(Name.get());
  if (!listing) return;

  std::string path(Name.get());
  const std::size_t base = path.size();
  platform::EntryInfo info;
  try {
    while (const char* name = listing->Next()) {
      PumpMessages();
      if (IsDotOrDotDot(name)) continue;
      if (depth <= 3) Increment(EntriesScanned);
      SetProgress(ProgressPercent(EntriesScanned, EntriesCounted));
      path.resize(base);
      path.append(name);
      if (!listing->Query(path, info)) continue;
      if (info.isDirectory) {
        path.push_back(platform::kPathSeparator);
        DirEnt* sub = AddDir(path);
        sub->Scan(depth + 1);
        Aborted = sub->IsAborted();
        total += sub->GetSize();
      } else {
        const double size = static_cast<double>(info.size);
        total += size;
        AddFile(path, size);
      }
      if (StopRequested) {
        listing.reset();
        Size = total;
        Aborted = 1;
        return;
      }
    }
  } catch (const std::exception&) {
    listing.reset();
    Size = total;
    Aborted = 1;
    return;
  }
  listing.reset();
  Size = total;
}
