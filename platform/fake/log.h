// The fake desktop's event log: one line per observable platform call, in
// the order the logic made them, with the virtual time. Tests read it to check
// the order of steps that the program must keep.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lv::fake {

struct LogEntry {
    std::uint64_t timeMs = 0;
    std::string what;
};

// A simulated call's write into a buffer of the program: the size the
// program said the buffer holds, and the bytes the call put there (junk
// where the real call leaves the buffer undefined included). A test sees a
// buffer handed over with the wrong size, or a call that wrote past it.
struct BufferWrite {
    std::string call;
    std::size_t size = 0;
    std::size_t written = 0;
};

class EventLog {
public:
    void Add(std::uint64_t timeMs, std::string what) { entries_.push_back({timeMs, std::move(what)}); }
    const std::vector<LogEntry>& Entries() const { return entries_; }
    // Index of the first entry starting with `prefix` at or after `from`, or -1.
    int Find(const std::string& prefix, int from = 0) const;
    int Count(const std::string& prefix) const;
    void Clear() { entries_.clear(); }

    // Kept apart from the entries, which tests compare line by line.
    void AddWrite(const char* call, std::size_t size, std::size_t written) {
        writes_.push_back({call, size, written});
    }
    const std::vector<BufferWrite>& Writes() const { return writes_; }

private:
    std::vector<LogEntry> entries_;
    std::vector<BufferWrite> writes_;
};

}  // namespace lv::fake
