#include "host/core/LocalDate.h"

#include <ctime>
#include <mutex>

DateRecord LocalToday() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  {
    // std::localtime may share one result buffer between threads; the
    // reentrant forms differ between the C libraries we build with.
    static std::mutex localTimeMutex;
    std::lock_guard<std::mutex> lock(localTimeMutex);
    if (const std::tm* shared = std::localtime(&now)) local = *shared;
  }
  DateRecord today;
  today.wYear = static_cast<uint16_t>(local.tm_year + 1900);
  today.wMonth = static_cast<uint16_t>(local.tm_mon + 1);
  today.wDayOfWeek = static_cast<uint16_t>(local.tm_wday);
  today.wDay = static_cast<uint16_t>(local.tm_mday);
  return today;
}
