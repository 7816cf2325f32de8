#include "print/TextRows.h"

#include "data/FieldCodec.h"

namespace {

bool IsWordByte(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Rows of one paragraph: no line break inside.
void AddParagraphRows(std::string_view paragraph, int width, PrintFont font, ITextMeasure& measure,
                      std::vector<std::string>& rows) {
  if (paragraph.empty()) {
    rows.emplace_back();
    return;
  }
  const std::vector<size_t> starts = CharacterStarts(paragraph);
  std::vector<int> extents;
  measure.CharacterExtents(paragraph, font, extents);
  extents.resize(starts.size(), extents.empty() ? 0 : extents.back());
  const size_t count = starts.size();
  auto byteOf = [&](size_t character) { return character < count ? starts[character] : paragraph.size(); };
  size_t first = 0;
  while (first < count) {
    const int before = first == 0 ? 0 : extents[first - 1];
    size_t end = first;
    while (end < count && extents[end] - before <= width) ++end;
    if (end == first) ++end;  // one character, however wide
    // A Latin word goes on whole to the next row, where the row has a space to end at. A
    // character's first byte tells: a two-byte one's is never a letter, its second may be.
    if (end < count && IsWordByte(paragraph[starts[end]]) && IsWordByte(paragraph[starts[end - 1]])) {
      for (size_t space = end - 1; space > first; --space) {
        if (paragraph[starts[space]] == ' ') {
          end = space + 1;
          break;
        }
      }
    }
    rows.emplace_back(paragraph.substr(byteOf(first), byteOf(end) - byteOf(first)));
    first = end;
  }
}

}  // namespace

std::vector<size_t> CharacterStarts(std::string_view text) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < text.size(); ++i) {
    starts.push_back(i);
    if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ++i;
  }
  return starts;
}

std::vector<std::string> TextRows(std::string_view text, int width, PrintFont font, ITextMeasure& measure) {
  std::vector<std::string> rows;
  size_t begin = 0;
  while (begin <= text.size()) {
    // A line break is a single byte, never a trail byte: only what starts a character is looked at.
    size_t end = begin;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
      end += IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
    }
    AddParagraphRows(text.substr(begin, end - begin), width, font, measure, rows);
    if (end >= text.size()) break;
    begin = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  while (!rows.empty() && rows.back().empty()) rows.pop_back();
  return rows;
}
