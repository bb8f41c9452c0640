#pragma once

#include <memory>

class TMainFORM;

// Starts the program: the application object, the shared windows in their fixed
// order, then the main frame's message loop. Returns the exit status.
int runTessaline(int argc, char** argv);

// Creates the main frame, which owns its own dialogs, then the shared windows
// that remain, in their fixed order, owned by the frame.
std::unique_ptr<TMainFORM> createSharedWindows();
