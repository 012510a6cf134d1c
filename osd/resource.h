#pragma once
// Resource ids of the OSD program (shared by the .rc file and the code).
#define IDD_VANTOSD_DIALOG 102
#define IDR_MAINFRAME 128
#define IDD_SHOW_INFO 1111
