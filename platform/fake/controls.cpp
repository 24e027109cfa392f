#include "platform/fake/controls.h"

#include "platform/constants.h"

namespace lv::fake {

namespace {
constexpr std::intptr_t kHtTransparent = -1;
constexpr std::uint32_t kWmSetFont = 0x0030;
constexpr std::uint32_t kWmNcHitTestMsg = 0x0084;
constexpr char kTooltipClass[] = "tooltips_class32";

std::intptr_t PackPoint(Point pt) {
    return std::intptr_t((std::uint32_t(std::uint16_t(pt.x)) | (std::uint32_t(std::uint16_t(pt.y)) << 16)));
}
}  // namespace

FakeControls::FakeControls(FakeClock& clock, EventLog& log, FakeDialogs& dialogs, FakeWindows& windows,
                           FakeMouseInput& mouse, FakeCursors& cursors)
    : clock_(clock), log_(log), dialogs_(dialogs), windows_(windows), mouse_(mouse), cursors_(cursors) {
    sysColours[kColorHighlight] = MakeColour(0, 120, 215);
    templateFonts[100] = FakeFont{"Times New Roman", 9, false, true};
    templateFonts[149] = FakeFont{"System", 10, false, true};
}

// ---------------------------------------------------------------------------
// Subclassing and the controls' own procedure

bool FakeControls::SubclassControl(HWindow control, IControlHandler* handler) {
    if (!windows_.IsWindow(control)) return false;
    State(control).handler = handler;
    log_.Add(clock_.Now(), "subclass " + std::to_string(windows_.Find(control)->controlId));
    return true;
}

void FakeControls::RemoveSubclass(HWindow control) { State(control).handler = nullptr; }

HWindow FakeControls::DialogOf(HWindow wnd) {
    const FakeWindow* w = windows_.Find(wnd);
    return w == nullptr || IsNone(w->parent) ? wnd : w->parent;
}

// A static control's own procedure: it tells its parent of a press only
// with SS_NOTIFY, and without it lets the mouse through to the parent.
std::intptr_t FakeControls::DefaultControlProc(const Message& m) {
    FakeWindow* w = windows_.Find(m.hwnd);
    if (w == nullptr || w->destroyed) return 0;
    const bool notifies = (w->style & kSsNotify) != 0;
    switch (m.msg) {
        case kWmNcHitTestMsg:
            return w->className == "Static" && !notifies ? kHtTransparent : kHtClient;
        case kWmLButtonDown:
            if (w->className == "Static" && notifies) {
                const std::uintptr_t wParam = std::uint16_t(w->controlId) | (std::uintptr_t(kStnClicked) << 16);
                dialogs_.Send(w->parent, kWmCommand, wParam, std::intptr_t(m.hwnd));
            }
            return 0;
        case kWmSetCursor: {
            // The parent may set it; otherwise the class cursor, the arrow.
            const std::intptr_t byParent = dialogs_.Send(w->parent, kWmSetCursor, m.wParam, m.lParam);
            if (byParent == 0) mouse_.SetCursor(cursors_.LoadSystemCursor(kOcrNormal));
            return 1;
        }
        default:
            return 0;
    }
}

std::intptr_t FakeControls::Deliver(const Message& m) {
    const FakeWindow* w = windows_.Find(m.hwnd);
    if (w == nullptr || w->destroyed) return 0;
    if (IsNone(w->parent)) return dialogs_.Send(m.hwnd, m.msg, m.wParam, m.lParam);
    FakeControlState& state = State(m.hwnd);
    std::intptr_t result = 0;
    if (state.handler != nullptr && state.handler->OnControlMessage(m, result)) return result;
    return DefaultControlProc(m);
}

// The running modal dialog's loop sees each queued message first.
void FakeControls::Post(const Message& m) {
    IDialogHandler* filter = nullptr;
    for (HWindow top : windows_.TopLevelWindows()) {
        const FakeWindow* w = windows_.Find(top);
        if (w->modal && !w->ended && w->handler != nullptr) filter = w->handler;
    }
    if (filter != nullptr && filter->PreTranslateMessage(m)) return;
    Deliver(m);
}

// ---------------------------------------------------------------------------
// Style, text, place, painting

std::uint32_t FakeControls::GetStyle(HWindow wnd) {
    const FakeWindow* w = windows_.Find(wnd);
    return w == nullptr ? 0 : w->style;
}

void FakeControls::SetStyle(HWindow wnd, std::uint32_t style) {
    if (FakeWindow* w = windows_.Find(wnd)) w->style = style;
}

void FakeControls::SetWindowText(HWindow wnd, const char* text) {
    if (FakeWindow* w = windows_.Find(wnd)) w->text = text;
}

void FakeControls::SetWindowPosNoZOrder(HWindow wnd, const Rect& rect) {
    const FakeWindow* w = windows_.Find(wnd);
    if (w == nullptr) return;
    Rect onScreen = rect;
    if (!IsNone(w->parent)) {
        const Point origin = windows_.ClientToScreen(w->parent, Point{0, 0});
        onScreen = Rect{rect.left + origin.x, rect.top + origin.y, rect.right + origin.x, rect.bottom + origin.y};
    }
    windows_.MoveWindow(wnd, onScreen, true);
    log_.Add(clock_.Now(), "place control " + std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                               std::to_string(rect.right) + " " + std::to_string(rect.bottom));
}

// A static control paints its text in the colour its parent sets on the DC.
void FakeControls::Paint(HWindow wnd) {
    FakeWindow* w = windows_.Find(wnd);
    if (w == nullptr || w->destroyed) return;
    FakeControlState& state = State(wnd);
    state.invalid = false;
    const HDc dc = HDc(nextDc_++);
    dcColours_[std::uintptr_t(dc)] = 0;  // black, opaque, until the parent says
    dcTransparent_[std::uintptr_t(dc)] = false;
    state.shownBrush = dialogs_.Send(w->parent, kWmCtlColorStatic, std::uintptr_t(dc), std::intptr_t(wnd));
    state.shownColour = dcColours_[std::uintptr_t(dc)];
    state.shownTransparent = dcTransparent_[std::uintptr_t(dc)];
    state.textLayers = state.shownBrush == kHollowBrush && state.shownTransparent ? state.textLayers + 1 : 1;
    state.shownFont = GetFont(wnd);
    ++state.paints;
    log_.Add(clock_.Now(), "paint control " + std::to_string(w->controlId));
}

void FakeControls::RedrawWindow(HWindow wnd, std::uint32_t flags) {
    if (flags & kRdwInvalidate) State(wnd).invalid = true;
    if (flags & kRdwUpdateNow) PaintInvalid();
}

void FakeControls::InvalidateWindow(HWindow wnd, bool /*erase*/) { State(wnd).invalid = true; }

void FakeControls::PaintInvalid() {
    for (auto& [h, state] : states_) {
        if (state.invalid) Paint(HWindow(h));
    }
}

// ---------------------------------------------------------------------------
// The pointer

void FakeControls::SetCapture(HWindow wnd) {
    const HWindow old = capture;
    capture = wnd;
    log_.Add(clock_.Now(), "capture set");
    if (!IsNone(old) && old != wnd) Deliver(Message{old, kWmCaptureChanged, 0, std::intptr_t(wnd)});
}

// Also what the system does when a window of the capture's dialog is
// disabled (a message box over it) or another program takes the mouse.
void FakeControls::ReleaseCapture() {
    const HWindow old = capture;
    capture = HWindow::None;
    log_.Add(clock_.Now(), "capture released");
    if (!IsNone(old)) Deliver(Message{old, kWmCaptureChanged, 0, 0});
}

// The window the mouse talks to: the capture's, or the deepest under the
// pointer that does not let it through to its parent.
HWindow FakeControls::Target(Point screen) {
    if (!IsNone(capture) && windows_.IsWindow(capture)) return capture;
    HWindow wnd = windows_.WindowFromPoint(screen);
    const FakeWindow* w = windows_.Find(wnd);
    if (w != nullptr && !IsNone(w->parent) &&
        DefaultControlProc(Message{wnd, kWmNcHitTestMsg, 0, 0}) == kHtTransparent) {
        wnd = w->parent;
    }
    return wnd;
}

void FakeControls::MoveMouse(Point screen) {
    mouse_.cursorPos = screen;
    const HWindow target = Target(screen);
    if (IsNone(target)) return;
    // The system asks for the pointer's shape only when no window holds
    // the capture.
    if (IsNone(capture)) Deliver(Message{target, kWmSetCursor, std::uintptr_t(target), kHtClient});
    const Point client = windows_.ScreenToClient(target, screen);
    Post(Message{target, kWmMouseMove, 0, PackPoint(client)});
    PaintInvalid();
}

void FakeControls::Click(Point screen) {
    MoveMouse(screen);
    const HWindow target = Target(screen);
    if (IsNone(target)) return;
    const std::intptr_t at = PackPoint(windows_.ScreenToClient(target, screen));
    Post(Message{target, kWmLButtonDown, 1, at});
    Post(Message{Target(screen), kWmLButtonUp, 0, at});
    PaintInvalid();
}

// ---------------------------------------------------------------------------
// Fonts

HFont FakeControls::NewFont(const FakeFont& font) {
    const std::uintptr_t h = nextFont_++;
    fonts_[h] = font;
    return HFont(h);
}

// A dialog's controls share the font the dialog manager made for it.
HFont FakeControls::GetFont(HWindow wnd) {
    FakeControlState& state = State(wnd);
    if (!IsNone(state.font)) return state.font;
    const FakeWindow* dialog = windows_.Find(DialogOf(wnd));
    if (dialog == nullptr || !templateFonts.count(dialog->templateId)) return HFont::None;
    auto it = dialogFonts_.find(dialog->templateId);
    if (it == dialogFonts_.end()) it = dialogFonts_.emplace(dialog->templateId, NewFont(templateFonts[dialog->templateId])).first;
    return it->second;
}

HFont FakeControls::CreateFontLike(HFont base, bool underline) {
    const FakeFont* from = Font(base);
    FakeFont font = from != nullptr ? *from : FakeFont{"System", 10, false, true};
    font.underline = underline;
    font.alive = true;
    return NewFont(font);
}

void FakeControls::SetFont(HWindow wnd, HFont font, bool redraw) {
    State(wnd).font = font;
    if (redraw) State(wnd).invalid = true;
}

void FakeControls::DeleteFont(HFont font) {
    auto it = fonts_.find(std::uintptr_t(font));
    if (it != fonts_.end()) it->second.alive = false;
}

const FakeFont* FakeControls::Font(HFont font) const {
    auto it = fonts_.find(std::uintptr_t(font));
    return it == fonts_.end() || !it->second.alive ? nullptr : &it->second;
}

int FakeControls::LiveFonts() const {
    int n = 0;
    for (const auto& [h, font] : fonts_) {
        bool shared = false;
        for (const auto& [id, f] : dialogFonts_) shared = shared || std::uintptr_t(f) == h;
        if (font.alive && !shared) ++n;
    }
    return n;
}

Point FakeControls::Extent(const FakeFont& font, const std::string& text) {
    std::int32_t width = 0;
    for (char c : text) {
        if (std::string(".,:;'!|il").find(c) != std::string::npos) width += 2;
        else if (c == 'm' || c == 'w' || c == 'M' || c == 'W') width += 8;
        else width += 5;
    }
    return Point{width, font.points * 4 / 3 + 2};
}

Point FakeControls::MeasureText(HWindow, HFont font, const char* text) {
    const FakeFont* f = Font(font);
    return Extent(f != nullptr ? *f : FakeFont{"System", 10, false, true}, text);
}

// ---------------------------------------------------------------------------
// Colours

void FakeControls::SetTextColour(HDc dc, Colour colour) { dcColours_[std::uintptr_t(dc)] = colour; }

void FakeControls::SetTransparentBackground(HDc dc) { dcTransparent_[std::uintptr_t(dc)] = true; }

Colour FakeControls::GetSysColour(int index) {
    auto it = sysColours.find(index);
    return it == sysColours.end() ? 0 : it->second;
}

// ---------------------------------------------------------------------------
// Tooltips

HWindow FakeControls::CreateTooltip(HWindow parent) {
    FakeWindow tip;
    tip.className = kTooltipClass;
    tip.parent = DialogOf(parent);  // a pop-up: owned by the top-level window
    const HWindow handle = windows_.Add(tip).handle;
    tooltips_[std::uintptr_t(handle)].parent = parent;
    log_.Add(clock_.Now(), "tooltip create");
    return handle;
}

bool FakeControls::AddTool(HWindow tip, HWindow owner, std::uintptr_t id, const char* text, const Rect& area) {
    auto it = tooltips_.find(std::uintptr_t(tip));
    if (it == tooltips_.end() || it->second.destroyed) return false;
    it->second.tools.push_back(FakeTool{owner, id, text, area});
    return true;
}

void FakeControls::UpdateToolText(HWindow tip, HWindow owner, std::uintptr_t id, const char* text) {
    auto it = tooltips_.find(std::uintptr_t(tip));
    if (it == tooltips_.end()) return;
    for (FakeTool& tool : it->second.tools) {
        if (tool.owner == owner && tool.id == id) tool.text = text;
    }
}

void FakeControls::RelayEvent(HWindow tip, const Message& m) {
    auto it = tooltips_.find(std::uintptr_t(tip));
    if (it == tooltips_.end() || it->second.destroyed) return;
    it->second.relayed.push_back(m);
    log_.Add(clock_.Now(), "tooltip relay " + std::to_string(m.msg));
}

void FakeControls::DestroyTooltip(HWindow tip) {
    auto it = tooltips_.find(std::uintptr_t(tip));
    if (it == tooltips_.end()) return;
    it->second.destroyed = true;
    windows_.Close(tip);
}

const FakeTooltip* FakeControls::Tooltip(HWindow tip) const {
    auto it = tooltips_.find(std::uintptr_t(tip));
    return it == tooltips_.end() ? nullptr : &it->second;
}

// ---------------------------------------------------------------------------
// Sliders

void FakeControls::SetSlider(HWindow slider, std::int32_t minimum, std::int32_t maximum, std::int32_t position) {
    FakeControlState& state = State(slider);
    state.minimum = minimum;
    state.maximum = maximum;
    state.position = position < minimum ? minimum : position > maximum ? maximum : position;
}

void FakeControls::MoveSlider(HWindow slider, std::int32_t position) {
    FakeControlState& state = State(slider);
    state.position = position < state.minimum ? state.minimum : position > state.maximum ? state.maximum : position;
}

// ---------------------------------------------------------------------------
// Other modules' cursors

HModule FakeControls::LoadModule(const char* path) {
    log_.Add(clock_.Now(), std::string("module load ") + path);
    if (!modules.count(path)) return HModule::None;
    const std::uintptr_t h = nextModule_++;
    loadedModules_[h] = path;
    ++liveModules;
    return HModule(h);
}

HCursor FakeControls::LoadModuleCursor(HModule module, int resourceId) {
    auto it = loadedModules_.find(std::uintptr_t(module));
    if (it == loadedModules_.end()) return HCursor::None;
    const auto& resources = modules[it->second];
    auto r = resources.find(resourceId);
    if (r == resources.end()) return HCursor::None;
    const HCursor cursor = cursors_.AddModuleCursor(r->second);
    moduleCursors_[std::uintptr_t(module)].push_back(cursor);
    return cursor;
}

void FakeControls::ReleaseModule(HModule module) {
    if (!loadedModules_.erase(std::uintptr_t(module))) return;
    --liveModules;
    for (HCursor c : moduleCursors_[std::uintptr_t(module)]) cursors_.UnloadModuleCursor(c);
    log_.Add(clock_.Now(), "module free");
}

}  // namespace lv::fake
