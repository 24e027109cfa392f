// Opening documents on the simulated machine: the shell and WinExec answer
// the codes a test gives them and keep what they were asked to start; the
// file associations under HKEY_CLASSES_ROOT are keys with or without a
// default value, stored as bytes so that one can be too long or
// unterminated; beeps are counted.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/clock.h"
#include "platform/fake/log.h"
#include "platform/launch.h"

namespace lv::fake {

struct ClassKey {
    bool hasDefault = false;
    std::vector<char> value;  // the default value's bytes
    std::uint32_t type = 1;   // REG_SZ
};

class FakeLaunch : public ILaunch {
public:
    FakeLaunch(FakeClock& clock, EventLog& log) : clock_(clock), log_(log) {}

    std::intptr_t ShellOpen(HWindow owner, const char* file, std::int32_t showCommand) override;
    std::uint32_t WinExec(const char* commandLine, std::int32_t showCommand) override;
    void MessageBeep(std::uint32_t type) override;
    std::int32_t OpenClassesRootKey(const char* subKey, std::uint32_t access, HKey* key) override;
    std::int32_t QueryDefaultValue(HKey key, char* data, std::int32_t* size) override;
    void CloseKey(HKey key) override;

    // A key whose default value is `text` (with its terminator unless told
    // otherwise), or a key with no default value.
    void SetClassDefault(const std::string& key, const std::string& text, bool terminated = true);
    void AddClassKey(const std::string& key) { classes[key] = ClassKey{}; }

    // The shell's answer (42, as the shell answers success). WinExec
    // starts the programs on disk (the command's first word, or its quoted
    // start) with `winExecAnswer` and answers 2 for any other.
    std::intptr_t shellAnswer = 42;
    std::set<std::string> programs;
    std::uint32_t winExecAnswer = 33;

    struct Launch {
        std::string what;
        std::int32_t showCommand;
    };
    std::vector<Launch> shellOpens;
    std::vector<Launch> winExecs;
    std::vector<std::uint32_t> beeps;
    std::map<std::string, ClassKey> classes;
    int openKeys = 0;
    // HKEY_CLASSES_ROOT merges the machine's associations, which a standard
    // user may read but not change: asking for more than KEY_READ (or a
    // view flag) is refused with ERROR_ACCESS_DENIED unless the user is an
    // administrator.
    bool administrator = false;
    struct Opened {
        std::string key;
        std::uint32_t access;
        std::int32_t answer;
    };
    std::vector<Opened> opened;  // every open asked for, in order

private:
    struct OpenKey {
        std::string path;
        std::uint32_t access;
    };
    FakeClock& clock_;
    EventLog& log_;
    std::map<std::uintptr_t, OpenKey> handles_;
    std::uintptr_t nextHandle_ = 0xC0;
};

}  // namespace lv::fake
