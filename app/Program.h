// The program entry's steps: every window created once, in order, the first one
// the main form; then the message loop until the main form closes.
#pragma once

// Creates the eighteen windows in their order, the main window first and made
// the application's main form. Does nothing when they already exist.
void CreateForms();

// Destroys the windows in the reverse order of their creation.
void DestroyForms();

// Shows the main window and dispatches messages until it closes; then destroys
// the windows and returns 0.
int RunApplication();
