// The settings kept for the current user under one key: the main window's placement (read at
// start, written at exit unless maximized) and the folder of the last scan started (written
// when a scan starts, read at start into SavedPath). Each call opens and closes the key itself.
// A value of the wrong type or a failing write raises the registry's error naming the value.
#pragma once

#include <string>

namespace platform {
class TCustomForm;
}
class TDuForm;

// The folder read at start; the main window copies it into its FolderPath once FormCreate has
// run.
extern std::string SavedPath;

// The relative key path all four use.
std::string SettingsKeyPath();

// "Left", "Top", "Width", "Height" into the main window (Application->MainForm()).
void LoadPlacement();
// "Path" into SavedPath.
void LoadFolderPath();
// The window's placement, unless it is maximized.
void SavePlacement(platform::TCustomForm& form);
// The window's FolderPath as "Path".
void SaveFolderPath(TDuForm& form);
