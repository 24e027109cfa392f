#include "platform/fake/dialogs.h"

#include <cstring>

#include "platform/constants.h"
#include "platform/fake/text.h"

namespace lv::fake {

FakeDialogs::FakeDialogs(FakeClock& clock, EventLog& log, FakeWindows& windows)
    : clock_(clock), log_(log), windows_(windows) {
    // The program's templates as the "System" font's dialog units work out
    // (8 x 16 pixel base units: 2 pixels a unit across, 2 down).
    templates[130] = FakeTemplate{Rect{0, 0, 372, 256}, true,
                                  {FakeControl{5000, "COV", Rect{0, 0, 80, 52}, "Button", 0x0001008B}}};
    templates[102] = FakeTemplate{Rect{0, 0, 94, 20}, false, {FakeControl{1020, "177", Rect{70, 0, 94, 18}, "Static", 0x000E}}};
    // The About box in "Times New Roman" 9 points (1.5 pixels a unit across,
    // 1.875 down) and Display adjust in "System" 10 points.
    auto about = [](int x, int y, int w, int h) {
        return Rect{x * 3 / 2, y * 15 / 8, (x + w) * 3 / 2, (y + h) * 15 / 8};
    };
    templates[100] = FakeTemplate{
        about(0, 0, 215, 113), false,
        {FakeControl{1021, "178", about(15, 11, 57, 37), "Static", 0x080E},
         FakeControl{-1, "QVM\nLumivane\n v2.05", about(115, 11, 68, 25), "Static", 0x0081},
         FakeControl{-1, "(C) 2003-2026 Lumivane", about(15, 65, 84, 8), "Static", 0x0001},
         FakeControl{1, "OK", about(32, 79, 50, 16), "Button", 0x00010001},
         FakeControl{-1,
                     "Using:\n  Left Mouse Click System Tray icon to activate.\n  Left Mouse Click again to "
                     "deactivate.\n  Right Mouse Click to show Lumivane menu.",
                     about(109, 40, 92, 62), "Static", 0x0081},
         FakeControl{1000, "https://lumivane.example/", about(18, 57, 70, 8), "Static", 0x0081}}};
    auto system = [](int x, int y, int w, int h) { return Rect{x * 2, y * 2, (x + w) * 2, (y + h) * 2}; };
    templates[149] = FakeTemplate{
        system(0, 0, 187, 158), false,
        {FakeControl{1, "OK", system(32, 125, 50, 14), "Button", 0x00010001},
         FakeControl{2, "Cancel", system(98, 125, 50, 14), "Button", 0x00010000},
         FakeControl{1007, "", system(16, 27, 156, 24), "msctls_trackbar32", 0x00010000},
         FakeControl{1008, "", system(16, 63, 156, 24), "msctls_trackbar32", 0x00010000},
         FakeControl{1009, "", system(16, 98, 156, 24), "msctls_trackbar32", 0x00010000},
         FakeControl{-1, "Brightness:", system(22, 16, 38, 11), "Static", 0},
         FakeControl{-1, "Contrast:", system(22, 52, 38, 11), "Static", 0},
         FakeControl{-1, "Sharpness:", system(22, 87, 38, 11), "Static", 0}}};
    bitmaps["COVU"] = Point{400, 273};
    bitmaps["COVU2X"] = Point{800, 546};
    bitmaps["177"] = Point{24, 18};
    bitmaps["#177"] = Point{24, 18};
    bitmaps["#178"] = Point{144, 82};
    bitmaps["#4178"] = Point{288, 164};
    // The bar's logo drawn for each scale above 100 %.
    const Point logos[] = {{30, 23}, {36, 27}, {42, 32}, {48, 36}, {60, 45}, {72, 54}};
    for (int k = 1; k <= 6; ++k) bitmaps["#" + std::to_string(177 + 1000 * k)] = logos[k - 1];
}

void FakeDialogs::InitDialogFramework() {
    frameworkReady = true;
    log_.Add(clock_.Now(), "ui framework");
}

HWindow FakeDialogs::Create(int templateId, IDialogHandler* handler, bool modal, HWindow owner) {
    auto t = templates.find(templateId);
    if (t == templates.end()) return HWindow::None;
    FakeWindow w;
    w.owner = owner;
    w.templateId = templateId;
    w.rect = t->second.rect;
    w.visible = t->second.visible;
    w.modal = modal;
    w.handler = handler;
    const HWindow dlg = windows_.Add(w).handle;
    for (const FakeControl& c : t->second.controls) {
        FakeWindow child;
        child.parent = dlg;
        child.controlId = c.id;
        child.text = c.text;
        child.className = c.className;
        child.style = c.style;
        child.rect = Rect{w.rect.left + c.rect.left, w.rect.top + c.rect.top,
                          w.rect.left + c.rect.right, w.rect.top + c.rect.bottom};
        child.visible = true;
        windows_.Add(child);
    }
    log_.Add(clock_.Now(), "window create " + std::to_string(templateId));
    if (handler != nullptr) handler->OnInitDialog(dlg);
    return dlg;
}

HWindow FakeDialogs::CreateModelessDialog(int templateId, IDialogHandler* handler) {
    return Create(templateId, handler, false);
}

std::intptr_t FakeDialogs::RunModalDialog(int templateId, IDialogHandler* handler, HWindow owner) {
    const HWindow dlg = Create(templateId, handler, true, owner);
    if (IsNone(dlg)) return -1;
    FakeWindow* ownerWindow = windows_.Find(owner);
    const bool disabled = ownerWindow != nullptr && !ownerWindow->disabled;
    if (disabled) ownerWindow->disabled = true;
    log_.Add(clock_.Now(), "modal run " + std::to_string(templateId));
    windows_.Find(dlg)->visible = true;  // shown once initialised, as the dialog manager does
    // Shown, it is activated; ended, the activation goes back.
    const HWindow before = windows_.foreground;
    windows_.foreground = dlg;
    Pump();
    if (modalScript) modalScript(dlg);
    Pump();
    // The user closes whatever the script left open.
    if (!windows_.Find(dlg)->ended) Send(dlg, kWmClose);
    if (disabled) windows_.Find(owner)->disabled = false;
    if (windows_.foreground == dlg) windows_.foreground = before;
    const std::intptr_t result = windows_.Find(dlg)->result;
    DestroyWindow(dlg);
    log_.Add(clock_.Now(), "modal end " + std::to_string(templateId));
    return result;
}

std::intptr_t FakeDialogs::Send(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    FakeWindow* w = windows_.Find(wnd);
    if (w == nullptr || w->destroyed) return 0;
    std::intptr_t result = 0;
    if (w->handler != nullptr && w->handler->OnMessage(Message{wnd, msg, wParam, lParam}, result)) {
        return result;
    }
    if (!w->modal) return 0;
    // The default dialog procedure: WM_CLOSE is the Cancel button, which the
    // handler sees as a command; OK and Cancel left to the default end a
    // modal dialog with their id.
    if (msg == kWmClose) return Send(wnd, kWmCommand, std::uintptr_t(kIdCancel), 0);
    const std::intptr_t id = std::intptr_t(wParam & 0xFFFF);
    if (msg == kWmCommand && (id == kIdOk || id == kIdCancel)) EndDialog(wnd, id);
    return 0;
}

void FakeDialogs::EndDialog(HWindow dlg, std::intptr_t result) {
    FakeWindow* w = windows_.Find(dlg);
    if (w == nullptr) return;
    w->ended = true;
    w->result = result;
    log_.Add(clock_.Now(), "dialog end");
}

void FakeDialogs::DestroyWindow(HWindow wnd) {
    FakeWindow* w = windows_.Find(wnd);
    if (w == nullptr || w->destroyed) return;
    const int templateId = w->templateId;
    windows_.Close(wnd);
    log_.Add(clock_.Now(), "window destroy " + std::to_string(templateId));
}

HWindow FakeDialogs::GetDlgItem(HWindow dlg, int id) {
    for (HWindow h : windows_.Descendants(dlg)) {
        const FakeWindow* w = windows_.Find(h);
        if (w->parent == dlg && w->controlId == id) return h;
    }
    return HWindow::None;
}

void FakeDialogs::GetWindowText(HWindow wnd, char* text, int size) {
    const FakeWindow* w = windows_.Find(wnd);
    log_.AddWrite("GetWindowText", std::size_t(size < 0 ? 0 : size), CopyBounded(w ? w->text : std::string(), text, size));
}

void FakeDialogs::PaintNow(HWindow wnd) {
    FakeWindow* w = windows_.Find(wnd);
    if (w == nullptr) return;
    ++w->paints;
    log_.Add(clock_.Now(), "paint " + std::to_string(w->templateId));
}

HBitmap FakeDialogs::LoadBitmapByName(const char* name) {
    if (!bitmaps.count(name)) return HBitmap::None;
    const std::uintptr_t h = nextBitmap_++;
    loadedBitmaps_[h] = name;
    return HBitmap(h);
}

Point FakeDialogs::GetBitmapSize(HBitmap bitmap) {
    auto scaled = scaledSizes_.find(std::uintptr_t(bitmap));
    if (scaled != scaledSizes_.end()) return scaled->second;
    auto it = loadedBitmaps_.find(std::uintptr_t(bitmap));
    return it == loadedBitmaps_.end() ? Point{} : bitmaps[it->second];
}

void FakeDialogs::SetButtonBitmaps(HWindow button, const HBitmap pictures[4]) {
    FakeWindow* w = windows_.Find(button);
    if (w == nullptr) return;
    for (int i = 0; i < 4; ++i) w->pictures[i] = pictures[i];
}

void FakeDialogs::SetStaticBitmap(HWindow control, HBitmap picture) {
    if (windows_.IsWindow(control) && !IsNone(picture)) staticBitmaps[control] = Picture{NameOf(picture), GetBitmapSize(picture)};
}

HBitmap FakeDialogs::LoadBitmapScaled(const char* name, Point size) {
    const HBitmap b = LoadBitmapByName(name);
    if (!IsNone(b)) scaledSizes_[std::uintptr_t(b)] = size;
    return b;
}

void FakeDialogs::DeleteBitmap(HBitmap bitmap) {
    if (loadedBitmaps_.erase(std::uintptr_t(bitmap)) != 0) ++deletedBitmaps;
}

std::string FakeDialogs::NameOf(HBitmap bitmap) const {
    auto it = loadedBitmaps_.find(std::uintptr_t(bitmap));
    return it == loadedBitmaps_.end() ? std::string() : it->second;
}

void FakeDialogs::PostMessage(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    queue_.push_back(Message{wnd, msg, wParam, lParam});
}

void FakeDialogs::Pump() {
    while (!queue_.empty()) {
        const Message m = queue_.front();
        queue_.pop_front();
        Send(m.hwnd, m.msg, m.wParam, m.lParam);
    }
}

void FakeDialogs::SetWindowIcons(HWindow wnd, HIcon icon) { windowIcons[std::uintptr_t(wnd)] = icon; }

std::intptr_t FakeDialogs::DefaultWindowProc(HWindow, std::uint32_t msg, std::uintptr_t, std::intptr_t) {
    ++defaultProcCalls;
    return msg == kWmNcHitTest ? kHtClient : 0;
}

void FakeDialogs::PaintIconic(HWindow, HIcon, std::int32_t x, std::int32_t y) {
    ++iconicPaints;
    iconicAt = Point{x, y};
}

}  // namespace lv::fake
