// The rules of the two passes, as a plain recursive walk over the layout:
// - a folder that can't be listed stays empty; an entry whose query fails is left out;
//   neither is an error and neither sets Aborted;
// - an error while an entry is handled (reading it, querying it, adding its node, or an
//   error let out by its sub-folder's pass) ends this folder's pass: Size is the running
//   total, Aborted is 1; an error before the loop (opening) goes to the caller;
// - a stop request is honoured after the next handled entry; Aborted is then 1;
// - otherwise Aborted is that of the last sub-folder handled, and Size the running total.
// The running total takes a file's size before its node is added, a sub-folder's size after
// its pass.
#include "ScanModel.h"

#include <cmath>
#include <sstream>

#include "platform/Paths.h"
#include "tree/SizeTree.h"

namespace faults {

namespace {

bool IsDot(const std::string& name) {
  return name == "." || name == "..";
}

std::string SiteList(const std::set<Site>& sites) {
  std::string text;
  for (const auto& [folder, position] : sites)
    text += " " + folder + "#" + std::to_string(position);
  return text;
}

}  // namespace

std::string FaultPlan::Describe() const {
  std::ostringstream out;
  for (const std::string& path : openFails) out << " open-fails " << path;
  for (const std::string& path : openThrows) out << " open-throws " << path;
  if (!nextThrows.empty()) out << " next-throws" << SiteList(nextThrows);
  if (!queryThrows.empty()) out << " query-throws" << SiteList(queryThrows);
  if (!queryFails.empty()) out << " query-fails" << SiteList(queryFails);
  if (stopAtPump) out << " stop-at-pump " << stopAtPump;
  for (long n : failAllocations) out << " fail-allocation " << n;
  return out.str().empty() ? " none" : out.str();
}

bool ScanModel::Struck(const std::string& folder, int position, Phase phase) const {
  return faults_->count({folder, position, phase}) > 0;
}

void ScanModel::Pump() {
  ++pumps;
  if (pumps == plan_->stopAtPump) stop = true;
}

ScanModel::Result ScanModel::Count(const FaultPlan& plan,
                                   const std::set<AllocationFault>& allocationFaults) {
  plan_ = &plan;
  faults_ = &allocationFaults;
  pumps = 0;
  Result result;
  result.root.name = layout_.root;
  try {
    CountFolder(result.root, 0);
  } catch (const Escape&) {
    result.escaped = true;
  }
  return result;
}

ScanModel::Result ScanModel::Size(const FaultPlan& plan,
                                  const std::set<AllocationFault>& allocationFaults) {
  plan_ = &plan;
  faults_ = &allocationFaults;
  pumps = 0;
  progress.clear();
  Result result;
  result.root.name = layout_.root;
  try {
    SizeFolder(result.root, 0);
  } catch (const Escape&) {
    result.escaped = true;
  }
  return result;
}

void ScanModel::CountFolder(ModelNode& folder, int depth) {
  if (depth >= 4) return;
  const std::string& path = folder.name;
  if (Struck(path, -1, Phase::kBeforeOpen)) throw Escape{};
  if (plan_->openThrows.count(path) || layout_.throwOnOpen.count(path)) throw Escape{};
  auto listed = layout_.folders.find(path);
  if (listed == layout_.folders.end() || plan_->openFails.count(path)) return;
  if (Struck(path, -1, Phase::kOpened)) throw Escape{};
  const std::vector<FakeEntry>& entries = listed->second;
  for (int position = 0;; ++position) {
    const bool failsHere = position < static_cast<int>(entries.size()) &&
                           entries[position].kind == FakeEntry::kFailNext;
    if (plan_->nextThrows.count({path, position}) || failsHere) {
      folder.aborted = true;
      return;
    }
    if (position >= static_cast<int>(entries.size())) return;
    const FakeEntry& entry = entries[position];
    Pump();
    if (IsDot(entry.name)) continue;
    ++counted;
    if (Struck(path, position, Phase::kAfterNext) || plan_->queryThrows.count({path, position})) {
      folder.aborted = true;
      return;
    }
    if (plan_->queryFails.count({path, position}) || entry.kind == FakeEntry::kVanish) continue;
    if (Struck(path, position, Phase::kAfterQuery)) {
      folder.aborted = true;
      return;
    }
    ModelNode child;
    child.isFile = entry.kind != FakeEntry::kDir;
    child.name = path + entry.name;
    if (!child.isFile) child.name.push_back(platform::kPathSeparator);
    folder.children.push_back(std::move(child));
    if (Struck(path, position, Phase::kNodeAdded)) {
      folder.aborted = true;
      return;
    }
    if (entry.kind == FakeEntry::kDir) {
      ModelNode& sub = folder.children.back();
      try {
        CountFolder(sub, depth + 1);
      } catch (const Escape&) {
        folder.aborted = true;
        return;
      }
      folder.aborted = sub.aborted;
    }
    if (stop) {
      folder.aborted = true;
      return;
    }
  }
}

void ScanModel::SizeFolder(ModelNode& folder, int depth) {
  const std::string& path = folder.name;
  if (Struck(path, -1, Phase::kBeforeOpen)) throw Escape{};
  if (plan_->openThrows.count(path) || layout_.throwOnOpen.count(path)) throw Escape{};
  auto listed = layout_.folders.find(path);
  if (listed == layout_.folders.end() || plan_->openFails.count(path)) return;
  if (Struck(path, -1, Phase::kOpened)) throw Escape{};
  const std::vector<FakeEntry>& entries = listed->second;
  double total = 0.0;
  auto endWith = [&](bool aborted) {
    folder.size = total;
    if (aborted) folder.aborted = true;
  };
  for (int position = 0;; ++position) {
    const bool failsHere = position < static_cast<int>(entries.size()) &&
                           entries[position].kind == FakeEntry::kFailNext;
    if (plan_->nextThrows.count({path, position}) || failsHere) return endWith(true);
    if (position >= static_cast<int>(entries.size())) return endWith(false);
    const FakeEntry& entry = entries[position];
    Pump();
    if (IsDot(entry.name)) continue;
    if (depth <= 3) ++scanned;
    progress.push_back(counted == 0
                           ? kAnyPercent
                           : static_cast<std::int32_t>(std::int64_t{scanned} * 100 / counted));
    if (Struck(path, position, Phase::kAfterNext) || plan_->queryThrows.count({path, position}))
      return endWith(true);
    if (plan_->queryFails.count({path, position}) || entry.kind == FakeEntry::kVanish) continue;
    ModelNode child;
    child.isFile = entry.kind != FakeEntry::kDir;
    child.name = path + entry.name;
    if (child.isFile) {
      child.size = static_cast<double>(entry.size);
      total += child.size;
      if (Struck(path, position, Phase::kAfterQuery)) return endWith(true);
      folder.children.push_back(std::move(child));
      if (Struck(path, position, Phase::kNodeAdded)) return endWith(true);
    } else {
      if (Struck(path, position, Phase::kAfterQuery)) return endWith(true);
      child.name.push_back(platform::kPathSeparator);
      folder.children.push_back(std::move(child));
      if (Struck(path, position, Phase::kNodeAdded)) return endWith(true);
      ModelNode& sub = folder.children.back();
      try {
        SizeFolder(sub, depth + 1);
      } catch (const Escape&) {
        return endWith(true);
      }
      folder.aborted = sub.aborted;
      total += sub.size;
    }
    if (stop) return endWith(true);
  }
}

namespace {

// Reads a folder's child array, which the tree keeps to itself.
struct EntriesPeek : DirEnt {
  static std::size_t Slots(DirEnt& dir, std::vector<const ObjEnt*>& slots) {
    const auto& entries = dir.*(&EntriesPeek::Entries);
    slots.clear();
    for (const auto& slot : entries) slots.push_back(slot.get());
    return entries.size();
  }
};

std::string Bits(double value) {
  std::ostringstream out;
  out.precision(17);
  out << value;
  return out.str();
}

std::string CompareNode(const ModelNode& expected, ObjEnt& actual, DirEnt* parent) {
  const std::string where = " at " + expected.name;
  if (actual.GetName() != expected.name) return "name " + actual.GetName() + where;
  if ((actual.IsFile() == 1) != expected.isFile) return "kind" + where;
  const double size = actual.GetSize();
  if (!(size == expected.size) || std::signbit(size) != std::signbit(expected.size))
    return "size " + Bits(size) + ", expected " + Bits(expected.size) + where;
  if ((actual.IsAborted() == 1) != expected.aborted)
    return "Aborted " + std::to_string(actual.IsAborted()) + where;
  if (actual.IsAborted() > 1) return "Aborted is not a flag" + where;
  if (expected.isFile) return "";
  auto& dir = static_cast<DirEnt&>(actual);
  if (dir.GetParent() != parent) return "parent" + where;
  std::vector<const ObjEnt*> slots;
  const std::size_t slotCount = EntriesPeek::Slots(dir, slots);
  if (slotCount != static_cast<std::size_t>(dir.GetCount()))
    return "Count " + std::to_string(dir.GetCount()) + " but " + std::to_string(slotCount) +
           " slots" + where;
  if (dir.GetCount() != static_cast<std::int32_t>(expected.children.size()))
    return "Count " + std::to_string(dir.GetCount()) + ", expected " +
           std::to_string(expected.children.size()) + where;
  if (dir.GetEntry(-1) || dir.GetEntry(dir.GetCount())) return "GetEntry out of range" + where;
  for (std::int32_t i = 0; i < dir.GetCount(); ++i) {
    ObjEnt* child = dir.GetEntry(i);
    if (!child || child != slots[static_cast<std::size_t>(i)])
      return "slot " + std::to_string(i) + where;
    std::string difference =
        CompareNode(expected.children[static_cast<std::size_t>(i)], *child, &dir);
    if (!difference.empty()) return difference;
  }
  return "";
}

}  // namespace

std::string CompareTree(const ModelNode& expected, DirEnt& actual) {
  return CompareNode(expected, actual, nullptr);
}

}  // namespace faults
