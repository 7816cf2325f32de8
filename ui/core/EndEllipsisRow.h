#pragma once
// How DrawText with DT_END_ELLIPSIS lays out a text of one plain row, from a
// single measurement: where DrawText measures again and again, the calendar
// measures each of its many lines once.
#include <cstddef>
#include <optional>
#include <string_view>

// The row's length when DrawText would give the text no rule but the
// ellipsis: no '&' prefix, no control character but one line break at the
// end, which ends the text (and is not part of the row). nullopt otherwise.
std::optional<size_t> PlainRowLength(std::wstring_view text);

struct RowCut {
  size_t kept;    // characters of the row that are drawn
  bool ellipsis;  // "..." follows them
};

// The row whose first i + 1 characters are partialWidths[i] wide, cut to
// width: whole when it fits, otherwise the longest start that fits with
// the ellipsis after it (none fits: the ellipsis alone).
RowCut CutRowToWidth(const int* partialWidths, size_t length, int width, int ellipsisWidth);
