#include "app/profile_records.h"

#include <ostream>

namespace qel {

void printProfile(const Profile& profile, std::ostream& out)
{
    for (uint32_t section = 0; section < kSectionCount; ++section) {
        const auto& counts = profile.counts[section];
        const auto& ticks = profile.ticks[section];
        for (size_t line = 0; line < counts.size() && line < ticks.size(); ++line)
            if (counts[line] > 0)
                out << "{\"profile\": {\"section\": " << section << ", \"line\": " << line
                    << ", \"count\": " << counts[line] << ", \"share\": " << profileTimeText(ticks[line], profile.total)
                    << "}}\n";
    }
}

} // namespace qel
