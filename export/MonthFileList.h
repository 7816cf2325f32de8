#pragma once
// The month files of a data folder, found by their names.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct MonthFileEntry {
  int year;
  int month;
  std::filesystem::path path;
};

// "schedule<year>_<MM>.dat" as the plug-in names them: a year of 1 to 9999
// without leading zeros, a month 01 to 12.
bool ParseMonthFileName(std::string_view name, int& year, int& month);

// Every month file of the folder, oldest month first. False, with the
// system's reason, when the folder cannot be listed.
bool ListMonthFiles(const std::filesystem::path& folder, std::vector<MonthFileEntry>& files, std::string& error);
