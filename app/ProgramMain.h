// The program's entry: the Finnish date names, the application object, the main window and the
// long-lived secondary windows, the hidden start and the message loop.
#pragma once

// Sets the long day names (index 1 = Sunday) and month names to the Finnish ones.
void MainInitialization();
// Gives every window, the about box among them, and the main window's notification-area icon
// the program's own picture.
void SetProgramPicture();
// Runs the program; returns the exit code (1 after the main window was closed, 0 when this copy
// doesn't run: the copy on the folder was asked to come forward, or the user was told why not).
int ProgramMain(int argc, char** argv);
// Whether the program starts hidden in the notification area: the first argument "/startup" in
// any letter case, or the setting "KäynnistäPienennettynä".
bool StartsHidden(int argc, char** argv);
