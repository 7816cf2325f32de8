#include "host/ShownLines.h"

std::wstring ShownLines(const std::wstring& text, const wchar_t* what) {
  size_t end = 0;
  size_t shown = 0;
  while (shown < kShownLines && end < text.size()) {
    size_t lineEnd = text.find(L'\n', end);
    end = lineEnd == std::wstring::npos ? text.size() : lineEnd + 1;
    ++shown;
  }
  size_t more = 0;
  for (size_t i = end; i < text.size(); ++i) more += text[i] == L'\n' ? 1 : 0;
  std::wstring lines = text.substr(0, end);
  if (more > 0) lines += L"... and " + std::to_wstring(more) + L" more " + what + L".\n";
  return lines;
}
