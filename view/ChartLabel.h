// The text drawn on a band taller than 12 px: the entry's own name, " : " and its size in K,
// M or G, for example "readme.txt : 12K" or "System32 : 1.5G". The name is repaired to UTF-8
// for the canvas; the tree's path itself is never changed.
#pragma once

#include <string>

#include "tree/SizeTree.h"

namespace view {

// The last component of a file's path.
std::string FileNamePart(const std::string& path);
// A folder's own name: its path cut to the first 259 characters, less the last of them (the
// trailing separator), then the last component.
std::string FolderNamePart(const std::string& path);
// "%.1fG" above 2^30 bytes, "%.1fM" above 2^20 bytes, "%.0fK" otherwise; always with a '.'
// whatever the process's locale.
std::string SizeText(double bytes);
// The whole label of a band's entry.
std::string ChartLabel(ObjEnt& entry);

}  // namespace view
