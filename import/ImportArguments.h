#pragma once
// The command line of plannix-import.
#include <string>
#include <vector>

#include "import/ImportOptions.h"

// The usage text, with the time zones the import knows.
std::string ImportUsage();

struct ImportArguments {
  ImportOptions options;
  bool toGiven = false;
  std::string calendarPath;  // UTF-8
  std::string folder;        // UTF-8
  bool help = false;
};

// False with a reason when the arguments (UTF-8, without the program's
// name) are not understood.
bool ParseImportArguments(const std::vector<std::string>& arguments, ImportArguments& parsed, std::string& error);
