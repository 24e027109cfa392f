#include "platform/fake/cursors.h"

#include "platform/constants.h"

namespace lv::fake {

FakeCursors::FakeCursors(FakeClock& clock, EventLog& log) : clock_(clock), log_(log) {
    for (std::uint32_t id : {kOcrNormal, kOcrIBeam, kOcrWait, kOcrCross, kOcrSizeNwse, kOcrSizeNesw,
                             kOcrSizeWe, kOcrSizeNs, kOcrSizeAll, kOcrNo, 32516u, 32649u, 32650u,
                             32651u}) {
        shown[id] = "standard " + std::to_string(id);
    }
    userScheme = shown;
    resources[147] = "resource 147";
    resources[148] = "resource 148";
    resources[184] = "resource 184";
}

HCursor FakeCursors::NewHandle(const std::string& image) {
    const std::uintptr_t h = nextHandle_++;
    handles_[h] = Handle{image, 0, true};
    return HCursor(h);
}

HCursor FakeCursors::LoadSystemCursor(std::uint32_t id) {
    if (!shown.count(id)) return HCursor::None;
    // One shared handle per id; it shows whatever the id shows now.
    for (auto& [h, handle] : handles_) {
        if (handle.systemId == id) return HCursor(h);
    }
    const HCursor shared = NewHandle("");
    handles_[std::uintptr_t(shared)].systemId = id;
    return shared;
}

std::string FakeCursors::ImageOf(HCursor cursor) const {
    auto it = handles_.find(std::uintptr_t(cursor));
    if (it == handles_.end() || !it->second.alive) return std::string();
    if (it->second.systemId != 0) return shown.at(it->second.systemId);
    return it->second.image;
}

HCursor FakeCursors::DuplicateCursor(HCursor cursor) {
    const std::string image = ImageOf(cursor);
    if (failCopy || image.empty()) return HCursor::None;
    return NewHandle(image);
}

HCursor FakeCursors::LoadCursorFile(const char* path) {
    ++fileLoads;
    log_.Add(clock_.Now(), std::string("cursor file ") + path);
    auto it = files.find(path);
    return it == files.end() ? HCursor::None : NewHandle(it->second);
}

HCursor FakeCursors::LoadOwnCursor(int resourceId, int size) {
    auto it = resources.find(resourceId);
    if (it == resources.end()) return HCursor::None;
    const HCursor h = NewHandle(it->second);
    handles_[std::uintptr_t(h)].size = size;
    return h;
}

int FakeCursors::SizeOf(HCursor cursor) const {
    auto it = handles_.find(std::uintptr_t(cursor));
    return it == handles_.end() ? 0 : it->second.size;
}

bool FakeCursors::SetSystemCursor(HCursor cursor, std::uint32_t id) {
    auto it = handles_.find(std::uintptr_t(cursor));
    // A shared handle cannot be installed: the system would destroy it.
    if (it == handles_.end() || !it->second.alive || it->second.systemId != 0 || !shown.count(id)) {
        ++refusedInstalls;
        log_.Add(clock_.Now(), "cursor refused " + std::to_string(id));
        return false;
    }
    shown[id] = it->second.image;
    it->second.alive = false;  // the system's now
    installs.emplace_back(id, it->second.image);
    installSizes.push_back(it->second.size);
    log_.Add(clock_.Now(), "cursor set " + std::to_string(id) + " " + it->second.image);
    if (onInstall) onInstall(id);
    return true;
}

void FakeCursors::ReloadUserScheme() {
    ++schemeReloads;
    log_.Add(clock_.Now(), "cursor scheme reloaded");
    for (const auto& [id, image] : userScheme) shown[id] = image;
}

void FakeCursors::DestroyCursor(HCursor cursor) {
    auto it = handles_.find(std::uintptr_t(cursor));
    if (it == handles_.end() || !it->second.alive || it->second.systemId != 0 || it->second.moduleResource) {
        ++badReleases;
        return;
    }
    it->second.alive = false;
}

HCursor FakeCursors::AddModuleCursor(const std::string& image) {
    const HCursor cursor = NewHandle(image);
    handles_[std::uintptr_t(cursor)].moduleResource = true;
    return cursor;
}

void FakeCursors::UnloadModuleCursor(HCursor cursor) {
    auto it = handles_.find(std::uintptr_t(cursor));
    if (it != handles_.end() && it->second.moduleResource) it->second.alive = false;
}

int FakeCursors::LiveOwnedHandles() const {
    int n = 0;
    for (const auto& [h, handle] : handles_) {
        if (handle.alive && handle.systemId == 0 && !handle.moduleResource) ++n;
    }
    return n;
}

}  // namespace lv::fake
