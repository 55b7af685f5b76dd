// A file system that wraps the scan tests' FakeFileSystem and injects the faults of a plan:
// listings that won't open or throw on opening, Next() and queries that throw, queries that
// fail. It checks that every query names the entry just listed, and it tracks where the pass
// stands so that an injected allocation failure can be placed. Its own work is never counted
// as the pass's allocations.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "AllocationFaults.h"
#include "FakeFileSystem.h"
#include "FaultPlan.h"
#include "platform/FileSystem.h"

namespace faults {

class FaultyFileSystem : public platform::FileSystem {
 public:
  FaultyFileSystem(platform::FileSystem& inner, const FaultPlan& plan)
      : inner_(inner), plan_(plan) {}

  std::unique_ptr<platform::DirListing> OpenDir(const std::string& path) override {
    UncountedScope scope;
    Move(path, -1, Phase::kElsewhere);
    if (plan_.openThrows.count(path)) throw std::runtime_error("injected: cannot open " + path);
    if (plan_.openFails.count(path)) return nullptr;
    std::unique_ptr<platform::DirListing> listing = inner_.OpenDir(path);
    if (!listing) return nullptr;
    Move(path, -1, Phase::kOpened);
    ++openListings;
    return std::make_unique<Listing>(*this, path, std::move(listing));
  }

  // Where an allocation made now would be placed.
  AllocationFault Here() const { return here_; }
  // The pass is about to start on the root `path`: nothing is open yet.
  void Start(const std::string& path) {
    UncountedScope scope;
    Move(path, -1, Phase::kBeforeOpen);
  }

  int openListings = 0;
  std::vector<std::string> problems;  // misuses of the seam seen by the fake

 private:
  void Move(const std::string& folder, int position, Phase phase) {
    here_.folder = folder;
    here_.position = position;
    here_.phase = phase;
  }

  class Listing : public platform::DirListing {
   public:
    Listing(FaultyFileSystem& fs, std::string folder, std::unique_ptr<platform::DirListing> inner)
        : fs_(fs), folder_(std::move(folder)), inner_(std::move(inner)) {}
    ~Listing() override {
      UncountedScope scope;
      --fs_.openListings;
      fs_.Move(folder_, position_, Phase::kElsewhere);
    }

    const char* Next() override {
      UncountedScope scope;
      ++position_;
      last_ = nullptr;
      fs_.Move(folder_, position_, Phase::kElsewhere);
      if (ended_) fs_.problems.push_back("Next() after the end in " + folder_);
      if (fs_.plan_.nextThrows.count({folder_, position_}))
        throw std::system_error(std::make_error_code(std::errc::io_error), "injected readdir");
      last_ = inner_->Next();
      if (!last_) {
        ended_ = true;
        return nullptr;
      }
      fs_.Move(folder_, position_, Phase::kAfterNext);
      return last_;
    }

    bool Query(const std::string& path, platform::EntryInfo& info) override {
      return Answer(path, info, false);
    }
    bool QueryKind(const std::string& path, platform::EntryInfo& info) override {
      return Answer(path, info, true);
    }

   private:
    bool Answer(const std::string& path, platform::EntryInfo& info, bool kindOnly) {
      UncountedScope scope;
      fs_.Move(folder_, position_, Phase::kElsewhere);
      if (!last_ || path != folder_ + last_)
        fs_.problems.push_back("query of " + path + " after listing " +
                               (last_ ? folder_ + last_ : std::string("nothing")));
      if (fs_.plan_.queryThrows.count({folder_, position_}))
        throw std::system_error(std::make_error_code(std::errc::io_error), "injected query");
      bool found = false;
      if (!fs_.plan_.queryFails.count({folder_, position_}))
        found = kindOnly ? inner_->QueryKind(path, info) : inner_->Query(path, info);
      fs_.Move(folder_, position_, found ? Phase::kAfterQuery : Phase::kAfterQueryFailed);
      return found;
    }

    FaultyFileSystem& fs_;
    std::string folder_;
    std::unique_ptr<platform::DirListing> inner_;
    int position_ = -1;
    const char* last_ = nullptr;
    bool ended_ = false;
  };

  platform::FileSystem& inner_;
  const FaultPlan& plan_;
  AllocationFault here_;
};

}  // namespace faults
