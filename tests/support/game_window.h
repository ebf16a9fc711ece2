#pragma once
// The main window as WinMain makes it, with a procedure that handles nothing itself: for
// tests that run the start-up steps on their own.
bool OpenQuietWindow();
// Destroys the window and forgets it.
void CloseQuietWindow();
