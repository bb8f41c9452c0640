#pragma once

// Starts the program: the application object, the shared windows in their fixed
// order, then the main frame's message loop. Returns the exit status.
int runTessaline(int argc, char** argv);

// Creates the program's long-lived windows once, in their fixed order, with the
// main frame first; each is reachable through its global afterwards.
void createSharedWindows();
