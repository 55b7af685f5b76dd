// Random layouts and plans. Each folder's entries get unique names; the kinds are drawn with
// fixed weights so that every fault the fake can serve turns up in most trees of some size.
#include "RandomTree.h"

#include <iterator>
#include <limits>

#include "platform/Paths.h"

namespace faults {

namespace {

std::uint64_t RandomSize(std::mt19937_64& rng) {
  switch (rng() % 8) {
    case 0:
      return 0;
    case 1:
      return std::uint64_t{1} << 32;
    case 2:
      return (std::uint64_t{1} << 53) + 1 + 2 * (rng() % 1000);  // rounds when converted
    case 3:
      return rng() % (std::uint64_t{1} << 40);
    case 4:
      return std::numeric_limits<std::uint64_t>::max() - rng() % 4096;
    default:
      return rng() % 100000;
  }
}

std::string RandomName(std::mt19937_64& rng, int index) {
  std::string name = (rng() % 2 ? "e" : "entry with a long name ") + std::to_string(index);
  if (rng() % 5 == 0) name.insert(0, ".");  // ".e3" is an ordinary name
  if (rng() % 7 == 0) name += std::string(1 + rng() % 40, 'x');
  return name;
}

void Fill(std::mt19937_64& rng, Layout& layout, const std::string& path, int depth,
          const TreeShape& shape) {
  std::vector<FakeEntry>& entries = layout.folders[path];
  const int count = static_cast<int>(rng() % (shape.maxEntries + 1));
  std::vector<std::string> subFolders;
  for (int i = 0; i < count; ++i) {
    const unsigned roll = rng() % 100;
    std::string name = RandomName(rng, i);
    if (roll < 4) {
      entries.push_back(File(rng() % 2 ? "." : ".."));
    } else if (roll < 34 && depth < shape.maxDepth) {
      entries.push_back(Dir(name));
      std::string sub = path + name;
      sub.push_back(platform::kPathSeparator);
      const unsigned fate = rng() % 100;
      if (shape.withFaults && fate < 5) {
        // listed as a folder, but no listing: it can't be opened
      } else if (shape.withFaults && fate < 8) {
        layout.throwOnOpen.insert(sub);
      } else {
        subFolders.push_back(sub);
      }
    } else if (shape.withFaults && roll < 39) {
      entries.push_back(Vanish(name));
    } else if (shape.withFaults && roll < 41) {
      entries.push_back(FailHere());
    } else {
      entries.push_back(File(name, RandomSize(rng)));
    }
  }
  for (const std::string& sub : subFolders) Fill(rng, layout, sub, depth + 1, shape);
}

template <typename T>
const T& Pick(std::mt19937_64& rng, const std::vector<T>& items) {
  return items[rng() % items.size()];
}

}  // namespace

Layout RandomLayout(std::mt19937_64& rng, const std::string& root, const TreeShape& shape) {
  Layout layout;
  layout.root = root;
  Fill(rng, layout, root, 0, shape);
  return layout;
}

FaultPlan RandomPlan(std::mt19937_64& rng, const Layout& layout, const PassCounts& clean) {
  FaultPlan plan;
  std::vector<Site> sites;
  std::vector<std::string> folders;
  for (const auto& [path, entries] : layout.folders) {
    folders.push_back(path);
    for (int position = 0; position <= static_cast<int>(entries.size()); ++position)
      sites.push_back({path, position});
  }
  const int faults = static_cast<int>(rng() % 4);
  for (int i = 0; i < faults; ++i) {
    switch (rng() % 5) {
      case 0:
        plan.nextThrows.insert(Pick(rng, sites));
        break;
      case 1:
        plan.queryThrows.insert(Pick(rng, sites));
        break;
      case 2:
        plan.queryFails.insert(Pick(rng, sites));
        break;
      case 3:
        plan.openFails.insert(Pick(rng, folders));
        break;
      default:
        plan.openThrows.insert(Pick(rng, folders));
        break;
    }
  }
  if (rng() % 3 == 0) plan.stopAtPump = 1 + static_cast<long>(rng() % (clean.pumps + 2));
  if (clean.allocations > 0) {
    const int allocationFaults = rng() % 2 ? 0 : 1 + static_cast<int>(rng() % 3);
    for (int i = 0; i < allocationFaults; ++i)
      plan.failAllocations.insert(1 + static_cast<long>(rng() % clean.allocations));
  }
  return plan;
}

}  // namespace faults
