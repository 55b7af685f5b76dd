// The size tree: one node per folder and file found by a scan, each with its full path and
// its size in bytes. A scan fills a root DirEnt through AddFile and AddDir (ScanPasses.cpp);
// the chart, the hit test and navigation only read a finished tree. Every operation is
// virtual and the declaration order below is the order of the virtual table.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class DirEnt;

class ObjEnt {
 public:
  ObjEnt(std::uint8_t fileFlag, const std::string& name, double size);
  ObjEnt(const ObjEnt&) = delete;
  ObjEnt& operator=(const ObjEnt&) = delete;

  virtual ~ObjEnt();
  virtual void SetIsFile(std::uint8_t flag);
  virtual void SetName(const std::string& name);
  virtual void SetSize(double size);
  virtual std::uint8_t IsFile();
  virtual std::string GetName();
  virtual double GetSize();
  virtual std::uint8_t IsAborted();

 protected:
  std::uint8_t FileFlag;
  // The full path, NUL-terminated. A bare heap string keeps a node small: a tree of millions
  // of entries holds one of these per entry.
  std::unique_ptr<char[]> Name;
  double Size;
  std::uint8_t Aborted;
};

class FileEnt : public ObjEnt {
 public:
  FileEnt(const std::string& name, double size);
  ~FileEnt() override;
};

class DirEnt : public ObjEnt {
 public:
  explicit DirEnt(const std::string& name);
  ~DirEnt() override;

  virtual void AddEntry(ObjEnt* entry);
  virtual void Clear();
  virtual DirEnt* GetParent();
  virtual FileEnt* AddFile(const std::string& name, double size);
  virtual DirEnt* AddDir(const std::string& name);
  virtual ObjEnt* GetEntry(std::int32_t index);
  virtual std::int32_t GetCount();
  virtual void CountEntries(std::int32_t depth);
  virtual void Scan(std::int32_t depth);

 protected:
  // The children in the order they were added. The array grows geometrically, so filling a
  // folder of n entries costs O(n) moves; Count is the number of children in it.
  std::vector<std::unique_ptr<ObjEnt>> Entries;
  std::int32_t Count;
  DirEnt* Parent;
};
