#pragma once
// A message of the environment as a value: its text, marked QT_TRANSLATE_NOOP("qel", ...) where it
// is written, and what takes the place of its "%1", "%2", ... The environment shows the text in the
// user's language with the arguments put in after translating; everywhere else (qeltool, tests, a
// listing printed from the command line) it is noticeText(), the English words byte for byte.

#include <string>
#include <string_view>
#include <vector>

namespace qel {

struct Notice {
    std::string_view text;
    std::vector<std::string> arguments;

    bool operator==(const Notice&) const = default;
};

// `text` with each "%N" replaced, in one pass, by the Nth argument. A "%N" beyond the arguments stays
// as it is, and nothing inside an argument is replaced again: a file's own "%1" comes out unchanged.
inline std::string withArguments(std::string_view text, const std::vector<std::string>& arguments)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t n = i + 1 < text.size() && text[i] == '%' ? static_cast<size_t>(text[i + 1] - '0') : 0;
        if (n >= 1 && n <= 9 && n <= arguments.size()) {
            out += arguments[n - 1];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

inline std::string noticeText(const Notice& notice) { return withArguments(notice.text, notice.arguments); }

} // namespace qel
