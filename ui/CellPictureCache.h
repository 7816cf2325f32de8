#pragma once
// The calendar's cell pictures, each stretched once to the size a cell
// shows it at and kept for the window's life: a paint only copies them.
#include <map>
#include <memory>
#include <tuple>

#include "ui/core/CalendarGeometry.h"
#include "ui/core/CellContent.h"
#include "win/Gdi.h"

class CCellPictureCache {
 public:
  CCellPictureCache();
  CCellPictureCache(const CCellPictureCache&) = delete;
  CCellPictureCache& operator=(const CCellPictureCache&) = delete;
  ~CCellPictureCache();

  // Once before a paint into dc: pictures kept for bitmaps of another pixel
  // format are dropped, so a copy never converts what a stretch gave.
  void BeginPaint(HDC dc);
  // The whole resource stretched into target, pixel for pixel as a StretchBlt
  // into dc with its stretch mode gives. A picture that cannot be loaded
  // leaves target as it was.
  void Draw(HDC dc, const PictureSource& source, const PixelRect& target);
  // Frees every picture; the next paint stretches them anew.
  void Release();

 private:
  class CHeldBitmap;
  // bitmap id, width, height, stretch mode
  using Key = std::tuple<int, int, int, int>;

  const CHeldBitmap* Stretched(HDC dc, const PictureSource& source, int width, int height);

  std::map<Key, std::unique_ptr<CHeldBitmap>> m_pictures;
  int m_bitsPerPixel = 0;
};
