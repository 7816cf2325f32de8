#pragma once
// The command line of plannix-export.
#include <string>

#include "export/BookExport.h"

// The usage text, with the time zones the export knows.
std::string ExportUsage();

struct ExportArguments {
  ExportOptions options;
  std::string outPath;  // empty: standard output
  std::string folder;
  bool help = false;
};

// False with a reason when the arguments are not understood.
bool ParseExportArguments(int argc, const char* const* argv, ExportArguments& arguments, std::string& error);
