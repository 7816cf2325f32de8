#include "win/String.h"

#include <cstdio>

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (length < 0) {
    m_text.clear();
  } else {
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(&text[0], text.size(), format, args);
    text.resize(static_cast<size_t>(length));
    m_text.swap(text);
  }
  va_end(args);
}

void CStringArray::SetAtGrow(int index, const CString& item) {
  if (index < 0) return;
  if (static_cast<size_t>(index) >= m_items.size()) m_items.resize(static_cast<size_t>(index) + 1);
  m_items[static_cast<size_t>(index)] = item;
}
