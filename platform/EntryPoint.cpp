// The system's process entry point, handing over to the program's WinMain. On Windows too
// the process starts in main: mingw's start-up code calls main for a GUI-subsystem program
// as well, and a second WinMain next to the system's declaration would clash with it (GCC
// gives WinMain C linkage there, so the two can't be told apart by their parameters).
// Linked into the executable only.

// The program's entry point, defined by the program itself.
int WinMain(void* instance, void* prevInstance, char* cmdLine, int showCmd);

int main() {
  return WinMain(nullptr, nullptr, nullptr, 0);
}
