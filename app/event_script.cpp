#include "app/event_script.h"

#include "program/file_names.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>
#include <variant>

namespace qel {

namespace {

// The run's mouse code of a word: 1 left down, 2 left up, 3 right down, 4 right up, 5 move.
std::optional<int> mouseCode(const std::string& word)
{
    for (size_t i = 0; i < std::size(kMouseWords); ++i)
        if (word == kMouseWords[i])
            return static_cast<int>(i) + 1;
    return std::nullopt;
}

std::optional<Button> buttonNamed(const std::string& word)
{
    for (const auto& [name, button] : kButtonWords)
        if (word == name)
            return button;
    return std::nullopt;
}

// UTF-8 text as Latin-1 bytes, or the reason it cannot be.
std::optional<std::string_view> toLatin1(std::string_view utf8, std::string& out)
{
    out.clear();
    for (size_t i = 0; i < utf8.size();) {
        const std::optional<char32_t> code = nextUtf8(utf8, i);
        if (!code)
            return kNotUtf8;
        if (*code > 0xFF)
            return kOutsideLatin1;
        out += static_cast<char>(*code);
    }
    return std::nullopt;
}

// A word, or any text between double quotes; nothing when the line has run out.
std::optional<std::string> nameAt(const std::string& line, size_t& at)
{
    at = line.find_first_not_of(' ', at);
    if (at == std::string::npos)
        return std::nullopt;
    if (line[at] == '"') {
        const size_t end = line.find('"', at + 1);
        if (end == std::string::npos)
            return std::nullopt;
        std::string name = line.substr(at + 1, end - at - 1);
        at = end + 1;
        return name;
    }
    const size_t end = std::min(line.find(' ', at), line.size());
    std::string name = line.substr(at, end - at);
    at = end;
    return name;
}

// form CAPTION click|select|type|close OBJECT [TEXT]: the text is the rest of the line after one blank.
std::optional<ScriptEvent> parseForm(const std::string& utf8, std::string_view& why)
{
    using A = ScriptEvent::FormAction;
    // Captions, names and texts are the program's, in its 8-bit characters.
    std::string line;
    if (auto bad = toLatin1(utf8, line)) {
        why = *bad;
        return std::nullopt;
    }
    ScriptEvent e;
    e.kind = ScriptEvent::Kind::Form;
    size_t at = line.find("form") + 4;
    const std::optional<std::string> caption = nameAt(line, at);
    const std::optional<std::string> action = nameAt(line, at);
    if (!caption || !action)
        return std::nullopt;
    e.caption = *caption;
    const auto* found = std::find(std::begin(kFormActionWords), std::end(kFormActionWords), *action);
    if (found == std::end(kFormActionWords))
        return std::nullopt;
    e.action = static_cast<A>(found - std::begin(kFormActionWords));
    const std::optional<std::string> object = nameAt(line, at);
    if (!object)
        return e.action == A::Close ? std::optional(e) : std::nullopt;
    e.object = *object;
    e.text = at < line.size() ? line.substr(line[at] == ' ' ? at + 1 : at) : std::string();
    return e;
}

std::optional<ScriptEvent> parseLine(const std::string& line, std::string_view& why)
{
    using K = ScriptEvent::Kind;
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    ScriptEvent e;
    auto numbers = [&](std::initializer_list<int*> into) {
        for (int* p : into)
            if (!(words >> *p))
                return false;
        return true;
    };
    if (verb == "key") {
        e.kind = K::Key;
        return numbers({&e.a}) ? std::optional(e) : std::nullopt;
    }
    if (verb == "char") {
        e.kind = K::Char;
        if (line.size() <= 5)
            return std::nullopt;
        std::string character;
        if (auto bad = toLatin1(std::string_view(line).substr(5), character)) {
            why = *bad;
            return std::nullopt;
        }
        if (character.size() != 1) {
            why = kOneCharacter;
            return std::nullopt;
        }
        e.character = character[0];
        return e;
    }
    if (verb == "mouse") {
        e.kind = K::Mouse;
        std::string which;
        words >> which;
        auto code = mouseCode(which);
        if (!code || !numbers({&e.b, &e.c}))
            return std::nullopt;
        e.a = *code;
        int l = 0, r = 0;
        if (words >> l)
            words >> r;
        e.left = l != 0;
        e.right = r != 0;
        return e;
    }
    if (verb == "timer" || verb == "paint" || verb == "continue" || verb == "step" || verb == "stop") {
        e.kind = verb == "timer"      ? K::Timer
                 : verb == "paint"    ? K::Paint
                 : verb == "continue" ? K::Continue
                 : verb == "step"     ? K::Step
                                      : K::Stop;
        return e;
    }
    if (verb == "resize") {
        e.kind = K::Resize;
        return numbers({&e.a, &e.b}) ? std::optional(e) : std::nullopt;
    }
    if (verb == "wait") {
        e.kind = K::Wait;
        return numbers({&e.a}) ? std::optional(e) : std::nullopt;
    }
    if (verb == "answer") {
        e.kind = K::Answer;
        std::string which;
        words >> which;
        auto button = buttonNamed(which);
        if (!button)
            return std::nullopt;
        e.button = *button;
        return e;
    }
    if (verb == "form")
        return parseForm(line, why);
    if (verb == "size") {
        e.kind = K::Size;
        std::string rest;
        if (!numbers({&e.a, &e.b}) || words >> rest || e.a < 1 || e.b < 1 || e.a > 10000 || e.b > 10000) {
            why = kBadSize;
            return std::nullopt;
        }
        return e;
    }
    if (verb == "seed") {
        e.kind = K::Seed;
        std::string number, rest;
        words >> number;
        const std::optional<uint32_t> seed = seedOfText(number);
        if (!seed || words >> rest) {
            why = kBadSeed;
            return std::nullopt;
        }
        e.seed = *seed;
        return e;
    }
    if (verb == "input" || verb == "file") {
        e.kind = verb == "input" ? K::Input : K::File;
        if (line.size() > verb.size() + 1) {
            std::string reply;
            if (auto bad = toLatin1(std::string_view(line).substr(verb.size() + 1), reply)) {
                why = *bad;
                return std::nullopt;
            }
            e.text = std::move(reply);
        }
        return e;
    }
    return std::nullopt;
}

bool isControlByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t') || byte == 0x7F;
}

// A bad line as the error shows it: control bytes written out, and a long line cut short.
std::string shownLine(std::string_view line)
{
    constexpr size_t kShown = 100;
    std::string shown;
    for (char c : line.substr(0, kShown)) {
        if (isControlByte(c)) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return line.size() > kShown ? shown + "..." : shown;
}

// The line of text starting at `at` (its line end, LF or CR LF, left out), `at` moving past it;
// nothing at the end of the text.
std::optional<std::string_view> nextLine(std::string_view text, size_t& at)
{
    if (at >= text.size())
        return std::nullopt;
    const size_t end = std::min(text.find('\n', at), text.size());
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// The event of one line, nothing for a blank line or a comment, or what is wrong with the line.
std::variant<std::monostate, ScriptEvent, std::string> eventOfLine(std::string_view line)
{
    if (std::any_of(line.begin(), line.end(), isControlByte))
        return std::string(kControlByte) + shownLine(line);
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos || line[start] == '#')
        return std::monostate{};
    std::string_view why = kCannotReadEvent;
    auto event = parseLine(std::string(line.substr(start)), why);
    if (!event)
        return std::string(why) + shownLine(line);
    return *std::move(event);
}

} // namespace

std::optional<uint32_t> seedOfText(std::string_view text)
{
    uint32_t seed = 0;
    const char* end = text.data() + text.size();
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const auto [stop, error] = std::from_chars(text.data(), end, seed);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return seed;
}

std::optional<ScriptError> EventScript::load(std::string text)
{
    *this = EventScript();
    size_t at = 0;
    int number = 0;
    bool eventSeen = false;
    std::optional<uint32_t> seed;
    std::optional<std::pair<int, int>> size;
    while (const std::optional<std::string_view> line = nextLine(text, at)) {
        ++number;
        auto event = eventOfLine(*line);
        if (auto* why = std::get_if<std::string>(&event))
            return ScriptError{number, std::move(*why)};
        if (auto* e = std::get_if<ScriptEvent>(&event)) {
            const bool header = e->kind == ScriptEvent::Kind::Seed || e->kind == ScriptEvent::Kind::Size;
            const bool again =
                (e->kind == ScriptEvent::Kind::Seed && seed) || (e->kind == ScriptEvent::Kind::Size && size);
            if (header && (eventSeen || again))
                return ScriptError{number, std::string(kSeedNotFirst) + shownLine(*line)};
            if (e->kind == ScriptEvent::Kind::Seed)
                seed = e->seed;
            else if (e->kind == ScriptEvent::Kind::Size)
                size = std::pair(e->a, e->b);
            eventSeen = eventSeen || !header;
        }
    }
    text_ = std::move(text);
    seed_ = seed;
    size_ = size;
    return std::nullopt;
}

bool EventScript::empty()
{
    while (!next_) {
        const std::optional<std::string_view> line = nextLine(text_, at_);
        if (!line)
            return true;
        auto event = eventOfLine(*line);
        if (auto* e = std::get_if<ScriptEvent>(&event);
            e && e->kind != ScriptEvent::Kind::Seed && e->kind != ScriptEvent::Kind::Size)
            next_ = std::move(*e);
    }
    return false;
}

const ScriptEvent& EventScript::front()
{
    (void)empty();
    return *next_;
}

void EventScript::pop_front()
{
    (void)empty();
    next_.reset();
}

} // namespace qel
