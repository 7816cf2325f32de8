#pragma once
// Owners of GDI objects (move-only) and a guard for SelectObject.
#include <utility>

#include "win/WinHeaders.h"

template <typename Handle>
class CGdiObject {
 public:
  CGdiObject() = default;
  explicit CGdiObject(Handle handle) : m_handle(handle) {}
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  CGdiObject(CGdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
  CGdiObject& operator=(CGdiObject&& other) noexcept {
    if (this != &other) Attach(std::exchange(other.m_handle, nullptr));
    return *this;
  }
  ~CGdiObject() { DeleteObject(); }

  Handle GetSafeHandle() const { return m_handle; }
  operator Handle() const { return m_handle; }  // NOLINT: used where a handle is wanted
  // Takes ownership of handle, releasing the one held before.
  void Attach(Handle handle) {
    DeleteObject();
    m_handle = handle;
  }
  Handle Detach() { return std::exchange(m_handle, nullptr); }
  bool DeleteObject() {
    if (m_handle == nullptr) return false;
    ::DeleteObject(m_handle);
    m_handle = nullptr;
    return true;
  }

 private:
  Handle m_handle = nullptr;
};

class CFont : public CGdiObject<HFONT> {
 public:
  bool CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                  BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                  BYTE pitchAndFamily, const char* cp932FaceName);
};

class CBrush : public CGdiObject<HBRUSH> {
 public:
  bool CreateSolidBrush(COLORREF color) {
    Attach(::CreateSolidBrush(color));
    return GetSafeHandle() != nullptr;
  }
};

class CBitmap : public CGdiObject<HBITMAP> {
 public:
  // A bitmap resource of the module that this code is linked into.
  bool LoadBitmap(int resourceId);
};

// Selects an object into a device context and puts the old one back.
class CSelectObject {
 public:
  CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(::SelectObject(dc, object)) {}
  CSelectObject(const CSelectObject&) = delete;
  CSelectObject& operator=(const CSelectObject&) = delete;
  ~CSelectObject() {
    if (m_old != nullptr && m_old != HGDI_ERROR) ::SelectObject(m_dc, m_old);
  }

 private:
  HDC m_dc;
  HGDIOBJ m_old;
};

// A memory device context, deleted with the object.
class CMemoryDC {
 public:
  explicit CMemoryDC(HDC compatibleWith) : m_dc(CreateCompatibleDC(compatibleWith)) {}
  CMemoryDC(const CMemoryDC&) = delete;
  CMemoryDC& operator=(const CMemoryDC&) = delete;
  ~CMemoryDC() {
    if (m_dc != nullptr) DeleteDC(m_dc);
  }
  operator HDC() const { return m_dc; }  // NOLINT

 private:
  HDC m_dc;
};

// Fills a rectangle with a solid colour the way the framework does:
// SetBkColor, then an opaque ExtTextOut without text.
void FillSolidRect(HDC dc, const RECT& rect, COLORREF color);
