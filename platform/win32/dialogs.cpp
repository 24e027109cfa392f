// Dialogs from resource templates with the logic's handlers behind them,
// the modal loop with its pre-dispatch filter, and owner-drawn picture
// buttons. The dialog procedure decides nothing: it hands each message to
// the handler and falls back to the dialog manager's default.
#include "platform/win32/dialogs.h"

#include <commctrl.h>

#include "platform/win32/win32_platform.h"

namespace lv::win32 {

namespace {

// What the dialog procedure knows of one dialog.
struct DialogContext {
    IDialogHandler* handler = nullptr;
    bool modal = false;
    bool ended = false;
    std::intptr_t result = 0;
};

// The pictures of an owner-drawn button, kept as a window property.
constexpr char kPicturesProp[] = "LvButtonPictures";
struct ButtonPictures {
    HBITMAP bitmaps[4] = {};
};

DialogContext* ContextOf(HWND hwnd) {
    return reinterpret_cast<DialogContext*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
}

// Messages whose answer a dialog procedure returns directly rather than
// through DWLP_MSGRESULT.
bool AnswersDirectly(UINT msg) {
    switch (msg) {
        case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: case WM_COMPAREITEM: case WM_VKEYTOITEM:
        case WM_CHARTOITEM: case WM_QUERYDRAGICON: case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}

bool DrawPictureButton(const DRAWITEMSTRUCT* item) {
    auto* pictures = static_cast<ButtonPictures*>(::GetPropA(item->hwndItem, kPicturesProp));
    if (pictures == nullptr) return false;
    int which = 0;
    if (item->itemState & ODS_SELECTED) which = 1;
    else if (item->itemState & ODS_FOCUS) which = 2;
    else if (item->itemState & ODS_DISABLED) which = 3;
    HBITMAP bitmap = pictures->bitmaps[which] ? pictures->bitmaps[which] : pictures->bitmaps[0];
    if (bitmap == nullptr) return false;
    HDC memory = ::CreateCompatibleDC(item->hDC);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    const RECT& rc = item->rcItem;
    ::BitBlt(item->hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return true;
}

BOOL CALLBACK FreePictures(HWND child, LPARAM) {
    auto* pictures = static_cast<ButtonPictures*>(::RemovePropA(child, kPicturesProp));
    if (pictures != nullptr) {
        for (HBITMAP b : pictures->bitmaps) {
            if (b != nullptr) ::DeleteObject(b);
        }
        delete pictures;
    }
    return TRUE;
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* context = reinterpret_cast<DialogContext*>(lParam);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, LONG_PTR(context));
        return INT_PTR(context->handler->OnInitDialog(FromHwnd(hwnd)));
    }
    DialogContext* context = ContextOf(hwnd);
    if (context == nullptr) return FALSE;

    std::intptr_t result = 0;
    if (context->handler->OnMessage(Message{FromHwnd(hwnd), msg, wParam, lParam}, result)) {
        if (AnswersDirectly(msg)) return INT_PTR(result);
        ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, LONG_PTR(result));
        return TRUE;
    }
    switch (msg) {
        case WM_DRAWITEM:
            return DrawPictureButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_COMMAND:
            // The default close: Escape, Enter or WM_CLOSE end a modal dialog.
            if (context->modal && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)) {
                context->ended = true;
                context->result = LOWORD(wParam);
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            ::EnumChildWindows(hwnd, FreePictures, 0);
            return FALSE;
        case WM_NCDESTROY:
            ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
            if (!context->modal) delete context;
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void Win32Dialogs::InitDialogFramework() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
}

HWindow Win32Dialogs::CreateModelessDialog(int templateId, IDialogHandler* handler) {
    auto* context = new DialogContext{handler, false, false, 0};
    HWND hwnd = ::CreateDialogParamA(Instance(), MAKEINTRESOURCEA(templateId), nullptr, DialogProc,
                                     LPARAM(context));
    if (hwnd == nullptr) delete context;
    return FromHwnd(hwnd);
}

std::intptr_t Win32Dialogs::RunModalDialog(int templateId, IDialogHandler* handler, HWindow owner) {
    DialogContext context{handler, true, false, 0};
    HWND parent = ToHwnd(owner);
    HWND hwnd = ::CreateDialogParamA(Instance(), MAKEINTRESOURCEA(templateId), parent, DialogProc,
                                     LPARAM(&context));
    if (hwnd == nullptr) return -1;
    // The owner takes no input while the dialog runs; it is enabled again
    // before the dialog goes, so that the activation returns to it.
    const bool disabled = parent != nullptr && !::EnableWindow(parent, FALSE);
    // As the dialog manager's own modal dialogs are: shown once initialised.
    if (!::IsWindowVisible(hwnd)) ::ShowWindow(hwnd, SW_SHOWNORMAL);
    while (!context.ended) {
        MSG msg;
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(int(msg.wParam));  // leave WM_QUIT for whoever runs next
            break;
        }
        if (got < 0) break;
        const Message m{FromHwnd(msg.hwnd), msg.message, msg.wParam, msg.lParam};
        if (handler->PreTranslateMessage(m)) continue;
        if (!::IsDialogMessageA(hwnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (disabled) ::EnableWindow(parent, TRUE);
    ::DestroyWindow(hwnd);
    return context.result;
}

void Win32Dialogs::EndDialog(HWindow dlg, std::intptr_t result) {
    DialogContext* context = ContextOf(ToHwnd(dlg));
    if (context == nullptr || !context->modal) return;
    context->ended = true;
    context->result = result;
    ::PostMessageA(ToHwnd(dlg), WM_NULL, 0, 0);  // wake the loop
}

void Win32Dialogs::DestroyWindow(HWindow wnd) { ::DestroyWindow(ToHwnd(wnd)); }

HWindow Win32Dialogs::GetDlgItem(HWindow dlg, int id) { return FromHwnd(::GetDlgItem(ToHwnd(dlg), id)); }

void Win32Dialogs::GetWindowText(HWindow wnd, char* text, int size) {
    if (size <= 0) return;
    text[0] = '\0';
    ::GetWindowTextA(ToHwnd(wnd), text, size);
    text[size - 1] = '\0';
}

void Win32Dialogs::PaintNow(HWindow wnd) {
    ::RedrawWindow(ToHwnd(wnd), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
}

HBitmap Win32Dialogs::LoadBitmapByName(const char* name) {
    return HBitmap(reinterpret_cast<std::uintptr_t>(::LoadBitmapA(Instance(), name)));
}

HBitmap Win32Dialogs::LoadBitmapScaled(const char* name, Point size) {
    HBITMAP source = ::LoadBitmapA(Instance(), name);
    if (source == nullptr || size.x <= 0 || size.y <= 0) return HBitmap(reinterpret_cast<std::uintptr_t>(source));
    BITMAP info{};
    ::GetObjectA(source, sizeof info, &info);
    HDC screen = ::GetDC(nullptr);
    HDC from = ::CreateCompatibleDC(screen);
    HDC to = ::CreateCompatibleDC(screen);
    HBITMAP scaled = ::CreateCompatibleBitmap(screen, size.x, size.y);
    if (from != nullptr && to != nullptr && scaled != nullptr) {
        HGDIOBJ oldFrom = ::SelectObject(from, source);
        HGDIOBJ oldTo = ::SelectObject(to, scaled);
        ::SetStretchBltMode(to, HALFTONE);
        ::SetBrushOrgEx(to, 0, 0, nullptr);
        ::StretchBlt(to, 0, 0, size.x, size.y, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
        ::SelectObject(from, oldFrom);
        ::SelectObject(to, oldTo);
    }
    if (to != nullptr) ::DeleteDC(to);
    if (from != nullptr) ::DeleteDC(from);
    ::ReleaseDC(nullptr, screen);
    if (scaled == nullptr) return HBitmap(reinterpret_cast<std::uintptr_t>(source));
    ::DeleteObject(source);
    return HBitmap(reinterpret_cast<std::uintptr_t>(scaled));
}

void Win32Dialogs::DeleteBitmap(HBitmap bitmap) { ::DeleteObject(reinterpret_cast<HBITMAP>(bitmap)); }

Point Win32Dialogs::GetBitmapSize(HBitmap bitmap) {
    BITMAP info{};
    if (::GetObjectA(reinterpret_cast<HBITMAP>(bitmap), sizeof info, &info) == 0) return Point{};
    return Point{info.bmWidth, info.bmHeight};
}

// The picture a template gave the control is the control's own; one set
// here is the program's, kept in a window property so it can be deleted
// when the next one replaces it.
void Win32Dialogs::SetStaticBitmap(HWindow control, HBitmap bitmap) {
    static const char kOwnPictureProp[] = "LumivanePicture";
    HWND hwnd = ToHwnd(control);
    auto* picture = reinterpret_cast<HBITMAP>(bitmap);
    if (picture == nullptr) return;
    ::SendMessageA(hwnd, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(picture));
    auto* before = static_cast<HBITMAP>(::GetPropA(hwnd, kOwnPictureProp));
    if (before != nullptr) ::DeleteObject(before);
    ::SetPropA(hwnd, kOwnPictureProp, picture);
}

void Win32Dialogs::SetButtonBitmaps(HWindow button, const HBitmap pictures[4]) {
    HWND hwnd = ToHwnd(button);
    FreePictures(hwnd, 0);
    auto* kept = new ButtonPictures;
    for (int i = 0; i < 4; ++i) kept->bitmaps[i] = reinterpret_cast<HBITMAP>(pictures[i]);
    if (!::SetPropA(hwnd, kPicturesProp, kept)) {
        FreePictures(hwnd, 0);
        for (HBITMAP b : kept->bitmaps) {
            if (b != nullptr) ::DeleteObject(b);
        }
        delete kept;
    }
}

void Win32Dialogs::SetWindowIcons(HWindow wnd, HIcon icon) {
    ::SendMessageA(ToHwnd(wnd), WM_SETICON, ICON_BIG, LPARAM(icon));
    ::SendMessageA(ToHwnd(wnd), WM_SETICON, ICON_SMALL, LPARAM(icon));
}

std::intptr_t Win32Dialogs::DefaultWindowProc(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam,
                                                std::intptr_t lParam) {
    return ::DefWindowProcA(ToHwnd(wnd), msg, wParam, lParam);
}

void Win32Dialogs::PaintIconic(HWindow wnd, HIcon icon, std::int32_t x, std::int32_t y) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(ToHwnd(wnd), &ps);
    ::SendMessageA(ToHwnd(wnd), WM_ICONERASEBKGND, WPARAM(dc), 0);
    ::DrawIcon(dc, x, y, reinterpret_cast<HICON>(icon));
    ::EndPaint(ToHwnd(wnd), &ps);
}

}  // namespace lv::win32
