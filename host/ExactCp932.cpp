#include "host/ExactCp932.h"

#include "win/Text.h"

bool ToCp932Exactly(const std::wstring& text, std::string& narrow) {
  narrow = NarrowToCp932(text.c_str()).str();
  return WidenCp932(narrow.c_str()) == text;
}
