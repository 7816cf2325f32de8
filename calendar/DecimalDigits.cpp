#include "calendar/DecimalDigits.h"

namespace {

constexpr size_t kMaxDigits = 9;  // every such number fits an int

}  // namespace

bool ReadDecimalDigits(std::string_view text, int& value) {
  if (text.empty() || text.size() > kMaxDigits) return false;
  int number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
  }
  value = number;
  return true;
}
