// The numbers of the window's controls, menu items and dialogs. The resource script reads them
// too, so they are plain macros; the test program finds the controls by them. A control of the
// window model's control table has 1000 plus its place in the table (IdOf in control_refs.h).
#pragma once

// Dialogs and resources.
#define IDD_MAIN 100
#define IDD_INPUT_BOX 101
#define IDI_TOLVANEX 102

// Top row.
#define IDC_LABEL1_1 1000
#define IDC_TXT_FILE_0 1001
#define IDC_CMD_GETFILE_0 1002
#define IDC_CMD_EDIT_0 1003

// Post file group.
#define IDC_CHK_OUTPUTPOSTFILE 1004
#define IDC_LABEL1_0 1005
#define IDC_LBL_FOLDER_0 1006
#define IDC_CMD_GETFOLDER_0 1007
#define IDC_LABEL1_3 1008
#define IDC_TXT_FILE_1 1009
#define IDC_CMD_GETFILE_1 1010
#define IDC_CMD_EDIT_1 1011
#define IDC_CHK_SORTLOOKUP 1012
#define IDC_LABEL1_5 1013
#define IDC_LBL_FILE_0 1014
#define IDC_CMD_EDIT_3 1015

// Text file group.
#define IDC_CHK_OUTPUTTEXTFILES 1016
#define IDC_LABEL1_2 1017
#define IDC_LBL_FOLDER_1 1018
#define IDC_CMD_GETFOLDER_1 1019
#define IDC_LABEL1_6 1020
#define IDC_TXT_EXTENSION 1021
#define IDC_LABEL1_8 1022
#define IDC_CMB_DATEFORMAT 1023
#define IDC_LABEL1_4 1024
#define IDC_LST_FILES 1025
#define IDC_CMD_EDIT_2 1026

// Bottom row.
#define IDC_LBL_STATUS 1027
#define IDC_RUN_PROGRESS 1099
#define IDC_CMD_EXPORT 1028
#define IDC_CMD_CLOSE 1029

// Menu items.
#define IDM_FILE_0 2001
#define IDM_FILE_1 2002
#define IDM_HELP_0 2003

// The input box.
#define IDC_INPUT_PROMPT 3001
#define IDC_INPUT_TEXT 3002
