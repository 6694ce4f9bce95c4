// Reading form files. Lines are read whole, whatever their length; the reader never fills more
// objects than the form holds; a damaged file, or one cut inside an object, is reported, never taken
// silently. A file that ends after a complete object without its end line is whole.

#include "forms/form_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace qel {

namespace {

// Files larger than this are read this far, and then found truncated.
constexpr size_t kMaxFormFileBytes = size_t{64} << 20;

// The lines of the text in turn: without their LF or the CR before it; empty lines skipped.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}

    std::optional<std::string_view> next()
    {
        while (pos_ < text_.size()) {
            const size_t end = std::min(text_.find('\n', pos_), text_.size());
            std::string_view line = text_.substr(pos_, end - pos_);
            pos_ = end + 1;
            if (!line.empty() && line.back() == '\r' && end < text_.size())
                line.remove_suffix(1);
            if (!line.empty())
                return line;
        }
        return std::nullopt;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

// The value of an item line "<tag>value</tag>": the tag ends at the first ">", and the line must end
// with the matching closing tag. Nothing for a malformed line.
std::optional<std::string_view> itemValue(std::string_view line)
{
    const size_t open = line.find('>');
    if (open == std::string_view::npos || line.empty() || line.front() != '<')
        return std::nullopt;
    const std::string closing = "</" + std::string(line.substr(1, open - 1)) + ">";
    if (line.size() < open + 1 + closing.size() || !line.ends_with(closing))
        return std::nullopt;
    return line.substr(open + 1, line.size() - closing.size() - open - 1);
}

enum class Field : uint8_t {
    Width2,
    Height2,
    Width,
    Height,
    OffsetX,
    OffsetY,
    BgColour,
    FgColour,
    BorderColour,
    FillStyle,
    Name,
    GridX,
    GridY,
    ZOrder,
    Visible,
    Locked,
    Caption2,
    Caption,
    TextFontName,
    TextSize,
    TextBold,
    TextAlign,
    BorderStyle,
    Sunken,
    TabOrder,
    V1Style,
    OnOpen,
    OnClose,
    OnClick,
    OnDblClick,
    OnSelected,
    OnChange,
};

struct Tag {
    std::string_view prefix;
    Field field;
};

// Matched by prefix in this order; the first match wins.
constexpr Tag kTags[] = {
    {"<width2", Field::Width2},
    {"<height2", Field::Height2},
    {"<width", Field::Width},
    {"<height", Field::Height},
    {"<offsetx", Field::OffsetX},
    {"<offsety", Field::OffsetY},
    {"<bgcolour", Field::BgColour},
    {"<fgcolour", Field::FgColour},
    {"<borderco", Field::BorderColour},
    {"<fillstyle", Field::FillStyle},
    {"<name", Field::Name},
    {"<gridx", Field::GridX},
    {"<gridy", Field::GridY},
    {"<zorder", Field::ZOrder},
    {"<visible", Field::Visible},
    {"<locked", Field::Locked},
    {"<caption2", Field::Caption2},
    {"<caption", Field::Caption},
    {"<textfontname", Field::TextFontName},
    {"<textsize", Field::TextSize},
    {"<textbol", Field::TextBold},
    {"<textalig", Field::TextAlign},
    {"<borderstyle", Field::BorderStyle},
    {"<sunken", Field::Sunken},
    {"<taborder", Field::TabOrder},
    {"<v1style", Field::V1Style},
    {"<onopen", Field::OnOpen},
    {"<onclose", Field::OnClose},
    {"<onclick", Field::OnClick},
    {"<ondblclick", Field::OnDblClick},
    {"<onselected", Field::OnSelected},
    {"<onchange", Field::OnChange},
};

void store(FormObject& o, Field field, std::string_view value)
{
    const auto number = [&] { return formFileNumber(value); };
    switch (field) {
    case Field::Width2: o.width2 = number(); break;
    case Field::Height2: o.height2 = number(); break;
    case Field::Width: o.width = number(); break;
    case Field::Height: o.height = number(); break;
    case Field::OffsetX: o.offsetX = static_cast<int32_t>(number()); break;
    case Field::OffsetY: o.offsetY = static_cast<int32_t>(number()); break;
    case Field::BgColour: o.bgColour = number(); break;
    case Field::FgColour: o.fgColour = number(); break;
    case Field::BorderColour: o.borderColour = number(); break;
    case Field::FillStyle: o.fillStyle = value; break;
    case Field::Name: o.name = value; break;
    case Field::GridX: o.gridX = number(); break;
    case Field::GridY: o.gridY = number(); break;
    case Field::ZOrder: o.zOrder = number(); break;
    case Field::Visible: o.visible = value; break;
    case Field::Locked: o.locked = value; break;
    case Field::Caption2: o.caption2 = value; break;
    case Field::Caption: o.caption = value; break;
    case Field::TextFontName: o.textFontName = value; break;
    case Field::TextSize: o.textSize = number(); break;
    case Field::TextBold: o.textBold = value; break;
    case Field::TextAlign: o.textAlign = value; break;
    case Field::BorderStyle: o.borderStyle = value; break;
    case Field::Sunken: o.sunken = value; break;
    case Field::TabOrder: o.tabOrder = static_cast<int16_t>(number() & 0xFFFF); break;
    case Field::V1Style: o.v1Style = value; break;
    case Field::OnOpen: o.onOpen = value; break;
    case Field::OnClose: o.onClose = value; break;
    case Field::OnClick: o.onClick = value; break;
    case Field::OnDblClick: o.onDblClick = value; break;
    case Field::OnSelected: o.onSelected = value; break;
    case Field::OnChange: o.onChange = value; break;
    }
}

class Reader {
public:
    Reader(std::string_view text, MessageHost& host, size_t capacity) : lines_(text), host_(host), capacity_(capacity)
    {}

    FormReadResult read()
    {
        FormReadResult result;
        std::optional<std::string_view> line = lines_.next();
        if (!line || !line->starts_with(kFormFileStart))
            return fail(result, kFormBadFirstLine);
        line = lines_.next();
        if (!line || !line->starts_with("<orxform>"))
            return fail(result, kFormBadSecondLine);
        for (;;) {
            line = lines_.next();
            if (!line || line->starts_with("</orxfor")) {
                result.complete = true;
                return result;
            }
            if (!line->starts_with("<object>"))
                return fail(result, kFormCorrupt);
            const std::optional<std::string_view> typeLine = lines_.next();
            const std::optional<std::string_view> value =
                typeLine && typeLine->starts_with("<objecttype>") ? itemValue(*typeLine) : std::nullopt;
            if (!value)
                return fail(result, kFormCorrupt);
            const auto type = static_cast<int16_t>(formFileNumber(*value) & 0xFFFF);
            if (type < 0 || type > object_type::kLast) {
                // The block stays unread: its first line then ends the reading as damage.
                host_.showMessage(kFormUnrecognisedObject, Icon::Error);
                continue;
            }
            if (type == object_type::kNotKnown)
                continue;
            if (type == object_type::kVersion) {
                if (!readVersionBlock())
                    return result;
                continue;
            }
            if (result.objects.size() >= capacity_)
                return fail(result, kFormTooManyObjects);
            FormObject object;
            object.objectType = type;
            if (!readPropertyBlock(object))
                return result;
            result.objects.push_back(std::move(object));
        }
    }

private:
    FormReadResult& fail(FormReadResult& result, std::string_view message)
    {
        host_.showMessage(message, Icon::Error);
        return result;
    }

    bool readPropertyBlock(FormObject& object)
    {
        for (;;) {
            const std::optional<std::string_view> line = lines_.next();
            if (!line)
                return failed(kFormCorrupt);
            if (line->starts_with("</object>"))
                return true;
            const Tag* tag = nullptr;
            for (const Tag& t : kTags)
                if (line->starts_with(t.prefix)) {
                    tag = &t;
                    break;
                }
            if (!tag)
                return failed(std::string(kFormUnrecognisedItem) + std::string(*line));
            const std::optional<std::string_view> value = itemValue(*line);
            if (!value)
                return failed(kFormCorrupt);
            store(object, tag->field, *value);
        }
    }

    bool readVersionBlock()
    {
        for (;;) {
            const std::optional<std::string_view> line = lines_.next();
            if (!line)
                return failed(kFormCorrupt);
            if (line->starts_with("</object>"))
                return true;
            if (!line->starts_with("<formsversio"))
                return failed(std::string(kFormUnrecognisedVersionItem) + std::string(*line));
        }
    }

    bool failed(std::string_view message)
    {
        host_.showMessage(message, Icon::Error);
        return false;
    }

    Lines lines_;
    MessageHost& host_;
    size_t capacity_;
};

} // namespace

uint32_t formFileNumber(std::string_view text)
{
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        negative = text[at++] == '-';
    uint64_t n = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        n = n * 10 + static_cast<uint64_t>(text[at] - '0');
        if (n > 0xFFFFFFFFu)
            return 0xFFFFFFFFu;
    }
    const auto pattern = static_cast<uint32_t>(n);
    return negative ? 0u - pattern : pattern;
}

FormReadResult parseFormFile(std::string_view text, MessageHost& host, size_t capacity)
{
    return Reader(text, host, capacity).read();
}

std::optional<FormReadResult> readFormFile(const std::string& path, MessageHost& host, size_t capacity)
{
    std::error_code error;
    std::ifstream file;
    if (std::filesystem::is_regular_file(path, error))
        file.open(path, std::ios::binary);
    if (!file.is_open()) {
        host.showMessage(kFormOpenFailed, Icon::Error);
        return std::nullopt;
    }
    std::string text;
    char chunk[65536];
    while (text.size() < kMaxFormFileBytes && file.read(chunk, sizeof chunk).gcount() > 0)
        text.append(chunk, static_cast<size_t>(file.gcount()));
    return parseFormFile(text, host, capacity);
}

std::optional<FormReadResult> readFormForWindow(const std::string& path, MessageHost& host)
{
    std::optional<FormReadResult> read = readFormFile(path, host);
    if (read && (read->objects.empty() || read->objects[0].objectType != object_type::kForm)) {
        if (read->complete)
            host.showMessage(kFormCorrupt, Icon::Error);
        read.reset();
    }
    return read;
}

} // namespace qel
