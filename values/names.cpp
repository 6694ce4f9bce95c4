#include "values/names.h"

namespace qel {

namespace {

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

bool isName(std::string_view token)
{
    if (token.empty() || token.size() > kMaxNameLength || !isLetter(token.front()))
        return false;
    for (char c : token)
        if (!isLetter(c) && !isDigit(c) && c != '_')
            return false;
    return true;
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i]))
            return false;
    return true;
}

} // namespace qel
