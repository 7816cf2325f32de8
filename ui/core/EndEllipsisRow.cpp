#include "ui/core/EndEllipsisRow.h"

namespace {

constexpr wchar_t kPrefix = L'&';

bool IsLineBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }

}  // namespace

std::optional<size_t> PlainRowLength(std::wstring_view text) {
  size_t length = text.size();
  if (length > 0 && IsLineBreak(text[length - 1])) --length;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] < L' ' || text[i] == kPrefix) return std::nullopt;
  }
  return length;
}

RowCut CutRowToWidth(const int* partialWidths, size_t length, int width, int ellipsisWidth) {
  auto widthOf = [partialWidths](size_t characters) { return characters == 0 ? 0 : partialWidths[characters - 1]; };
  if (widthOf(length) <= width) return {length, false};
  size_t kept = 0;
  while (widthOf(kept) <= width) ++kept;
  while (kept > 0 && widthOf(kept) + ellipsisWidth > width) --kept;
  return {kept, true};
}
