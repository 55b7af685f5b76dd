// Start-up of the application object and its four windows, in the order the program needs
// them: the title, then the main window (it becomes the main form and loads the settings in
// its creation event), the folder dialog, the About box and the progress dialog, and the
// scan's hooks wired to them. WinMain runs it before the message loop; tests and benchmarks
// run the same steps to get the real windows.
#pragma once

void CreateApplicationWindows();
