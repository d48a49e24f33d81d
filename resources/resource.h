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

// The main window's status bar.
#define IDC_STATUS_BAR 120

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
#define IDS_HELP_PLACE_ADVICE 1013
#define IDS_HELP_NO_BROWSER_REASON 1014
#define IDS_HELP_OPEN_BY_HAND 1015
#define IDS_FOLDER_IN_THE_WAY_REASON 1016
#define IDS_READ_ONLY_FILE_REASON 1017
#define IDS_DISK_FULL_REASON 1018

// What the status bar says.
#define IDS_STATUS_WHERE_TO_BEGIN 1020
#define IDS_STATUS_ANNUAL_SHOWN 1021
#define IDS_STATUS_HEXAGRAM_SHOWN 1022
#define IDS_STATUS_SAVED 1023
#define IDS_STATUS_NOT_SAVED 1024
#define IDS_STATUS_NOTHING_TO_SAVE 1025
#define IDS_STATUS_NO_HEXAGRAM 1026
#define IDS_STATUS_UNCOUNTED 1027
#define IDS_STATUS_COUNTED_FORMS 1028
#define IDS_STATUS_QUOTED 1029
#define IDS_STATUS_FORM_PAIR 1030
#define IDS_STATUS_LIST_SEPARATOR 1031
