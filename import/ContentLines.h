#pragma once
// The content lines of an iCalendar stream (RFC 5545): unfolded and split
// into name, parameters and value, each with the physical line it starts on.
#include <string>
#include <string_view>
#include <vector>

struct ContentParameter {
  std::string name;  // upper case
  std::vector<std::string> values;
};

struct ContentLine {
  int lineNumber = 0;
  std::string name;  // upper case
  std::vector<ContentParameter> parameters;
  std::string value;

  // The first value of the parameter, or nullptr when the line has none.
  const std::string* Parameter(std::string_view parameterName) const;
};

// Where and why a calendar cannot be read.
struct CalendarError {
  int lineNumber = 0;
  std::string message;
};

// False, with the first fault, when the bytes are not UTF-8 content lines.
// A byte-order mark, CR LF or LF line ends and empty lines are accepted.
bool ReadContentLines(std::string_view bytes, std::vector<ContentLine>& lines, CalendarError& error);
