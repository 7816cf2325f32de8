#pragma once
// The repeat dialog: the choices of how a line repeats and until when, and
// before anything is written, on how many days it would land. Shows the
// form it is given; the caller writes after IDOK.
#include "book/BookMonths.h"
#include "repeat/HostHolidays.h"
#include "repeat/RepeatForm.h"
#include "repeat/RepeatRule.h"
#include "win/Dialog.h"

class CRepeatDialog : public CDialog {
 public:
  // months and holidays answer the preview; all three outlive the dialog.
  CRepeatDialog(CWnd* parent, CRepeatForm& form, IBookMonths& months, CHostHolidays& holidays);

  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;

  // The days the line goes to, of the choices taken with OK.
  std::vector<int> DaysToWrite() const { return m_form.DaysToWrite(m_days); }

 private:
  // The controls into the form, then the form shown: labels, what is
  // offered, the preview or what is wrong, OK.
  void ReadControls();
  void ShowForm();

  CRepeatForm& m_form;        // not owned
  IBookMonths& m_months;      // not owned
  CHostHolidays& m_holidays;  // not owned
  RepeatDays m_days;
  bool m_showing = false;  // setting the controls sends notices of its own
};
