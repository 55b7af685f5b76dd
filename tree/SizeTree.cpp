// The size tree's nodes. A folder's children live in a vector that grows geometrically; a
// subtree is deleted without recursion so that a tree of any depth can be freed.
#include "tree/SizeTree.h"

#include <cstring>

namespace {

std::unique_ptr<char[]> CopyName(const std::string& name) {
  auto copy = std::make_unique_for_overwrite<char[]>(name.size() + 1);
  std::memcpy(copy.get(), name.c_str(), name.size() + 1);
  return copy;
}

}  // namespace

ObjEnt::ObjEnt(std::uint8_t fileFlag, const std::string& name, double size)
    : FileFlag(fileFlag), Name(CopyName(name)), Size(size), Aborted(0) {}

ObjEnt::~ObjEnt() = default;

void ObjEnt::SetIsFile(std::uint8_t flag) {
  FileFlag = flag;
}

void ObjEnt::SetName(const std::string& name) {
  Name = CopyName(name);
}

void ObjEnt::SetSize(double size) {
  Size = size;
}

std::uint8_t ObjEnt::IsFile() {
  return FileFlag;
}

std::string ObjEnt::GetName() {
  return Name ? std::string(Name.get()) : std::string();
}

double ObjEnt::GetSize() {
  return Size;
}

std::uint8_t ObjEnt::IsAborted() {
  return Aborted;
}

FileEnt::FileEnt(const std::string& name, double size) : ObjEnt(1, name, size) {}

FileEnt::~FileEnt() = default;

DirEnt::DirEnt(const std::string& name) : ObjEnt(0, name, 0.0), Count(0), Parent(nullptr) {}

DirEnt::~DirEnt() {
  Clear();
}

void DirEnt::AddEntry(ObjEnt* entry) {
  std::unique_ptr<ObjEnt> owned(entry);
  Entries.push_back(std::move(owned));
  ++Count;
  Size += entry->GetSize();
}

void DirEnt::Clear() {
  // Children are deleted in index order, each child's whole subtree before the next child.
  // The walk needs no memory of its own, so that deleting a tree works even when allocation
  // fails (a destructor must not throw): while a folder is being emptied its Count holds the
  // index of the next slot to delete and its Parent the folder to return to.
  if (Entries.empty()) {
    Count = 0;
    return;
  }
  DirEnt* dir = this;
  Count = 0;
  for (;;) {
    if (static_cast<std::size_t>(dir->Count) < dir->Entries.size()) {
      std::unique_ptr<ObjEnt>& slot = dir->Entries[static_cast<std::size_t>(dir->Count)];
      if (auto* sub = dynamic_cast<DirEnt*>(slot.get()); sub && !sub->Entries.empty()) {
        sub->Parent = dir;
        sub->Count = 0;
        dir = sub;
        continue;
      }
      slot.reset();
      ++dir->Count;
      continue;
    }
    std::vector<std::unique_ptr<ObjEnt>>().swap(dir->Entries);
    dir->Count = 0;
    if (dir == this) return;
    // `dir` is now empty: deleting it deletes only its name.
    DirEnt* up = dir->Parent;
    up->Entries[static_cast<std::size_t>(up->Count)].reset();
    ++up->Count;
    dir = up;
  }
}

DirEnt* DirEnt::GetParent() {
  return Parent;
}

FileEnt* DirEnt::AddFile(const std::string& name, double size) {
  auto* file = new FileEnt(name, size);
  AddEntry(file);
  return file;
}

DirEnt* DirEnt::AddDir(const std::string& name) {
  auto* dir = new DirEnt(name);
  AddEntry(dir);
  dir->Parent = this;
  return dir;
}

ObjEnt* DirEnt::GetEntry(std::int32_t index) {
  if (index < 0 || index >= Count) return nullptr;
  return Entries[static_cast<std::size_t>(index)].get();
}

std::int32_t DirEnt::GetCount() {
  return Count;
}
