// Resource ids of Plannix.dll, shared by the resource script and the code.
#pragma once

// Dialog templates
#define IDD_SCHEDULE 129
#define IDD_SETUP 183
#define IDD_SEAL 213
#define IDD_REMINDER 300

// Schedule window controls
#define IDC_YEAR_SPIN 1001
#define IDC_YEAR_LABEL 1002
#define IDC_MONTH_SPIN 1003
#define IDC_MONTH_LABEL 1004
#define IDC_SEAL_SLOT1 1006
#define IDC_SEAL_SLOT2 1007
#define IDC_SEAL_SLOT3 1008
#define IDC_SEAL_SLOT4 1009
#define IDC_LINE1 1010
#define IDC_LINE2 1011
#define IDC_LINE3 1012
#define IDC_LINE4 1013
#define IDC_LINE5 1014
#define IDC_MEMO 1015
#define IDC_SCHEDULE_BAR 1016
#define IDC_MEMO_BAR 1017
#define IDC_DAY_LABEL 1024
#define IDC_COVER 1046

// Settings dialog controls
#define IDC_THEME_CREAM 1050
#define IDC_THEME_PINK 1051
#define IDC_THEME_SKY 1052
#define IDC_DIARY_COVER 1053
#define IDC_JAPANESE_NAMES 1054
#define IDC_THEME_GREY 1056
#define IDC_REMIND_LEAD 1200

// Reminder window controls
#define IDC_REMINDER_LIST 1201
#define IDC_REMINDER_SNOOZE 1202

// Seal picker controls
#define IDC_SEAL_CELL0 1113
#define IDC_SEAL_CELL1 1114
#define IDC_SEAL_CELL2 1115
#define IDC_SEAL_CELL3 1116
#define IDC_SEAL_CELL4 1117
#define IDC_SEAL_CELL5 1118
#define IDC_SEAL_CELL6 1119
#define IDC_SEAL_CELL7 1120
#define IDC_SEAL_CELL8 1121
#define IDC_SEAL_CELL9 1122
#define IDC_SEAL_CELL10 1123
#define IDC_SEAL_CELL11 1124
#define IDC_SEAL_PAGE_SPIN 1125
#define IDC_SEAL_CELL12 1126
#define IDC_SEAL_FRAME 1127
#define IDC_SEAL_CELL13 1128
#define IDC_SEAL_CELL14 1129
#define IDC_SEAL_CELL15 1130

// Pictures
#define IDI_PLANNIX 1000
#define IDB_TOOL_IMAGE 1001
#define IDB_TOOL_IMAGE16 1002
#define IDB_COVER_CREAM 179
#define IDB_COVER_PINK 180
#define IDB_COVER_SKY 181
#define IDB_COVER_GREY 242
