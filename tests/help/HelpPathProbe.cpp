// Prints where the help-file search finds the file named on the command line.
#include <cstdio>

#include "platform/HelpPath.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::printf("%s", platform::ResolveHelpFile(argv[1]).c_str());
  return 0;
}
