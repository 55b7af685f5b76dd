// Folder and drive choice: TDirectoryListBox shows a folder's path and its sub-folders and
// lets the user move through the tree; TDriveComboBox lists the drives and switches a linked
// directory list to the chosen one. Both are built on the generic list and combo controls and
// register themselves as the form loader's kinds "TDirectoryListBox" (description keys
// "DirLabel": the name of the label that shows the current folder, "ItemHeight") and
// "TDriveComboBox" ("DirList": the name of the directory list it drives).
//
// Data flow: SetDirectory reads the folder, rebuilds the lines, updates the linked label
// (shortened to its width) and moves the linked drive selector to the folder's drive. A
// double-click on a line calls SetDirectory with that line's folder; a choice in the drive
// selector calls it with the drive's current folder. A folder that can't be read raises
// platform::Exception naming it, and everything stays as it was.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Controls.h"

namespace platform {

class TDriveComboBox;

class TDirectoryListBox : public TCustomListBox {
 public:
  // Starts at the process's current working directory.
  TDirectoryListBox(TCustomForm& form, TWinControl* parent);

  // The current folder as a full path: a drive root with its separator ("/", "C:\"), any
  // other folder without a trailing separator.
  const std::string& Directory() const { return directory_; }
  // Opens `path` (a trailing separator is accepted; a relative path is taken from the
  // working directory; "." and ".." parts are resolved). Raises Exception naming the path
  // when it can't be listed; the list, the label and the drive selector then stay as they were.
  void SetDirectory(const std::string& path);

  // Lines 0 .. PathLineCount()-1 are the path from the drive root down to the current folder;
  // the lines after them are the current folder's sub-folders, sorted by name.
  int PathLineCount() const { return pathLineCount_; }
  // The folder that line `index` stands for.
  std::string LineFolder(int index) const;
  // What a double-click on line `index` does: makes its folder the current one.
  void OpenLine(int index);

  // The label that shows the current folder (nullptr: none).
  TLabel* DirLabel() const { return dirLabel_; }
  void SetDirLabel(TLabel* label);
  // The drive selector kept on the current folder's drive (set by the selector itself).
  void SetDriveCombo(TDriveComboBox* combo);

  // Runs after the current folder changed.
  TNotifyEvent OnChange;

  void Loaded(TCustomForm& form) override;
  // The description's "DirLabel" name, resolved in Loaded.
  std::string DirLabelName;

 private:
  void ShowInLabel();
  std::string directory_;
  int pathLineCount_ = 0;
  std::vector<std::string> lineFolders_;
  TLabel* dirLabel_ = nullptr;
  TDriveComboBox* driveCombo_ = nullptr;
};

class TDriveComboBox : public TCustomComboBox {
 public:
  // Lists the drives now mounted (ListDrives).
  TDriveComboBox(TCustomForm& form, TWinControl* parent);

  const std::vector<std::string>& Drives() const { return drives_; }
  // Replaces the drive list (the constructor reads ListDrives; tests give their own).
  void SetDrives(std::vector<std::string> drives);
  // Reads the drive list again, keeping the selection on the same drive where it still exists.
  void RefreshDrives();
  // The selected drive's root, empty when none is selected.
  std::string Drive() const;
  // What the user's choice of line `index` does: unless the list is already on that drive,
  // it opens the drive's current folder (DriveCurrentFolder). When the drive can't be read an
  // Exception naming it passes on and the selection returns to the list's drive.
  void ChooseDrive(int index);
  // Selects the drive that holds `folder` without opening anything (the longest drive root
  // that is a prefix of it). Called by the linked list when its folder changes.
  void FollowFolder(const std::string& folder);

  TDirectoryListBox* DirList() const { return dirList_; }
  void SetDirList(TDirectoryListBox* list);

  void Loaded(TCustomForm& form) override;
  // The description's "DirList" name, resolved in Loaded.
  std::string DirListName;

 private:
  int IndexOfDriveHolding(const std::string& folder) const;
  std::vector<std::string> drives_;
  TDirectoryListBox* dirList_ = nullptr;
};

// The label text for `path` when it must fit `maxWidth` pixels as measured by `width`: the
// path itself when it fits, else the drive root, "...", and as many of the last folders as
// fit (at least the last one), e.g. "/.../photos/2019".
std::string ShortenPathForWidth(const std::string& path, int maxWidth,
                                const std::function<int(const std::string&)>& width);

// Registers "TDirectoryListBox" and "TDriveComboBox" with the form loader. Safe to call more
// than once; the dialogs call it before loading their descriptions.
void RegisterFileControls();

}  // namespace platform
