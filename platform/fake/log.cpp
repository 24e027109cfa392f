#include "platform/fake/log.h"

namespace lv::fake {

int EventLog::Find(const std::string& prefix, int from) const {
    for (int i = from < 0 ? 0 : from; i < int(entries_.size()); ++i) {
        if (entries_[i].what.compare(0, prefix.size(), prefix) == 0) return i;
    }
    return -1;
}

int EventLog::Count(const std::string& prefix) const {
    int n = 0;
    for (const LogEntry& e : entries_) {
        if (e.what.compare(0, prefix.size(), prefix) == 0) ++n;
    }
    return n;
}

}  // namespace lv::fake
