#pragma once
// Where a search sends its lines and asks whether to stop.

class CSearchSink {
 public:
  virtual ~CSearchSink() = default;

  // Asked before each folder entry and before each line of a month file.
  virtual bool IsCancelled() = 0;

  // One result or message line, zero-terminated cp932; it lives only during
  // the call. The search goes on only after the call returns.
  virtual void SendLine(const char* line) = 0;
};
