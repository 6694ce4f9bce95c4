#include "app/option_values.h"

#include <cstdio>

namespace qel {

bool readTimeout(const std::string& text, double& seconds)
{
    char rest = 0;
    return std::sscanf(text.c_str(), "%lf%c", &seconds, &rest) == 1 && seconds >= 0 && seconds <= kLongestTimeout;
}

bool readMegabytes(const std::string& text, uint64_t& bytes)
{
    unsigned long long mb = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%llu%c", &mb, &rest) != 1 || mb == 0 || mb > kLargestMegabytes ||
        text.find('-') != std::string::npos)
        return false;
    bytes = static_cast<uint64_t>(mb) << 20;
    return true;
}

} // namespace qel
