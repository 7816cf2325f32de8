#pragma once
// Text cut into the rows a page has room for, measured by the device that
// prints it. Text is cp932 and is never cut inside a two-byte character.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

enum class PrintFont { kHeading, kBody, kFooter };

class ITextMeasure {
 public:
  // extents[i]: how wide the first i + 1 characters of text are drawn in
  // the font, in device pixels; one entry per character of CharacterStarts.
  virtual void CharacterExtents(std::string_view text, PrintFont font, std::vector<int>& extents) = 0;
  // The distance from one row of the font to the next.
  virtual int RowHeight(PrintFont font) = 0;

 protected:
  ~ITextMeasure() = default;
};

// Where each character of a cp932 text begins; a lead byte at the very
// end is a character of its own.
std::vector<size_t> CharacterStarts(std::string_view text);

// The text's rows in width: its own line breaks (CR LF, LF or CR) end a
// row, and a row ends before the first character that would not fit, or
// after its last space when that would cut a word of Latin letters or
// digits. A character wider than width has a row to itself. Empty rows of
// the text's own stay; those at its end go.
std::vector<std::string> TextRows(std::string_view text, int width, PrintFont font, ITextMeasure& measure);
