// The program's entry point. Its four arguments (instance, previous instance, command line,
// show state) are not used; it returns 0.
#pragma once

int WinMain(void* instance, void* prevInstance, char* cmdLine, int showCmd);
