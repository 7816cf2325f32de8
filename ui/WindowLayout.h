#pragma once
// Where the schedule window and its controls go, in pixels.
#include "win/WinHeaders.h"

constexpr int kClientWidth = 765;
constexpr int kClientHeight = 600;

// Moves the window to (x, y) with a 765 x 600 client area for its styles.
void PlaceWithClientArea(HWND window, int x, int y);
// Every control of the day page to its rectangle.
void LayOutControls(HWND window);
