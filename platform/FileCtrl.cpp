// The directory list and the drive selector. A folder is held as a normalised full path: a
// drive root with its separator, any other folder without a trailing one. Sub-folders are
// read through the system's file-system seam, so a link is never shown as a folder.
#include "platform/FileCtrl.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/Backend.h"
#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "platform/FormDescription.h"
#include "platform/Forms.h"
#include "platform/Paths.h"

namespace platform {

namespace {

// A 16 x 16 glyph drawn from a character map: '#' outline, 'o' fill, anything else clear.
TBitmapData GlyphFrom(const char* const rows[16], std::uint32_t fill) {
  TBitmapData g;
  g.Width = g.Height = 16;
  g.Pixels.reserve(256);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const char c = rows[y][x];
      g.Pixels.push_back(c == '#' ? 0xFF000000u : c == 'o' ? fill : 0x00000000u);
    }
  return g;
}

const TBitmapData& FolderGlyph() {
  static const char* const rows[16] = {
      "                ",   "                ",  "  #####         ",  " #ooooo#        ",
      " #oooooo#######  ",  " #ooooooooooooo# ", " #ooooooooooooo# ", " #ooooooooooooo# ",
      " #ooooooooooooo# ",  " #ooooooooooooo# ", " #ooooooooooooo# ", " #ooooooooooooo# ",
      " ###############  ", "                ",  "                ",  "                "};
  static const TBitmapData glyph = GlyphFrom(rows, 0xFFF0C850u);
  return glyph;
}

const TBitmapData& OpenFolderGlyph() {
  static const char* const rows[16] = {
      "                ",  "                ",  "  #####         ",  " #ooooo#        ",
      " #oooooo#####   ",  " #ooooooooooo#   ", " #oo###########  ", " #o#ooooooooooo# ",
      " #o#oooooooooo#  ", " ##oooooooooo#   ", " ##ooooooooo#    ", " #ooooooooo#     ",
      " ###########     ", "                ",  "                ",  "                "};
  static const TBitmapData glyph = GlyphFrom(rows, 0xFFF0C850u);
  return glyph;
}

const TBitmapData& DriveGlyph() {
  static const char* const rows[16] = {
      "                ",  "                ", "                ", "                ",
      "                ",  " ############## ", " #oooooooooooo# ", " #oooooooooooo# ",
      " #oooooooooo##o# ", " #oooooooooooo# ", " ############## ", "                ",
      "                ",  "                ", "                ", "                "};
  static const TBitmapData glyph = GlyphFrom(rows, 0xFFC0C0C0u);
  return glyph;
}

// The full, normalised form of `path`, without a trailing separator unless it is a root.
std::string Normalise(const std::string& path) {
  std::error_code ec;
  std::filesystem::path p(path);
  if (!p.is_absolute()) {
    p = std::filesystem::absolute(p, ec);
    if (ec) throw Exception("Cannot open the folder " + path + ": " + ec.message());
  }
  std::string s = p.lexically_normal().string();
  while (s.size() > 1 && s.back() == kPathSeparator && !IsDriveRoot(s)) s.pop_back();
  return s;
}

// The drive root of a normalised path and the folder names below it.
struct PathParts {
  std::string root;
  std::vector<std::string> folders;
};

PathParts Split(const std::string& path) {
  PathParts parts;
  const std::size_t first = path.find(kPathSeparator);
  if (first == std::string::npos) {
    parts.root = path;
    return parts;
  }
  parts.root = path.substr(0, first + 1);
  std::size_t start = first + 1;
  while (start < path.size()) {
    std::size_t end = path.find(kPathSeparator, start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.folders.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string Join(const std::string& root, const std::vector<std::string>& folders, std::size_t from,
                 std::size_t to) {
  std::string s = root;
  for (std::size_t i = from; i < to; ++i) {
    if (i > from) s += kPathSeparator;
    s += folders[i];
  }
  return s;
}

// The names of the sub-folders of `folder`, sorted; raises when it can't be listed.
std::vector<std::string> ReadSubFolders(const std::string& folder) {
  const std::string withSeparator = AppendSeparator(folder);
  std::unique_ptr<DirListing> listing = SystemFileSystem().OpenDir(withSeparator);
  if (!listing) throw Exception("Cannot open the folder " + folder);
  std::vector<std::string> names;
  try {
    while (const char* name = listing->Next()) {
      const std::string_view n(name);
      if (n == "." || n == "..") continue;
      EntryInfo info;
      if (listing->QueryKind(JoinPath(withSeparator, n), info) && info.isDirectory)
        names.emplace_back(n);
    }
  } catch (const std::system_error& e) {
    throw Exception("Cannot read the folder " + folder + ": " + e.what());
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool StartsWithDrive(const std::string& path, const std::string& drive) {
  if (path.size() < drive.size()) return false;
  for (std::size_t i = 0; i < drive.size(); ++i) {
    char a = path[i], b = drive[i];
    if constexpr (kPathSeparator == '\\') {  // drive letters are case-blind
      if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
      if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
    }
    if (a != b) return false;
  }
  return true;
}

}  // namespace

std::string HomeFolder() {
  for (const char* name : {"HOME", "USERPROFILE"})
    if (const char* value = std::getenv(name); value && *value) return value;
  return {};
}

std::string ShortenPathForWidth(const std::string& path, int maxWidth,
                                const std::function<int(const std::string&)>& width) {
  if (width(path) <= maxWidth) return path;
  const PathParts parts = Split(path);
  const std::size_t n = parts.folders.size();
  if (n < 2) return path;
  const std::string lead = parts.root + "..." + kPathSeparator;
  for (std::size_t dropped = 1; dropped < n - 1; ++dropped) {
    std::string candidate = Join(lead, parts.folders, dropped, n);
    if (width(candidate) <= maxWidth) return candidate;
  }
  return lead + parts.folders.back();
}

// TDirectoryListBox

TDirectoryListBox::TDirectoryListBox(TCustomForm& form, TWinControl* parent)
    : TCustomListBox(form, parent) {
  OnDblClick = [this](TObject*) { OpenLine(ItemIndex()); };
  std::error_code ec;
  const std::string start = std::filesystem::current_path(ec).string();
  try {
    SetDirectory(ec ? std::string() : start);
  } catch (const Exception&) {
    SetDirectory(ListDrives().front());  // the working directory is gone: its drive's root
  }
}

void TDirectoryListBox::SetDirectory(const std::string& path) {
  if (path.empty()) throw Exception("Cannot open a folder with an empty name");
  const std::string folder = Normalise(path);
  const std::vector<std::string> subFolders = ReadSubFolders(folder);

  const PathParts parts = Split(folder);
  std::vector<TListLine> lines;
  std::vector<std::string> folders;
  lines.push_back({parts.root, &OpenFolderGlyph(), 0});
  folders.push_back(parts.root);
  for (std::size_t i = 0; i < parts.folders.size(); ++i) {
    lines.push_back({parts.folders[i], &OpenFolderGlyph(), static_cast<int>(i + 1)});
    folders.push_back(Join(parts.root, parts.folders, 0, i + 1));
  }
  const int pathLines = static_cast<int>(lines.size());
  const std::string prefix = AppendSeparator(folder);
  for (const std::string& name : subFolders) {
    lines.push_back({name, &FolderGlyph(), pathLines});
    folders.push_back(prefix + name);
  }

  directory_ = folder;
  pathLineCount_ = pathLines;
  lineFolders_ = std::move(folders);
  SetLines(std::move(lines));
  SetItemIndex(pathLines - 1);
  ShowInLabel();
  if (driveCombo_) driveCombo_->FollowFolder(directory_);
  if (OnChange) OnChange(this);
}

std::string TDirectoryListBox::LineFolder(int index) const {
  if (index < 0 || index >= static_cast<int>(lineFolders_.size())) return {};
  return lineFolders_[static_cast<std::size_t>(index)];
}

void TDirectoryListBox::OpenLine(int index) {
  const std::string folder = LineFolder(index);
  if (!folder.empty()) SetDirectory(folder);
}

void TDirectoryListBox::SetDirLabel(TLabel* label) {
  dirLabel_ = label;
  ShowInLabel();
}

void TDirectoryListBox::SetDriveCombo(TDriveComboBox* combo) {
  driveCombo_ = combo;
}

void TDirectoryListBox::ShowInLabel() {
  if (!dirLabel_) return;
  const TFont font = dirLabel_->Font();
  const Backend& backend = CurrentBackend();
  dirLabel_->SetCaption(
      ShortenPathForWidth(directory_, dirLabel_->Width(), [&](const std::string& text) {
        int w = 0, h = 0;
        backend.MeasureText(font, text, w, h);
        return w;
      }));
}

void TDirectoryListBox::Loaded(TCustomForm& form) {
  TCustomListBox::Loaded(form);
  if (DirLabelName.empty()) return;
  TLabel* label = form.FindComponent<TLabel>(DirLabelName);
  if (!label) throw Exception(Name + ": no label " + DirLabelName + " on form " + form.Name);
  SetDirLabel(label);
}

// TDriveComboBox

TDriveComboBox::TDriveComboBox(TCustomForm& form, TWinControl* parent)
    : TCustomComboBox(form, parent) {
  OnChange = [this](TObject*) { ChooseDrive(ItemIndex()); };
  RefreshDrives();
}

void TDriveComboBox::RefreshDrives() {
  SetDrives(ListDrives());
}

void TDriveComboBox::SetDrives(std::vector<std::string> drives) {
  const std::string selected = Drive();
  drives_ = std::move(drives);
  std::vector<TListLine> lines;
  for (const std::string& drive : drives_) lines.push_back({drive, &DriveGlyph(), 0});
  SetLines(std::move(lines));
  auto it = std::find(drives_.begin(), drives_.end(), selected);
  SetItemIndex(it == drives_.end() ? -1 : static_cast<int>(it - drives_.begin()));
}

std::string TDriveComboBox::Drive() const {
  const int i = ItemIndex();
  if (i < 0 || i >= static_cast<int>(drives_.size())) return {};
  return drives_[static_cast<std::size_t>(i)];
}

int TDriveComboBox::IndexOfDriveHolding(const std::string& folder) const {
  const std::string path = AppendSeparator(folder);
  int best = -1;
  std::size_t bestLength = 0;
  for (std::size_t i = 0; i < drives_.size(); ++i)
    if (StartsWithDrive(path, drives_[i]) && drives_[i].size() > bestLength) {
      best = static_cast<int>(i);
      bestLength = drives_[i].size();
    }
  return best;
}

void TDriveComboBox::FollowFolder(const std::string& folder) {
  int index = IndexOfDriveHolding(folder);
  if (index < 0) {  // mounted since the list was read
    RefreshDrives();
    index = IndexOfDriveHolding(folder);
  }
  SetItemIndex(index);
}

void TDriveComboBox::ChooseDrive(int index) {
  if (!dirList_ || index < 0 || index >= static_cast<int>(drives_.size())) return;
  const std::string drive = drives_[static_cast<std::size_t>(index)];
  if (IndexOfDriveHolding(dirList_->Directory()) == index) return;
  try {
    dirList_->SetDirectory(DriveCurrentFolder(drive));
  } catch (const Exception& e) {
    FollowFolder(dirList_->Directory());
    throw Exception("Cannot read the drive " + drive + " (" + e.what() + ")");
  }
}

void TDriveComboBox::SetDirList(TDirectoryListBox* list) {
  if (dirList_) dirList_->SetDriveCombo(nullptr);
  dirList_ = list;
  if (!list) return;
  list->SetDriveCombo(this);
  FollowFolder(list->Directory());
}

void TDriveComboBox::Loaded(TCustomForm& form) {
  TCustomComboBox::Loaded(form);
  if (DirListName.empty()) return;
  auto* list = form.FindComponent<TDirectoryListBox>(DirListName);
  if (!list) throw Exception(Name + ": no directory list " + DirListName + " on form " + form.Name);
  SetDirList(list);
}

void RegisterFileControls() {
  static const bool registered = [] {
    RegisterComponentKind("TDirectoryListBox",
                          [](TCustomForm& form, TWinControl* parent, const ComponentDesc& d) {
                            auto list = std::make_unique<TDirectoryListBox>(form, parent);
                            list->SetLineHeight(d.Int("ItemHeight", 16));
                            list->DirLabelName = d.String("DirLabel", "");
                            return list;
                          });
    RegisterComponentKind("TDriveComboBox",
                          [](TCustomForm& form, TWinControl* parent, const ComponentDesc& d) {
                            auto combo = std::make_unique<TDriveComboBox>(form, parent);
                            combo->DirListName = d.String("DirList", "");
                            return combo;
                          });
    return true;
  }();
  (void)registered;
}

}  // namespace platform
