// The program entry's steps: every window created once, in order, the first one
// the main form; then the message loop until the main form closes.
#pragma once

void CreateForms();
int RunApplication();
