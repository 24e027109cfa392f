/* Resource ids of lumivane.exe. Plain C preprocessor only: windres and
   Microsoft's rc both read this file. */
#ifndef LUMIVANE_RESOURCE_H
#define LUMIVANE_RESOURCE_H

#define IDR_MAINFRAME 128
#define IDI_ACTIVE 145
#define IDI_SUSPENDED 146
#define IDC_SELECT_OUTSIDE 147
#define IDC_SELECT_INSIDE 148
#define IDC_MOVE 184

#define IDD_BAR 102
#define IDD_SPLASH 130
#define IDC_SPLASH_PICTURE 5000

#define IDD_ABOUT 100
#define IDC_ABOUT_LINK 1000
#define IDC_ABOUT_LOGO 1021
#define IDD_DISPLAY 149
#define IDC_SLIDER_BRIGHTNESS 1007
#define IDC_SLIDER_CONTRAST 1008
#define IDC_SLIDER_SHARPNESS 1009

/* The About box's link (its text and its target) and legal notice. */
#define LV_VENDOR_URL "https://lumivane.example/"
#define LV_LEGAL_NOTICE "(C) 2003-2026 Lumivane"

#define IDR_TOOLBAR_IDLE 165
#define IDR_TOOLBAR_ACTIVE 172
#define IDR_TOOLBAR_SUSPENDED 174

#define IDR_TRAY_MENU 6000
#define IDR_BAR_MENU 7000

#define ID_APP_ABOUT 40001
#define ID_APP_EXIT 40002
#define ID_START 40003
#define ID_STOP 40005
#define ID_SHOW_BAR 40006
#define ID_HELP_TOPICS 40007
#define ID_SETTING 40008
#define ID_HIDE_BAR 40009

#define IDB_BAR_LOGO 177
#define IDC_BAR_LOGO 1020
#define IDB_ABOUT_LOGO 178

/* The same pictures for scaled displays. The tool bars and the bar logo come
   at 100, 125, 150, 175, 200, 250 and 300 %: the scale with index k (0 to 6)
   has resource id LV_SCALED_ID(id at 100 %, k). The About logo also comes at
   200 % (k = 4), the splash COVU at twice its size as COVU2X. */
#define LV_SCALED_ID(id, k) ((id) + 1000 * (k))

#define IDR_TOOLBAR_IDLE_125 1165
#define IDR_TOOLBAR_IDLE_150 2165
#define IDR_TOOLBAR_IDLE_175 3165
#define IDR_TOOLBAR_IDLE_200 4165
#define IDR_TOOLBAR_IDLE_250 5165
#define IDR_TOOLBAR_IDLE_300 6165

#define IDR_TOOLBAR_ACTIVE_125 1172
#define IDR_TOOLBAR_ACTIVE_150 2172
#define IDR_TOOLBAR_ACTIVE_175 3172
#define IDR_TOOLBAR_ACTIVE_200 4172
#define IDR_TOOLBAR_ACTIVE_250 5172
#define IDR_TOOLBAR_ACTIVE_300 6172

#define IDR_TOOLBAR_SUSPENDED_125 1174
#define IDR_TOOLBAR_SUSPENDED_150 2174
#define IDR_TOOLBAR_SUSPENDED_175 3174
#define IDR_TOOLBAR_SUSPENDED_200 4174
#define IDR_TOOLBAR_SUSPENDED_250 5174
#define IDR_TOOLBAR_SUSPENDED_300 6174

#define IDB_BAR_LOGO_125 1177
#define IDB_BAR_LOGO_150 2177
#define IDB_BAR_LOGO_175 3177
#define IDB_BAR_LOGO_200 4177
#define IDB_BAR_LOGO_250 5177
#define IDB_BAR_LOGO_300 6177
#define IDB_ABOUT_LOGO_200 4178

#endif
