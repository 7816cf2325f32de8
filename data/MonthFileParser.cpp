#include "data/MonthFileParser.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "data/FieldCodec.h"
#include "data/LenientDecimal.h"

namespace {

constexpr char kMagic[3] = {'Q', 'L', '3'};
constexpr int kCurrentMemoField = 10;
constexpr int kFirstLineField = 5;
constexpr int kLegacyFirstLineField = 4;
constexpr int kLegacyLastField = 8;

}  // namespace

CMonthFileParser::CMonthFileParser(MonthTable& table) : m_table(table) { ClearMonth(m_table); }

void CMonthFileParser::Feed(const char* bytes, size_t size) {
  if (m_format == kUndecided) FeedUndecided(bytes, size);
  if (m_format == kHeader) {
    const void* lineEnd = std::memchr(bytes, '\n', size);
    if (lineEnd == nullptr) return;
    size_t headerRest = static_cast<size_t>(static_cast<const char*>(lineEnd) - bytes) + 1;
    bytes += headerRest;
    size -= headerRest;
    m_format = kCurrent;
  }
  if (m_format == kCurrent) FeedCurrent(bytes, size);
  if (m_format == kLegacy) FeedLegacy(bytes, size);
}

// The first three bytes decide the format; they are held until they do.
void CMonthFileParser::FeedUndecided(const char*& bytes, size_t& size) {
  while (size > 0 && m_headLength < sizeof m_head) {
    m_head[m_headLength] = *bytes++;
    --size;
    if (m_head[m_headLength] != kMagic[m_headLength]) {
      m_format = kLegacy;
      FeedLegacy(m_head, m_headLength + 1);
      return;
    }
    ++m_headLength;
  }
  if (m_headLength == sizeof m_head) m_format = kHeader;
}

void CMonthFileParser::Finish() {
  if (m_format == kUndecided) {
    m_format = kLegacy;
    FeedLegacy(m_head, m_headLength);
  }
  if (m_format == kLegacy && m_inLegacyField) CompleteLegacyField();
  m_format = kDone;
}

void CMonthFileParser::KeepText(const char* bytes, size_t size, size_t keep) {
  size_t room = keep - m_textLength;
  size_t kept = size < room ? size : room;
  std::memcpy(m_text + m_textLength, bytes, kept);
  m_textLength += kept;
}

void CMonthFileParser::FeedCurrent(const char* bytes, size_t size) {
  while (size > 0 && m_format == kCurrent) {
    size_t end = m_scanner.Scan(bytes, size);
    KeepText(bytes, end, kFieldKeep);
    if (end == size) return;
    CompleteCurrentField();
    bytes += end + 1;
    size -= end + 1;
  }
}

void CMonthFileParser::CompleteCurrentField() {
  DayRecord& day = m_table.days[m_dayIndex];
  m_text[m_textLength] = '\0';
  if (m_field >= 1 && m_field < kFirstLineField) {
    day.nSeal[m_field - 1] = ParseLenientDecimal(std::string_view(m_text, m_textLength));
  } else if (m_field >= kFirstLineField) {
    UnescapeField(m_text, m_textLength);
    if (m_field == kCurrentMemoField) {
      StoreFieldText(day.szMemo, kMemoSize, m_text);
    } else {
      StoreFieldText(day.szLine[m_field - kFirstLineField], kLineSize, m_text);
    }
  }
  m_textLength = 0;
  if (m_field < kCurrentMemoField) {
    ++m_field;
    return;
  }
  // Records after the 31st have no day to go to.
  m_field = 0;
  if (++m_dayIndex == kDaysInTable) m_format = kDone;
}

// Fields are runs of bytes other than spaces; the line end belongs to the
// last field of the line. Lines are read whole, however long.
void CMonthFileParser::FeedLegacy(const char* bytes, size_t size) {
  for (size_t i = 0; i < size && m_format == kLegacy; ++i) {
    char c = bytes[i];
    if (c == ' ') {
      if (m_inLegacyField) CompleteLegacyField();
      continue;
    }
    if (!m_inLegacyField) {
      m_inLegacyField = true;
      m_textLength = 0;
    }
    // A line keeps one byte more than it stores, to cut on a character boundary.
    KeepText(&c, 1, kLineSize);
    if (c == '\n') {
      CompleteLegacyField();
      CompleteLegacyLine();
    }
  }
}

void CMonthFileParser::CompleteLegacyField() {
  m_inLegacyField = false;
  int field = m_field++;
  m_text[m_textLength] = '\0';
  if (static_cast<unsigned char>(m_text[0]) < 0x20) return;  // stands for an empty field
  DayRecord& day = m_table.days[m_dayIndex];
  if (field >= 1 && field < kLegacyFirstLineField) {
    day.nSeal[field - 1] = ParseLenientDecimal(std::string_view(m_text, m_textLength));
  } else if (field >= kLegacyFirstLineField && field <= kLegacyLastField) {
    StoreFieldText(day.szLine[field - kLegacyFirstLineField], kLineSize, m_text);
  }
}

void CMonthFileParser::CompleteLegacyLine() {
  m_field = 0;
  if (++m_dayIndex == kDaysInTable) m_format = kDone;
}
