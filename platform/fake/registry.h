// The current user's registry and the Windows directory of the simulated
// machine. Values are stored as bytes with their type, so a test can make
// one too long, of the wrong type, or without its terminator.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/fake/clock.h"
#include "platform/fake/log.h"
#include "platform/registry.h"

namespace lv::fake {

struct RegValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

class FakeRegistry : public IRegistry {
public:
    FakeRegistry(FakeClock& clock, EventLog& log) : clock_(clock), log_(log) {}

    HKey OpenCurrentUserKey(const char* subKey, std::uint32_t access) override;
    std::int32_t QueryValue(HKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                            std::uint32_t* size) override;
    void CloseKey(HKey key) override;
    std::uint32_t GetWindowsDir(char* buffer, std::uint32_t size) override;

    // A string value as the registry editor writes it: the text and its
    // terminator, unless `terminated` is false.
    void SetString(const std::string& key, const std::string& name, const std::string& text,
                   std::uint32_t type = 1, bool terminated = true);
    void SetValue(const std::string& key, const std::string& name, RegValue value);

    // HKEY_CURRENT_USER: key path -> value name -> value.
    std::map<std::string, std::map<std::string, RegValue>> keys;
    std::string windowsDirectory = "C:\\WINDOWS";
    bool failWindowsDirectory = false;
    // A locked-down profile: keys open for reading only.
    bool readOnly = false;
    int openKeys = 0;  // open now
    int reads = 0;
    // Every key opened, with the rights asked for, in order.
    struct Opened {
        std::string key;
        std::uint32_t access;
    };
    std::vector<Opened> opened;

private:
    struct OpenKey {
        std::string path;
        std::uint32_t access;
    };
    FakeClock& clock_;
    EventLog& log_;
    std::map<std::uintptr_t, OpenKey> handles_;
    std::uintptr_t nextHandle_ = 0x80;
};

}  // namespace lv::fake
