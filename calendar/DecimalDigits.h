#pragma once
// Numbers as dates, times and codes are written in text files: decimal digits only.
#include <string_view>

// A whole number of 1 to 9 decimal digits and nothing else; false otherwise.
bool ReadDecimalDigits(std::string_view text, int& value);
