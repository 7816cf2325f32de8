#pragma once
// What differs between the systems for plannix-import: the arguments as
// UTF-8, and a folder named as the data layer spells paths.
#include <string>
#include <vector>

// The arguments after the program's name, in UTF-8.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// False when the folder's name cannot be spelt for the data layer.
bool DataLayerFolder(const std::string& utf8, std::string& folder);
