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

#define IDB_BAR_LOGO 177
#define IDB_ABOUT_LOGO 178

#endif
