// The process entry point where the system has no GUI entry point of its own: main hands over
// to the program's WinMain. On Windows WinMain is the entry point and nothing is needed here.
#include "platform/EntryPoint.h"

#ifndef _WIN32
int main() {
  return WinMain(nullptr, nullptr, nullptr, 0);
}
#endif
