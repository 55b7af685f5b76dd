// The program's entry point, declared with the shape of the Windows GUI entry point so that on
// Windows it is the process's entry point itself; elsewhere main (EntryPoint.cpp) calls it.
// The program defines it (shell/main.cpp). Its arguments are the instance, the previous
// instance, the command line and the show state; none is used.
#pragma once

struct HINSTANCE__;

extern "C" int WinMain(HINSTANCE__* instance, HINSTANCE__* prevInstance, char* cmdLine,
                       int showCmd);
