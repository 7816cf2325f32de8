#include "ui/CellPictureCache.h"

// A bitmap that stays selected into a memory DC of its own: selecting a
// bitmap costs far more than copying a small one.
class CCellPictureCache::CHeldBitmap {
 public:
  CHeldBitmap(HDC compatibleWith, int width, int height) : m_dc(CreateCompatibleDC(compatibleWith)) {
    m_bitmap.Attach(CreateCompatibleBitmap(compatibleWith, width, height));
    if (m_dc != nullptr && m_bitmap != nullptr) m_old = SelectObject(m_dc, m_bitmap);
  }
  CHeldBitmap(const CHeldBitmap&) = delete;
  CHeldBitmap& operator=(const CHeldBitmap&) = delete;
  ~CHeldBitmap() {
    if (m_old != nullptr) SelectObject(m_dc, m_old);
    if (m_dc != nullptr) DeleteDC(m_dc);
  }

  bool IsReady() const { return m_old != nullptr && m_old != HGDI_ERROR; }
  HDC Dc() const { return m_dc; }

 private:
  HDC m_dc;
  CBitmap m_bitmap;
  HGDIOBJ m_old = nullptr;
};

namespace {

int BitsPerPixelOf(HDC dc) {
  BITMAP bitmap = {};
  HGDIOBJ selected = GetCurrentObject(dc, OBJ_BITMAP);
  if (selected == nullptr || GetObjectW(selected, sizeof bitmap, &bitmap) == 0) return 0;
  return bitmap.bmBitsPixel;
}

}  // namespace

CCellPictureCache::CCellPictureCache() = default;

CCellPictureCache::~CCellPictureCache() = default;

void CCellPictureCache::BeginPaint(HDC dc) {
  const int bitsPerPixel = BitsPerPixelOf(dc);
  if (bitsPerPixel == m_bitsPerPixel) return;
  Release();
  m_bitsPerPixel = bitsPerPixel;
}

void CCellPictureCache::Draw(HDC dc, const PictureSource& source, const PixelRect& target) {
  const int width = target.right - target.left;
  const int height = target.bottom - target.top;
  if (const CHeldBitmap* picture = Stretched(dc, source, width, height)) {
    BitBlt(dc, target.left, target.top, width, height, picture->Dc(), 0, 0, SRCCOPY);
  }
}

void CCellPictureCache::Release() {
  m_pictures.clear();
  m_bitsPerPixel = 0;
}

const CCellPictureCache::CHeldBitmap* CCellPictureCache::Stretched(HDC dc, const PictureSource& source, int width,
                                                                   int height) {
  const int stretchMode = GetStretchBltMode(dc);
  const Key key{source.bitmapId, width, height, stretchMode};
  auto found = m_pictures.find(key);
  if (found != m_pictures.end()) return found->second.get();

  CBitmap resource;
  if (!resource.LoadBitmap(source.bitmapId)) return nullptr;
  CMemoryDC resourceDc(dc);
  auto stretched = std::make_unique<CHeldBitmap>(dc, width, height);
  if (resourceDc == nullptr || !stretched->IsReady()) return nullptr;
  CSelectObject resourceSelection(resourceDc, resource);
  SetStretchBltMode(stretched->Dc(), stretchMode);
  if (!StretchBlt(stretched->Dc(), 0, 0, width, height, resourceDc, 0, 0, source.width, source.height, SRCCOPY)) {
    return nullptr;
  }
  return m_pictures.emplace(key, std::move(stretched)).first->second.get();
}
