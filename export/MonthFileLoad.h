#pragma once
// One month file read into a table by the plug-in's own parser.
#include <filesystem>
#include <string>

#include "data/DayRecord.h"

// False when the file cannot be opened or read to its end. A current-format
// file cut inside a record is read as far as it goes, and problem says so.
bool LoadMonthFile(const std::filesystem::path& path, MonthTable& table, std::string& problem);
