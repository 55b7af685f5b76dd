// Small builders shared by the view tests: trees made with AddFile/AddDir whose folder sizes
// are then summed bottom-up, and a timer whose driver logs every start and stop.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Paths.h"
#include "platform/Timer.h"
#include "tree/SizeTree.h"

namespace testing_view {

inline const std::string kSep(1, platform::kPathSeparator);

// A root folder named `path` (which ends in the separator).
inline std::unique_ptr<DirEnt> MakeRoot(const std::string& path) {
  return std::make_unique<DirEnt>(path);
}

inline FileEnt* File(DirEnt& parent, const std::string& name, double size) {
  return parent.AddFile(parent.GetName() + name, size);
}

inline DirEnt* Folder(DirEnt& parent, const std::string& name) {
  return parent.AddDir(parent.GetName() + name + kSep);
}

// Sets every folder's size to the sum of its entries, as the sizing pass leaves it.
inline double SumSizes(DirEnt& folder) {
  double total = 0;
  for (int i = 0; i < folder.GetCount(); ++i) {
    ObjEnt* entry = folder.GetEntry(i);
    if (entry->IsFile())
      total += entry->GetSize();
    else
      total += SumSizes(static_cast<DirEnt&>(*entry));
  }
  folder.SetSize(total);
  return total;
}

class LoggingDriver : public platform::TimerDriver {
 public:
  explicit LoggingDriver(std::vector<std::string>& log) : log_(log) {}
  void Start(unsigned intervalMs) override {
    log_.push_back("start " + std::to_string(intervalMs));
  }
  void Stop() override { log_.push_back("stop"); }

 private:
  std::vector<std::string>& log_;
};

// Timer1 as the window's settings create it (off, 100 ms), with its driver's log.
struct LoggedTimer {
  std::vector<std::string> log;
  platform::TTimer timer{std::make_unique<LoggingDriver>(log)};
};

}  // namespace testing_view
