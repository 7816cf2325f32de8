#pragma once
// The recovered folder beside the month files, where a copy is kept that
// the user may want: one kept never takes the place of another.
#include <functional>
#include <string>

class IFileSystem;

// Puts a file into the recovered folder of the month file at path, named
// name (the month file's own when nullptr), then "name (2).ext" and on
// while a name is taken. place makes the file at the target it is given
// and fails where one is there. False when no name could be placed.
bool KeepInRecovered(IFileSystem& files, const char* path, const char* name,
                     const std::function<bool(const char* target)>& place, std::string& keptPath);

// The bytes as a new file in the recovered folder, named as the month file.
bool KeepBytesInRecovered(IFileSystem& files, const char* path, const std::string& bytes, std::string& keptPath);
