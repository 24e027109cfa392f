#include "platform/fake/ui.h"

#include <cstring>

#include "platform/constants.h"

namespace lv::fake {

namespace {
constexpr std::uintptr_t kFirstWindow = 0x1000;
}

FakeUi::FakeUi(FakeClock& clock, EventLog& log, std::int32_t width, std::int32_t height)
    : screenWidth(width), screenHeight(height), clock_(clock), log_(log) {
    // The program's templates as the "System" font's dialog units work out
    // (8 x 16 pixel base units: 2 pixels a unit across, 2 down).
    templates[130] = FakeTemplate{Rect{0, 0, 372, 256}, true,
                                  {FakeControl{5000, "COV", Rect{0, 0, 80, 52}}}};
    templates[102] = FakeTemplate{Rect{0, 0, 94, 20}, false, {FakeControl{-1, "", Rect{70, 0, 94, 18}}}};
    bitmaps["COVU"] = Point{400, 273};
    bitmaps["177"] = Point{24, 18};
}

void FakeUi::InitDialogFramework() {
    frameworkReady = true;
    log_.Add(clock_.Now(), "ui framework");
}

HWindow FakeUi::Create(int templateId, IDialogHandler* handler, bool modal) {
    auto t = templates.find(templateId);
    if (t == templates.end()) return HWindow::None;
    const HWindow dlg = HWindow(kFirstWindow + windows_.size());
    FakeWindow w;
    w.handle = dlg;
    w.templateId = templateId;
    w.rect = t->second.rect;
    w.visible = t->second.visible;
    w.modal = modal;
    w.handler = handler;
    windows_.push_back(w);
    for (const FakeControl& c : t->second.controls) {
        FakeWindow child;
        child.handle = HWindow(kFirstWindow + windows_.size());
        child.parent = dlg;
        child.controlId = c.id;
        child.text = c.text;
        child.rect = Rect{w.rect.left + c.rect.left, w.rect.top + c.rect.top,
                          w.rect.left + c.rect.right, w.rect.top + c.rect.bottom};
        child.visible = true;
        windows_.push_back(child);
    }
    log_.Add(clock_.Now(), "window create " + std::to_string(templateId));
    if (handler != nullptr) handler->OnInitDialog(dlg);
    return dlg;
}

HWindow FakeUi::CreateModelessDialog(int templateId, IDialogHandler* handler) {
    return Create(templateId, handler, false);
}

std::intptr_t FakeUi::RunModalDialog(int templateId, IDialogHandler* handler) {
    const HWindow dlg = Create(templateId, handler, true);
    if (IsNone(dlg)) return -1;
    log_.Add(clock_.Now(), "modal run " + std::to_string(templateId));
    Find(dlg)->visible = true;  // shown once initialised, as the dialog manager does
    Pump();
    if (modalScript) modalScript(dlg);
    Pump();
    // The user closes whatever the script left open.
    if (!Find(dlg)->ended) Send(dlg, kWmClose);
    const std::intptr_t result = Find(dlg)->result;
    DestroyWindow(dlg);
    log_.Add(clock_.Now(), "modal end " + std::to_string(templateId));
    return result;
}

std::intptr_t FakeUi::Send(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr || w->destroyed) return 0;
    std::intptr_t result = 0;
    if (w->handler != nullptr && w->handler->OnMessage(Message{wnd, msg, wParam, lParam}, result)) {
        return result;
    }
    if (msg == kWmClose && w->modal) EndDialog(wnd, kIdCancel);
    return 0;
}

void FakeUi::EndDialog(HWindow dlg, std::intptr_t result) {
    FakeWindow* w = Find(dlg);
    if (w == nullptr) return;
    w->ended = true;
    w->result = result;
    log_.Add(clock_.Now(), "dialog end");
}

void FakeUi::DestroyWindow(HWindow wnd) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr || w->destroyed) return;
    w->destroyed = true;
    w->visible = false;
    for (FakeWindow& child : windows_) {
        if (child.parent == wnd) child.destroyed = true;
    }
    log_.Add(clock_.Now(), "window destroy " + std::to_string(w->templateId));
}

bool FakeUi::IsWindow(HWindow wnd) {
    FakeWindow* w = Find(wnd);
    return w != nullptr && !w->destroyed;
}

HWindow FakeUi::GetDlgItem(HWindow dlg, int id) {
    for (const FakeWindow& w : windows_) {
        if (w.parent == dlg && w.controlId == id && !w.destroyed) return w.handle;
    }
    return HWindow::None;
}

void FakeUi::GetWindowText(HWindow wnd, char* text, int size) {
    if (size <= 0) return;
    const FakeWindow* w = Find(wnd);
    const std::string s = w ? w->text : std::string();
    const std::size_t n = std::min<std::size_t>(s.size(), std::size_t(size - 1));
    std::memcpy(text, s.data(), n);
    text[n] = '\0';
}

