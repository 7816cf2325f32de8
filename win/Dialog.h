#pragma once
// A dialog from a resource template: modeless by Create, modal by DoModal.
// One static dialog procedure stores `this` and switches into virtuals.
#include "win/DataExchange.h"
#include "win/Wnd.h"

class CDialog : public CWnd {
 public:
  CDialog(UINT templateId, CWnd* parent);
  ~CDialog() override;

  // Modeless, from the template whose id is templateId.
  bool Create(UINT templateId, CWnd* parent);
  // Runs its own loop so that PreTranslateMessage works in modal dialogs too;
  // the loop ends with EndDialog or when the window is destroyed from outside.
  virtual INT_PTR DoModal();
  void EndDialog(int result);

  bool UpdateData(bool saveAndValidate);
  bool IsModalRunning() const { return m_modalRunning; }

  // Every message of the dialog; the default switches into the handlers below.
  virtual INT_PTR WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The processing a message gets when no handler takes it.
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void DoDataExchange(CDataExchange* pDX);
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Dialog keyboard navigation for messages of this dialog.
  virtual BOOL PreTranslateMessage(MSG* msg);
  virtual void PreInitDialog();

  UINT m_templateId;
  CWnd* m_pParentWnd;  // not owned

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void CenterOnOwner();
  // Pumps until EndDialog, the end of the window or WM_QUIT.
  void RunModalLoop(HWND hwnd);
  // A key for another dialog of this thread that is not disabled (a
  // modeless one): handled as that dialog's own loop would, so that its
  // Return, Escape and accelerators work meanwhile.
  static bool IsModelessDialogKey(HWND modal, MSG& msg);
  void EnableModalOwner();

  bool m_modalRunning = false;
  INT_PTR m_modalResult = IDCANCEL;
  HWND m_disabledOwner = nullptr;  // the owner this run disabled, until it is enabled again
};

// The default processing result a dialog procedure returns for a message it
// does not take, for use with SetWindowLongPtr(DWLP_MSGRESULT).
INT_PTR SetDialogResult(HWND hwnd, LRESULT result);
