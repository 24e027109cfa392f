// Numbers the logic shares with the window system: message numbers, flags,
// error codes. They carry the Win32 values; platform/win32 checks each one
// against the real headers at compile time.
#pragma once

#include <cstdint>

namespace lv {

// RedrawWindow flags.
constexpr std::uint32_t kRdwInvalidate = 0x0001;
constexpr std::uint32_t kRdwErase = 0x0004;
constexpr std::uint32_t kRdwAllChildren = 0x0080;
constexpr std::uint32_t kRdwUpdateNow = 0x0100;
constexpr std::uint32_t kRdwFrame = 0x0400;

// Last-error values.
constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorAlreadyExists = 183;
constexpr std::uint32_t kErrorMoreData = 234;

// Registry: access rights and value types.
constexpr std::uint32_t kKeyAllAccess = 0xF003F;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

// System cursor ids (OCR_*).
constexpr std::uint32_t kOcrNormal = 32512;
constexpr std::uint32_t kOcrIBeam = 32513;
constexpr std::uint32_t kOcrWait = 32514;
constexpr std::uint32_t kOcrCross = 32515;
constexpr std::uint32_t kOcrSizeNwse = 32642;
constexpr std::uint32_t kOcrSizeNesw = 32643;
constexpr std::uint32_t kOcrSizeWe = 32644;
constexpr std::uint32_t kOcrSizeNs = 32645;
constexpr std::uint32_t kOcrSizeAll = 32646;
constexpr std::uint32_t kOcrNo = 32648;

// Predefined icons (IDI_*).
constexpr std::uint16_t kIdiApplication = 32512;
constexpr std::uint16_t kIdiHand = 32513;
constexpr std::uint16_t kIdiQuestion = 32514;
constexpr std::uint16_t kIdiExclamation = 32515;
constexpr std::uint16_t kIdiAsterisk = 32516;

// Notification-area record flags and commands.
constexpr std::uint32_t kNifMessage = 0x1;
constexpr std::uint32_t kNifIcon = 0x2;
constexpr std::uint32_t kNifTip = 0x4;
constexpr std::uint32_t kNimAdd = 0;
constexpr std::uint32_t kNimModify = 1;
constexpr std::uint32_t kNimDelete = 2;

// GetSystemMetrics indexes.
constexpr int kSmCxScreen = 0;
constexpr int kSmCyScreen = 1;
constexpr int kSmCxIcon = 11;
constexpr int kSmCyIcon = 12;

// Window messages the logic handles or sends.
constexpr std::uint32_t kWmCreate = 0x0001;
constexpr std::uint32_t kWmDestroy = 0x0002;
constexpr std::uint32_t kWmPaint = 0x000F;
constexpr std::uint32_t kWmClose = 0x0010;
constexpr std::uint32_t kWmQueryEndSession = 0x0011;
constexpr std::uint32_t kWmEndSession = 0x0016;
constexpr std::uint32_t kWmDisplayChange = 0x007E;
constexpr std::uint32_t kWmDpiChanged = 0x02E0;
constexpr std::uint32_t kWmQueryDragIcon = 0x0037;
constexpr std::uint32_t kWmIconEraseBkgnd = 0x0027;
constexpr std::uint32_t kWmSetCursor = 0x0020;
constexpr std::uint32_t kWmNcDestroy = 0x0082;
constexpr std::uint32_t kWmNcHitTest = 0x0084;
constexpr std::uint32_t kWmKeyDown = 0x0100;
constexpr std::uint32_t kWmCommand = 0x0111;
constexpr std::uint32_t kWmSysCommand = 0x0112;
constexpr std::uint32_t kWmTimer = 0x0113;
constexpr std::uint32_t kWmLButtonDown = 0x0201;
constexpr std::uint32_t kWmLButtonUp = 0x0202;
constexpr std::uint32_t kWmLButtonDblClk = 0x0203;
constexpr std::uint32_t kWmRButtonDown = 0x0204;
constexpr std::uint32_t kWmRButtonUp = 0x0205;
constexpr std::uint32_t kWmHotKey = 0x0312;
constexpr std::uint32_t kWmUser = 0x0400;

constexpr std::uint32_t kWmSetIcon = 0x0080;

// Hot key modifiers.
constexpr std::uint32_t kModAlt = 0x0001;
constexpr std::uint32_t kModControl = 0x0002;
constexpr std::uint32_t kModShift = 0x0004;
constexpr std::uint32_t kModWin = 0x0008;
constexpr std::uint32_t kModNoRepeat = 0x4000;

// Hit test, menus, animation, message box, help viewer.
constexpr std::intptr_t kHtClient = 1;
constexpr std::intptr_t kHtCaption = 2;
constexpr std::uint32_t kTpmRightButton = 0x0002;
constexpr int kIdAniCaption = 3;
constexpr std::uint32_t kMbIconHand = 0x0010;
constexpr std::uint32_t kHhDisplayTopic = 0x0000;

// Dialog results.
constexpr std::intptr_t kIdOk = 1;
constexpr std::intptr_t kIdCancel = 2;

}  // namespace lv
