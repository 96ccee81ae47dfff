// The program entry's steps: every window created once, in order, the first one
// the main form; then the message loop until the main form closes.
#pragma once

#include <functional>

// Creates the eighteen windows in their order, the main window first and made
// the application's main form. Does nothing when they already exist.
void CreateForms();

// Destroys the windows in the reverse order of their creation.
void DestroyForms();

// Shows the main window and dispatches messages until it closes; then destroys
// the windows and returns 0. Once the main window is up, the hidden windows
// are made ready one at a time while the program waits for the player.
int RunApplication();

// Makes the hidden windows ready for their first showing (their forms built
// and drawn once off the screen), one window per turn of the message loop, in
// the order of their creation; `done` runs after the last one.
void PrepareWindows(std::function<void()> done = {});
