// Resource ids of printing's dialogs, shared by Print.rc and the code.
#pragma once

#define IDD_PRINT 420
#define IDD_PRINT_PREVIEW 421
#define IDD_PRINT_PROGRESS 422

// What to print
#define IDC_PRINT_MONTH 1420
#define IDC_PRINT_DIARY 1421
#define IDC_PRINT_WHOLE_MONTH 1422
#define IDC_PRINT_RANGE 1423
#define IDC_PRINT_FROM 1424
#define IDC_PRINT_TO 1425
#define IDC_PRINT_EMPTY_DAYS 1426
#define IDC_PRINT_PREVIEW 1427

// The preview
#define IDC_PREVIEW_PAGE 1430
#define IDC_PREVIEW_PREVIOUS 1431
#define IDC_PREVIEW_NEXT 1432
#define IDC_PREVIEW_PAGE_NUMBER 1433

// The job's progress
#define IDC_PRINT_PROGRESS_TEXT 1440
#define IDC_PRINT_PROGRESS_BAR 1441
