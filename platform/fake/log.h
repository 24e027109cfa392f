// The fake desktop's event log: one line per observable platform call, in
// the order the logic made them, with the virtual time. Tests read it to check
// the order of steps that the program must keep.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lv::fake {

struct LogEntry {
    std::uint64_t timeMs = 0;
    std::string what;
};

class EventLog {
public:
    void Add(std::uint64_t timeMs, std::string what) { entries_.push_back({timeMs, std::move(what)}); }
    const std::vector<LogEntry>& Entries() const { return entries_; }
    // Index of the first entry starting with `prefix` at or after `from`, or -1.
    int Find(const std::string& prefix, int from = 0) const;
    int Count(const std::string& prefix) const;
    void Clear() { entries_.clear(); }

private:
    std::vector<LogEntry> entries_;
};

}  // namespace lv::fake
