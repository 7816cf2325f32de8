#pragma once
// The module (DLL or program) that this code was linked into: its resources
// are the ones the windows load.
#include "win/WinHeaders.h"

HINSTANCE ResourceModule();
