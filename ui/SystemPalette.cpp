#include "ui/SystemPalette.h"

#include "win/WinHeaders.h"

bool IsHighContrastOn() {
  HIGHCONTRASTW contrast = {};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

CalendarPalette CurrentCalendarPalette(int themeIndex) {
  if (!IsHighContrastOn()) return ThemePalette(themeIndex);
  SystemColours system = {};
  system.window = GetSysColor(COLOR_WINDOW);
  system.windowText = GetSysColor(COLOR_WINDOWTEXT);
  system.buttonFace = GetSysColor(COLOR_BTNFACE);
  system.buttonText = GetSysColor(COLOR_BTNTEXT);
  system.highlight = GetSysColor(COLOR_HIGHLIGHT);
  system.highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  return HighContrastPalette(system);
}
