// The month on a page: the body the margins leave on a paper, and the grid
// that fills it with the screen's cell drawn at one scale.
#include <gtest/gtest.h>

#include "print/MonthPageLayout.h"
#include "print/PageFrame.h"

namespace {

struct PaperCase {
  const char* name;
  PageFacts page;
  PixelRect body;  // 10 mm from the paper's edges, within what the device prints
};

const PaperCase kPapers[] = {
    {"A4 landscape, 300 dpi", {3508, 2479, 300, 300, 0, 0, 3508, 2479}, {118, 118, 3390, 2361}},
    {"A4 portrait, 300 dpi", {2479, 3508, 300, 300, 0, 0, 2479, 3508}, {118, 118, 2361, 3390}},
    // A quarter inch the device cannot print on every side.
    {"Letter landscape, 600 dpi", {6300, 4800, 600, 600, 150, 150, 6600, 5100}, {86, 86, 6214, 4714}},
    // Wider unprintable edges than the margin: all the device prints.
    {"A5 portrait, edges of 17 mm", {1348, 2080, 300, 300, 200, 200, 1748, 2480}, {0, 0, 1348, 2080}},
    {"postcard, 300 dpi", {1181, 1748, 300, 300, 0, 0, 1181, 1748}, {118, 118, 1063, 1630}},
    {"a device that names no paper", {1000, 700, 100, 100, 40, 40, 0, 0}, {39, 39, 961, 661}},
    {"unequal resolutions", {4960, 3508, 600, 300, 0, 0, 4960, 3508}, {236, 118, 4724, 3390}},
};

TEST(PrintPageLayoutTest, TheBodyOfEachPaper) {
  for (const PaperCase& paper : kPapers) {
    SCOPED_TRACE(paper.name);
    const PixelRect body = PageBody(paper.page);
    EXPECT_EQ(body.left, paper.body.left);
    EXPECT_EQ(body.top, paper.body.top);
    EXPECT_EQ(body.right, paper.body.right);
    EXPECT_EQ(body.bottom, paper.body.bottom);
  }
}

TEST(PrintPageLayoutTest, TheGridFillsTheBodyAndEveryCellHoldsWhatTheScreensCellShows) {
  for (const PaperCase& paper : kPapers) {
    SCOPED_TRACE(paper.name);
    const PixelRect body = PageBody(paper.page);
    const MonthPageLayout page = LayOutMonthPage(body);
    const CalendarGrid& grid = page.grid;
    const int width = body.right - body.left;
    const int height = body.bottom - body.top;
    // Seven columns and the heading, the header and six rows fill the body, to a pixel a column or row.
    EXPECT_EQ(grid.cellWidth, width / 7);
    EXPECT_GT(grid.area.right, body.right - 7);
    EXPECT_LE(grid.area.right, body.right);
    EXPECT_EQ(page.heading.top, body.top);
    EXPECT_EQ(grid.area.top, page.heading.bottom);
    EXPECT_EQ(grid.area.bottom, grid.area.top + grid.headerHeight + 6 * grid.cellHeight);
    EXPECT_GT(grid.area.bottom, body.top + height - 6);
    EXPECT_LE(grid.area.bottom, body.bottom);
    EXPECT_EQ(grid.headerHeight, grid.scale.Of(kHeaderHeight));
    // The last cell holds its fifth line, its pictures and its day number.
    const PixelRect cell = PaintedCellRect(grid, 6, 5);
    EXPECT_LE(cell.right, grid.area.right + grid.scale.Of(1));
    const PixelRect line = CellLineRect(grid, cell, false, 5);
    EXPECT_LE(line.bottom, cell.bottom);
    EXPECT_LT(line.left, line.right);
    EXPECT_LE(line.right, cell.right);
    EXPECT_LE(CellPictureRect(grid, cell, false, 3).right, cell.right);
    EXPECT_GT(DayNumberOrigin(grid, cell, false).y, cell.top);
    EXPECT_LE(grid.scale.Of(kCellWidth), grid.cellWidth);
  }
}

// Printed text is read at arm's length: the cells' lines are 6 to 12 points tall on common papers.
TEST(PrintPageLayoutTest, LinesArePrintedAtAReadableSize) {
  for (const PaperCase& paper : kPapers) {
    SCOPED_TRACE(paper.name);
    if (paper.page.dpiY != paper.page.dpiX || paper.page.printableWidth < 2000) continue;
    const MonthPageLayout page = LayOutMonthPage(PageBody(paper.page));
    const double points = page.grid.scale.Of(10) * 72.0 / paper.page.dpiY;
    EXPECT_GE(points, 6.0);
    EXPECT_LE(points, 12.0);
    EXPECT_GT(page.headingFontHeight, page.grid.scale.Of(14));
  }
}

TEST(PrintPageLayoutTest, ABodyTooSmallGivesNoNegativeSizes) {
  for (const PixelRect body : {PixelRect{0, 0, 40, 30}, PixelRect{10, 10, 10, 10}, PixelRect{5, 5, 0, 0}}) {
    const MonthPageLayout page = LayOutMonthPage(body);
    EXPECT_GE(page.grid.cellWidth, 0);
    EXPECT_GE(page.grid.cellHeight, 0);
    EXPECT_GE(page.grid.headerHeight, 0);
    EXPECT_GE(page.grid.scale.numerator, 1);
    EXPECT_LE(page.heading.bottom, std::max(body.top, body.bottom));
  }
}

}  // namespace
