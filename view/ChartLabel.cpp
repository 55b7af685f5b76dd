#include "view/ChartLabel.h"

#include <array>
#include <charconv>

#include "platform/Paths.h"
#include "view/Utf8Repair.h"

namespace view {
namespace {

// Folder paths beyond this many characters are labelled from their first ones.
constexpr std::size_t kMaxPathChars = 259;

std::string Fixed(double value, int decimals, char unit) {
  std::array<char, 400> buffer;  // room for any double in fixed notation
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size() - 1, value,
                                    std::chars_format::fixed, decimals);
  *result.ptr = unit;
  return std::string(buffer.data(), result.ptr + 1);
}

}  // namespace

std::string FileNamePart(const std::string& path) {
  const std::size_t cut = path.find_last_of(platform::kPathSeparator);
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string FolderNamePart(const std::string& path) {
  std::string head = path.substr(0, kMaxPathChars);
  if (!head.empty()) head.pop_back();
  return FileNamePart(head);
}

std::string SizeText(double bytes) {
  constexpr double kPerK = 1.0 / 1024;
  if (bytes > 1073741824.0) return Fixed(bytes * kPerK * kPerK * kPerK, 1, 'G');
  if (bytes > 1048576.0) return Fixed(bytes * kPerK * kPerK, 1, 'M');
  return Fixed(bytes * kPerK, 0, 'K');
}

std::string ChartLabel(ObjEnt& entry) {
  const std::string path = entry.GetName();
  const std::string name = entry.IsFile() ? FileNamePart(path) : FolderNamePart(path);
  return RepairUtf8(name) + " : " + SizeText(entry.GetSize());
}

}  // namespace view
