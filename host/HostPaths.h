#pragma once
// Where the host keeps its data and settings when the command line does not say.
#include <string>

// %APPDATA%\Quirelle, or "" when the system does not tell.
std::wstring DefaultDataDirectory();
std::wstring DefaultIniPath(const std::wstring& dataDirectory);
// Creates the folder and the folders above it; true when it exists afterwards.
bool EnsureFolder(const std::wstring& folder);
