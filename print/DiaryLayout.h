#pragma once
// The diary on pages: each day a block of rows (its heading, its seals,
// its lines and its memo cut to the page's width), as many blocks to a
// page as fit. A block goes whole onto the next page rather than be split,
// unless it is longer than a page: then it fills pages, each after the
// first under its heading marked as continued.
#include <cstddef>
#include <string>
#include <vector>

#include "print/DiaryDays.h"
#include "print/PrintTexts.h"
#include "print/TextRows.h"
#include "ui/core/CalendarGeometry.h"

// Where a diary page puts things, in device pixels.
struct DiaryFrame {
  PixelRect rows;    // the days
  PixelRect footer;  // the page number and the range
  int indent;        // of the lines and the memo, under the heading
  int sealSize;      // a seal picture's side
  int gap;           // between two days
};

// The frame in a page's body, at the device's resolution; the footer is
// one row of its font.
DiaryFrame DiaryFrameIn(const PixelRect& body, int dpi, int footerRowHeight);

enum class DiaryRowKind {
  kHeading,  // the date, weekday and holiday, continued or not; half a gap below it for a rule
  kSeals,    // the day's seals, pictures and names
  kText,     // a row of a line or of the memo
};

struct DiaryRow {
  DiaryRowKind kind;
  size_t day;  // index into the days laid out
  int left;
  int top;
  int height;
  std::string text;  // cp932; none for the seals
};

struct DiaryPage {
  std::vector<DiaryRow> rows;
};

// Pages of the days, in order; none for no days.
std::vector<DiaryPage> LayOutDiary(const std::vector<DiaryDay>& days, const DiaryFrame& frame, const PrintNames& names,
                                   ITextMeasure& measure);

// Whether a day's seals make a row: a slot holds a seal with a picture.
bool HasShownSeals(const DayRecord& record);
