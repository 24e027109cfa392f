// The numbers platform/constants.h gives the logic are Windows' own.
#define OEMRESOURCE  // the OCR_ system cursor ids
#include <windows.h>
#include <shellapi.h>

#include "platform/constants.h"

namespace lv {
static_assert(kRdwInvalidate == RDW_INVALIDATE && kRdwErase == RDW_ERASE &&
              kRdwAllChildren == RDW_ALLCHILDREN && kRdwUpdateNow == RDW_UPDATENOW &&
              kRdwFrame == RDW_FRAME, "RedrawWindow flags");
static_assert(kErrorAlreadyExists == ERROR_ALREADY_EXISTS && kErrorFileNotFound == ERROR_FILE_NOT_FOUND &&
              kErrorMoreData == ERROR_MORE_DATA, "last error");
static_assert(kKeyAllAccess == KEY_ALL_ACCESS && kRegSz == REG_SZ && kRegExpandSz == REG_EXPAND_SZ &&
              kRegBinary == REG_BINARY && kRegDword == REG_DWORD && kRegMultiSz == REG_MULTI_SZ,
              "registry");
static_assert(kOcrNormal == OCR_NORMAL && kOcrIBeam == OCR_IBEAM && kOcrWait == OCR_WAIT &&
              kOcrCross == OCR_CROSS && kOcrSizeNwse == OCR_SIZENWSE && kOcrSizeNesw == OCR_SIZENESW &&
              kOcrSizeWe == OCR_SIZEWE && kOcrSizeNs == OCR_SIZENS && kOcrSizeAll == OCR_SIZEALL &&
              kOcrNo == OCR_NO, "system cursor ids");
// IDI_* are MAKEINTRESOURCE pointers, which a constant expression cannot
// read: their numbers are the documented 32512 to 32516.
static_assert(kNifMessage == NIF_MESSAGE && kNifIcon == NIF_ICON && kNifTip == NIF_TIP &&
              kNimAdd == NIM_ADD && kNimModify == NIM_MODIFY && kNimDelete == NIM_DELETE,
              "notification area");
static_assert(kSmCxScreen == SM_CXSCREEN && kSmCyScreen == SM_CYSCREEN &&
              kSmCxIcon == SM_CXICON && kSmCyIcon == SM_CYICON, "system metrics");
static_assert(kWmCreate == WM_CREATE && kWmNcDestroy == WM_NCDESTROY &&
              kWmLButtonDblClk == WM_LBUTTONDBLCLK, "window messages");
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
static_assert(kWmQueryEndSession == WM_QUERYENDSESSION && kWmEndSession == WM_ENDSESSION &&
              kWmDisplayChange == WM_DISPLAYCHANGE, "session and display messages");
static_assert(kModAlt == MOD_ALT && kModControl == MOD_CONTROL && kModShift == MOD_SHIFT &&
              kModWin == MOD_WIN && kModNoRepeat == 0x4000, "hot key modifiers");
static_assert(kHtClient == HTCLIENT && kHtCaption == HTCAPTION && kTpmRightButton == TPM_RIGHTBUTTON &&
              kIdAniCaption == IDANI_CAPTION && kMbIconHand == MB_ICONHAND, "shell numbers");
static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL, "dialog results");
}  // namespace lv