Rect FakeUi::GetWindowRect(HWindow wnd) {
    const FakeWindow* w = Find(wnd);
    return w ? w->rect : Rect{};
}

void FakeUi::MoveWindow(HWindow wnd, const Rect& rect, bool /*repaint*/) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr) return;
    const std::int32_t dx = rect.left - w->rect.left;
    const std::int32_t dy = rect.top - w->rect.top;
    w->rect = rect;
    for (FakeWindow& child : windows_) {
        if (child.parent != wnd) continue;
        child.rect = Rect{child.rect.left + dx, child.rect.top + dy, child.rect.right + dx,
                          child.rect.bottom + dy};
    }
}

void FakeUi::CentreWindow(HWindow wnd) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr) return;
    const std::int32_t left = (screenWidth - w->rect.Width()) / 2;
    const std::int32_t top = (screenHeight - w->rect.Height()) / 2;
    MoveWindow(wnd, Rect{left, top, left + w->rect.Width(), top + w->rect.Height()}, false);
}

void FakeUi::ShowWindow(HWindow wnd, bool show) {
    FakeWindow* w = Find(wnd);
    if (w != nullptr) w->visible = show;
}

void FakeUi::PaintNow(HWindow wnd) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr) return;
    ++w->paints;
    log_.Add(clock_.Now(), "paint " + std::to_string(w->templateId));
}

int FakeUi::GetSystemMetrics(int index) {
    if (index == kSmCxScreen) return screenWidth;
    if (index == kSmCyScreen) return screenHeight;
    if (index == kSmCxIcon || index == kSmCyIcon) return 32;
    return 0;
}

HBitmap FakeUi::LoadBitmapByName(const char* name) {
    if (!bitmaps.count(name)) return HBitmap::None;
    const std::uintptr_t h = 0x5000 + loadedBitmaps_.size();
    loadedBitmaps_[h] = name;
    return HBitmap(h);
}

Point FakeUi::GetBitmapSize(HBitmap bitmap) {
    auto it = loadedBitmaps_.find(std::uintptr_t(bitmap));
    return it == loadedBitmaps_.end() ? Point{} : bitmaps[it->second];
}

void FakeUi::SetButtonBitmaps(HWindow button, const HBitmap pictures[4]) {
    FakeWindow* w = Find(button);
    if (w == nullptr) return;
    for (int i = 0; i < 4; ++i) w->pictures[i] = pictures[i];
}

void FakeUi::SetWindowSize(HWindow wnd, std::int32_t width, std::int32_t height) {
    FakeWindow* w = Find(wnd);
    if (w == nullptr) return;
    w->rect.right = w->rect.left + width;
    w->rect.bottom = w->rect.top + height;
}

void FakeUi::PostMessage(HWindow wnd, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam) {
    queue_.push_back(Message{wnd, msg, wParam, lParam});
}

void FakeUi::Pump() {
    while (!queue_.empty()) {
        const Message m = queue_.front();
        queue_.pop_front();
        Send(m.hwnd, m.msg, m.wParam, m.lParam);
    }
}

HWindow FakeUi::AddWindow(const std::string& className, const Rect& rect, HWindow parent) {
    FakeWindow w;
    w.handle = HWindow(kFirstWindow + windows_.size());
    w.parent = parent;
    w.className = className;
    w.rect = rect;
    w.visible = true;
    windows_.push_back(w);
    return w.handle;
}

std::vector<HWindow> FakeUi::Descendants(HWindow parent) const {
    std::vector<HWindow> out;
    for (const FakeWindow& w : windows_) {
        if (w.parent != parent || w.destroyed) continue;
        out.push_back(w.handle);
        for (HWindow d : Descendants(w.handle)) out.push_back(d);
    }
    return out;
}

FakeWindow* FakeUi::Find(HWindow wnd) {
    const std::uintptr_t h = std::uintptr_t(wnd);
    if (h < kFirstWindow || h - kFirstWindow >= windows_.size()) return nullptr;
    // (Handles index the window list directly; windows are never removed.)
    return &windows_[h - kFirstWindow];
}

std::vector<const FakeWindow*> FakeUi::WindowsFrom(int templateId) const {
    std::vector<const FakeWindow*> out;
    for (const FakeWindow& w : windows_) {
        if (w.templateId == templateId && IsNone(w.parent)) out.push_back(&w);
    }
    return out;
}

std::vector<HWindow> FakeUi::TopLevelWindows() const {
    std::vector<HWindow> out;
    for (const FakeWindow& w : windows_) {
        if (!w.destroyed && IsNone(w.parent)) out.push_back(w.handle);
    }
    return out;
}

}  // namespace lv::fake
