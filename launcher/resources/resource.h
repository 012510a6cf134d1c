#pragma once
// Resource ids of the launcher, shared by the .rc files and the code.

// Dialog templates
#define IDD_MAIN_WINDOW 102
#define IDD_SELECT_DIALOG 103
#define IDD_BROWSER 108
#define IDD_PICTURE_VIEWER 109
#define IDD_GAME_PAGE 134
#define IDD_OTHER_PAGE 135
#define IDD_KARAOKE_PANEL 220

#define IDR_MAINFRAME 128  // application icon

// Skin pictures (type "JPEG" or "PNG", see resources/art)
#define IDJ_GAME_PAGE 173
#define IDJ_OTHER_PAGE 174
#define IDJ_THIRD_PAGE 175
// The menu background is also the page-turn's menu picture.
#define IDJ_MENU_BACKGROUND 215
#define IDJ_TURN_MENU_PICTURE IDJ_MENU_BACKGROUND
#define IDJ_START_PROMPT 216
#define IDJ_BROWSER_BACKGROUND 218
#define IDP_PANEL_FIRST 221  // karaoke panel pictures 221..236
#define IDP_PANEL_LAST 236
#define IDP_FOLDER_ICON 237

// Control ids
#define IDC_PLAYER 1000
#define IDC_START_PROMPT 1112
#define IDC_MENU_TILE 1113
#define IDC_PAGE_TILE 140
#define IDC_BROWSER_ROW 0xFFFF
