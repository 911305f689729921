#pragma once

#include <windows.h>

extern HINSTANCE g_instance;
extern HWND g_mainWindow;

// Stores the instance and registers the main window's class; false when the class cannot be had.
bool RegisterMainWindowClass(HINSTANCE instance);

// Seeds the generator, makes the data folder, names and loads the favourites, then creates and
// shows the main window. False when the window cannot be created.
bool InitInstance(HINSTANCE instance, int showCommand);

// Creates the main window with its menu into g_mainWindow; null when it cannot.
HWND CreateMainWindow();

// Runs until the quit message and returns its code.
int RunMessageLoop();

// RunMessageLoop inside a single-threaded apartment, as a window's thread needs: the shell objects
// behind the open-file dialog cannot be reached from a multithreaded one, and the dialog then
// cannot browse folders such as Documents. `first` runs in the apartment before the loop. COM is
// left only when it was entered here.
int RunInApartment(void (*first)());

// Frees what outlives the window: the loaded picture and the favourites list.
void ReleaseAtExit();
