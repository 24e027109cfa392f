// The numbers platform/constants.h gives the logic are Windows' own.
#include <windows.h>

#include "platform/constants.h"

namespace lv {
static_assert(kRdwInvalidate == RDW_INVALIDATE && kRdwErase == RDW_ERASE &&
              kRdwAllChildren == RDW_ALLCHILDREN && kRdwUpdateNow == RDW_UPDATENOW &&
              kRdwFrame == RDW_FRAME, "RedrawWindow flags");
static_assert(kErrorAlreadyExists == ERROR_ALREADY_EXISTS, "last error");
static_assert(kSmCxScreen == SM_CXSCREEN && kSmCyScreen == SM_CYSCREEN &&
              kSmCxIcon == SM_CXICON && kSmCyIcon == SM_CYICON, "system metrics");
static_assert(kWmDestroy == WM_DESTROY && kWmPaint == WM_PAINT && kWmClose == WM_CLOSE &&
              kWmQueryDragIcon == WM_QUERYDRAGICON && kWmIconEraseBkgnd == WM_ICONERASEBKGND &&
              kWmSetCursor == WM_SETCURSOR && kWmNcHitTest == WM_NCHITTEST &&
              kWmKeyDown == WM_KEYDOWN && kWmCommand == WM_COMMAND &&
              kWmSysCommand == WM_SYSCOMMAND && kWmTimer == WM_TIMER &&
              kWmLButtonDown == WM_LBUTTONDOWN && kWmLButtonUp == WM_LBUTTONUP &&
              kWmRButtonDown == WM_RBUTTONDOWN && kWmRButtonUp == WM_RBUTTONUP &&
              kWmHotKey == WM_HOTKEY && kWmUser == WM_USER,
              "window messages");
static_assert(kWmSetIcon == WM_SETICON, "WM_SETICON");
static_assert(kModAlt == MOD_ALT && kModControl == MOD_CONTROL && kModShift == MOD_SHIFT &&
              kModWin == MOD_WIN && kModNoRepeat == 0x4000, "hot key modifiers");
static_assert(kHtClient == HTCLIENT && kHtCaption == HTCAPTION && kTpmRightButton == TPM_RIGHTBUTTON &&
              kIdAniCaption == IDANI_CAPTION && kMbIconHand == MB_ICONHAND, "shell numbers");
static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL, "dialog results");
}  // namespace lv
