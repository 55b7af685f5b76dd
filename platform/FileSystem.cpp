// Which file system the passes see: the system's own, or a test's fake.
#include "platform/FileSystem.h"

namespace platform {

namespace {
FileSystem* installed = nullptr;
}

FileSystem& CurrentFileSystem() {
  return installed ? *installed : SystemFileSystem();
}

void SetFileSystem(FileSystem* fs) {
  installed = fs;
}

}  // namespace platform
