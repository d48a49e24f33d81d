// Ids of the menu commands, dialog controls and strings of tenkari.exe; each is defined here
// and nowhere else. The buttons 実行 and キャンセル use the platform's IDOK and IDCANCEL.
#pragma once

// Menu commands, and the file output button's command.
#define IDM_EXIT 100
#define IDM_ANNUAL_READING 200
#define IDM_HEXAGRAM_READING 201
#define IDM_FILE_OUTPUT 202
#define IDM_ABOUT 301
#define IDM_HELP_CONTENTS 400

// Controls of the input dialog.
#define IDC_NAME 101
#define IDC_BIRTH_YEAR 102
#define IDC_JUDGED_YEAR 103
#define IDC_MALE 107
#define IDC_FEMALE 108

// Texts of the shell, in the string table.
#define IDS_MAIN_WINDOW_TITLE 1000
#define IDS_ANNUAL_CAPTION 1001
#define IDS_HEXAGRAM_CAPTION 1002
#define IDS_FILE_OUTPUT_BUTTON 1003
#define IDS_HELP_FILE 1004
#define IDS_HELP_PAGE 1005
#define IDS_HELP_CAPTION 1006
#define IDS_HELP_NOT_OPENED 1007
#define IDS_HELP_MISSING_REASON 1008
#define IDS_SAVE_FAILED_CAPTION 1009
#define IDS_SAVE_FAILED 1010
#define IDS_NAME_REFUSED_REASON 1011
#define IDS_ERROR_CODE 1012
