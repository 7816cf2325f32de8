#pragma once
// An export format: a head, the days that have content in date order, a tail.
#include "export/BookDay.h"

class CDayWriter {
 public:
  virtual ~CDayWriter() = default;
  virtual void Begin() = 0;
  virtual void Write(const BookDay& day) = 0;
  virtual void End() = 0;
};
