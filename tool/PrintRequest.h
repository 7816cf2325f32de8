#pragma once
// What a host asks to print without the tool's dialogs, and how it ended.
#include <cstdint>

#include "tool/ToolHost.h"

constexpr uintptr_t kPrintWithDialogs = 0;
constexpr uintptr_t kPrintWithoutDialogs = 1;

enum PrintRequestKind : int32_t { kPrintMonth = 0, kPrintDiary = 1 };

struct PrintRequest {
  int32_t kind = kPrintMonth;
  // The diary's days; both wYear 0: the month on display.
  DateRecord from;
  DateRecord to;
  int32_t withEmptyDays = 0;
};

// WM_TOOL_PRINTED's wParam.
enum PrintEnd : int32_t {
  kPrintEndPrinted = 0,
  kPrintEndCancelled = 1,
  kPrintEndNothing = 2,     // no day to print
  kPrintEndNoPrinter = 3,   // none installed, or none is the default
  kPrintEndFailed = 4,      // the printer failed; nothing came out
  kPrintEndUnreadable = 5,  // a month of the range could not be read; nothing printed
  kPrintEndRefused = 6,     // the request's dates are wrong, or a print runs already
};
