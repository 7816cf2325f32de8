#include "ui/WindowLayout.h"

#include "ui/res/resource.h"

namespace {

struct ControlPlace {
  int id;
  int x, y, width, height;
};

constexpr ControlPlace g_ControlPlaces[] = {
    {IDC_YEAR_LABEL, 15, 10, 120, 31},    {IDC_YEAR_SPIN, 137, 10, 50, 31},   {IDC_MONTH_LABEL, 15, 42, 120, 31},
    {IDC_MONTH_SPIN, 137, 42, 50, 31},    {IDC_DAY_LABEL, 15, 74, 120, 31},   {IDC_SEAL_SLOT1, 10, 108, 32, 32},
    {IDC_SEAL_SLOT2, 62, 108, 32, 32},    {IDC_SEAL_SLOT3, 109, 108, 32, 32}, {IDC_SEAL_SLOT4, 156, 108, 32, 32},
    {IDC_SCHEDULE_BAR, 10, 145, 180, 16}, {IDC_LINE1, 10, 162, 180, 38},      {IDC_LINE2, 10, 201, 180, 38},
    {IDC_LINE3, 10, 240, 180, 38},        {IDC_LINE4, 10, 279, 180, 38},      {IDC_LINE5, 10, 318, 180, 38},
    {IDC_MEMO_BAR, 10, 361, 180, 16},     {IDC_MEMO, 10, 378, 180, 216},      {IDC_COVER, 10, 378, 180, 216},
};

}  // namespace

void PlaceWithClientArea(HWND window, int x, int y) {
  RECT rect = {0, 0, kClientWidth, kClientHeight};
  // The extended style counts too: the modal frame is thicker than the border.
  AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  SetWindowPos(window, nullptr, x, y, rect.right - rect.left, rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void LayOutControls(HWND window) {
  for (const ControlPlace& place : g_ControlPlaces) {
    MoveWindow(GetDlgItem(window, place.id), place.x, place.y, place.width, place.height, TRUE);
  }
}
