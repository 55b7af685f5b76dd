// The system's process entry point, handing over to the program's WinMain: the GUI entry
// point on Windows, main elsewhere. Linked into the executable only.

// The program's entry point, defined by the program itself.
int WinMain(void* instance, void* prevInstance, char* cmdLine, int showCmd);

#ifdef _WIN32
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prevInstance, LPSTR cmdLine, int showCmd) {
  return ::WinMain(static_cast<void*>(instance), static_cast<void*>(prevInstance), cmdLine,
                   showCmd);
}
#else
int main() {
  return WinMain(nullptr, nullptr, nullptr, 0);
}
#endif
