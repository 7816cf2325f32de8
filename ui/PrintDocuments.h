#pragma once
// What a print job sends and the preview shows, drawn for a device at its
// own resolution, page by page, by the same code for both: the month on
// display as a calendar, or the diary of a range of days.
#include <cstddef>
#include <memory>
#include <string>

#include "print/DiaryDays.h"
#include "print/PageFrame.h"
#include "print/PrintTexts.h"
#include "tool/ToolHost.h"
#include "ui/core/CalendarColours.h"
#include "win/WinHeaders.h"

// The month on display, with what the host answered for it beforehand:
// nothing is asked while a page is drawn.
struct MonthSheetData {
  int year = 0;
  int month = 1;
  MonthGrid grid;
  MonthTable table = {};
  int themeIndex = 0;
  std::wstring weekdayNames[7];
  ColorRef dayColours[kDaysInTable + 1] = {};
  std::string heading;  // cp932
};

struct DiaryData {
  std::vector<DiaryDay> days;
  PrintNames names;
  CalendarDate from = {};
  CalendarDate to = {};
};

class IPrintDocument {
 public:
  virtual ~IPrintDocument() = default;
  // Laid out for the device whose context (or information context) dc is; the number of pages.
  virtual size_t LayOut(HDC dc) = 0;
  // A page into dc, in the device's pixels; a preview scales them with its mapping mode.
  virtual void DrawPage(HDC dc, size_t index) = 0;
  // The job's name, as the printer's queue shows it.
  virtual std::wstring Title() const = 0;
  // Its pages' orientation unless the user chooses another.
  virtual bool Landscape() const = 0;
};

// The data is shared, never changed: a preview and a job may draw from it at once.
std::unique_ptr<IPrintDocument> MakeMonthDocument(std::shared_ptr<const MonthSheetData> data);
std::unique_ptr<IPrintDocument> MakeDiaryDocument(std::shared_ptr<const DiaryData> data);

PageFacts PageFactsOf(HDC dc);
