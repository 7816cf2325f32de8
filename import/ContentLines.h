#pragma once
// The content lines of an iCalendar stream (RFC 5545): unfolded and split
// into name, parameters and value, each with the physical line it starts on.
#include <functional>
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

// A line of the calendar and what is said of it: why it cannot be read, or
// what the import made of it.
struct CalendarNote {
  int lineNumber = 0;
  std::string message;
};

// The content lines of the bytes. A line that is no UTF-8 NAME *(;PARAM) :
// VALUE is left out, and broken names it; so does it an empty parameter
// (";;"), which is passed over. A byte-order mark, CR LF or LF
// line ends and empty lines are accepted.
void ReadContentLines(std::string_view bytes, std::vector<ContentLine>& lines, std::vector<CalendarNote>& broken);

// The same for a stream that comes in pieces: each content line is handed
// on as soon as the line after it shows that it is complete.
class CContentLineReader {
 public:
  using LineSink = std::function<void(ContentLine& line)>;
  using NoteSink = std::function<void(const CalendarNote& note)>;

  CContentLineReader(LineSink lines, NoteSink notes);

  // Any piece of the stream, in order.
  void Feed(std::string_view bytes);
  // The end of the stream.
  void Finish();

 private:
  void TakePhysical(std::string_view physical);
  void FinishLogical();

  LineSink m_lines;
  NoteSink m_notes;
  std::string m_partial;  // a physical line not yet ended
  std::string m_logical;
  int m_logicalStart = 0;  // 0: no logical line open
  int m_number = 0;
};
