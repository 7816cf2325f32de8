#pragma once
// What to print: the month on display as a calendar, or the diary of its
// days or of a range of dates, with or without the empty days; a preview
// of the pages before the system's print dialog.
#include <functional>

#include "print/PrintChoice.h"
#include "win/Dialog.h"

class CPrintDialog : public CDialog {
 public:
  using Preview = std::function<void(HWND owner, const PrintChoice& choice)>;

  // monthName: the month on display as the calendar's radio button names it (cp932).
  CPrintDialog(CWnd* parent, const PrintChoice& choice, int shownYear, int shownMonth, std::string monthName,
               Preview preview);

  // After IDOK.
  const PrintChoice& Choice() const { return m_choice; }

  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  INT_PTR DoModal() override;

 private:
  // The controls' state into m_choice; what is wrong with it ("" for nothing).
  std::string ReadChoice();
  void EnableRange();

  PrintChoice m_choice;
  const int m_shownYear;
  const int m_shownMonth;
  const std::string m_monthName;
  Preview m_preview;
};
