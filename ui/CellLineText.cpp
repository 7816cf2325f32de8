#include "ui/CellLineText.h"

#include <optional>
#include <vector>

#include "ui/core/EndEllipsisRow.h"

namespace {

constexpr UINT kLineFormat = DT_END_ELLIPSIS | DT_VCENTER;
constexpr wchar_t kEllipsis[] = L"...";

// The row as DrawText shows it in width: whole, or a start of it and the
// ellipsis. One measurement gives the row's widths and the ellipsis's.
std::optional<std::wstring> CutRow(HDC dc, std::wstring row, int width) {
  const size_t length = row.size();
  row.append(kEllipsis);
  std::vector<int> partialWidths(row.size());
  SIZE size;
  if (!GetTextExtentExPointW(dc, row.c_str(), static_cast<int>(row.size()), 0, nullptr, partialWidths.data(),
                             &size)) {
    return std::nullopt;
  }
  const int ellipsisWidth = partialWidths.back() - partialWidths[length - 1];
  const RowCut cut = CutRowToWidth(partialWidths.data(), length, width, ellipsisWidth);
  if (cut.ellipsis) {
    row.erase(cut.kept, length - cut.kept);
  } else {
    row.resize(length);
  }
  return row;
}

}  // namespace

void DrawEndEllipsisText(HDC dc, const std::wstring& text, const RECT& rect) {
  const std::optional<size_t> rowLength = PlainRowLength(text);
  if (rowLength == size_t{0}) return;
  std::optional<std::wstring> shown;
  if (rowLength) shown = CutRow(dc, text.substr(0, *rowLength), rect.right - rect.left);
  if (!shown) {
    RECT bounds = rect;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds, kLineFormat);
    return;
  }
  ExtTextOutW(dc, rect.left, rect.top, ETO_CLIPPED, &rect, shown->c_str(), static_cast<int>(shown->size()), nullptr);
}
