// A scripted file system for the scan tests: folders are keyed by their full path and list
// exactly the entries given, in the order given. An entry can vanish before its query, make
// the listing fail when it is reached, or be a folder that cannot be listed (no listing
// registered) or whose opening throws. A prefix can be declared an endless chain of folders.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Paths.h"

struct FakeEntry {
  enum Kind { kFile, kDir, kVanish, kFailNext };
  std::string name;
  Kind kind = kFile;
  std::uint64_t size = 0;
};

inline FakeEntry File(std::string name, std::uint64_t size = 0) {
  return {std::move(name), FakeEntry::kFile, size};
}
inline FakeEntry Dir(std::string name) {
  return {std::move(name), FakeEntry::kDir, 0};
}
inline FakeEntry Vanish(std::string name) {
  return {std::move(name), FakeEntry::kVanish, 0};
}
inline FakeEntry FailHere() {
  return {"", FakeEntry::kFailNext, 0};
}

class FakeFileSystem : public platform::FileSystem {
 public:
  // The folder `path` (ending in the separator) lists `entries`.
  void Add(const std::string& path, std::vector<FakeEntry> entries) {
    folders_[path] = std::move(entries);
  }
  // Opening the folder `path` throws.
  void ThrowOnOpen(const std::string& path) { throwing_.insert(path); }
  // Every folder whose path starts with `prefix` lists one sub-folder, "d".
  void EndlessChain(const std::string& prefix) { chain_ = prefix; }

  int openListings = 0;  // listings currently open
  int queries = 0;

  std::unique_ptr<platform::DirListing> OpenDir(const std::string& path) override {
    if (throwing_.count(path)) throw std::runtime_error("cannot open " + path);
    if (!chain_.empty() && path.compare(0, chain_.size(), chain_) == 0)
      return std::make_unique<Listing>(*this, std::vector<FakeEntry>{Dir("d")});
    auto it = folders_.find(path);
    if (it == folders_.end()) return nullptr;
    return std::make_unique<Listing>(*this, it->second);
  }

 private:
  class Listing : public platform::DirListing {
   public:
    Listing(FakeFileSystem& fs, std::vector<FakeEntry> entries)
        : fs_(fs), entries_(std::move(entries)) {
      ++fs_.openListings;
    }
    ~Listing() override { --fs_.openListings; }

    const char* Next() override {
      if (next_ >= entries_.size()) return nullptr;
      current_ = &entries_[next_++];
      if (current_->kind == FakeEntry::kFailNext)
        throw std::system_error(std::make_error_code(std::errc::io_error), "readdir");
      return current_->name.c_str();
    }

    bool Query(const std::string& path, platform::EntryInfo& info) override {
      ++fs_.queries;
      // The path handed in must be the entry's own.
      if (path.size() < current_->name.size() ||
          path.compare(path.size() - current_->name.size(), std::string::npos, current_->name) != 0)
        throw std::logic_error("query for the wrong path " + path);
      if (current_->kind == FakeEntry::kVanish) return false;
      info.isDirectory = current_->kind == FakeEntry::kDir;
      info.size = current_->size;
      return true;
    }

   private:
    FakeFileSystem& fs_;
    std::vector<FakeEntry> entries_;
    std::size_t next_ = 0;
    const FakeEntry* current_ = nullptr;
  };

  std::map<std::string, std::vector<FakeEntry>> folders_;
  std::set<std::string> throwing_;
  std::string chain_;
};
