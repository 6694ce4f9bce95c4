// Writing form files: the layout of form_file.h, every line ended by CR LF.

#include "fileio/file_io.h"
#include "forms/form_file.h"
#include "program/program_file.h"

#include <filesystem>
#include <system_error>

namespace qel {

namespace {

class Writer {
public:
    void line(std::string_view text) { out_.append(text).append("\r\n"); }
    void number(std::string_view tag, uint32_t n) { item(tag, std::to_string(n)); }
    void text(std::string_view tag, std::string_view value)
    {
        std::string flat(value);
        for (char& c : flat)
            if (c == '\r' || c == '\n')
                c = ' ';
        item(tag, flat);
    }
    std::string take() { return std::move(out_); }

private:
    void item(std::string_view tag, std::string_view value)
    {
        out_.append("<").append(tag).append(">").append(value).append("</").append(tag).append(">\r\n");
    }
    std::string out_;
};

// Signed fields are written as their 32-bit pattern, the sign widened first.
uint32_t pattern(int32_t n) { return static_cast<uint32_t>(n); }

void writeObject(Writer& w, const FormObject& o)
{
    w.line("<object>");
    w.number("objecttype", pattern(o.objectType));
    w.number("width", o.width);
    w.number("height", o.height);
    w.number("width2", o.width2);
    w.number("height2", o.height2);
    w.number("offsetx", pattern(o.offsetX));
    w.number("offsety", pattern(o.offsetY));
    w.number("bgcolour", o.bgColour);
    w.number("fgcolour", o.fgColour);
    w.number("bordercolour", o.borderColour);
    w.text("fillstyle", o.fillStyle);
    w.text("name", o.name);
    w.number("gridy", o.gridY);
    w.number("gridx", o.gridX);
    w.number("zorder", o.zOrder);
    w.text("visible", o.visible);
    w.text("locked", o.locked);
    w.text("caption", o.caption);
    w.text("caption2", o.caption2);
    w.text("textfontname", o.textFontName);
    w.number("textsize", o.textSize);
    w.text("textbold", o.textBold);
    w.text("textalign", o.textAlign);
    w.text("borderstyle", o.borderStyle);
    w.text("sunken", o.sunken);
    w.number("taborder", pattern(o.tabOrder));
    w.text("v1style", o.v1Style);
    w.text("onopen", o.onOpen);
    w.text("onclose", o.onClose);
    w.text("onclick", o.onClick);
    w.text("ondblclick", o.onDblClick);
    w.text("onselected", o.onSelected);
    w.text("onchange", o.onChange);
    w.line("</object>");
}

} // namespace

std::string formFileText(std::span<const FormObject> objects)
{
    Writer w;
    w.line("<?XML version=\"1.0\" standalone=\"yes\" ?>");
    w.line("<orxform>");
    w.line("<object>");
    w.line("<objecttype>1</objecttype>");
    w.line("<formsversion>1.00</formsversion>");
    w.line("</object>");
    for (size_t k = 0; k < objects.size(); ++k) {
        if (k == 0) {
            FormObject form = objects[0]; // the designer's scroll position is not the form's
            form.offsetX = 0;
            form.offsetY = 0;
            writeObject(w, form);
        } else if (isFormMemberType(objects[k].objectType)) {
            writeObject(w, objects[k]);
        }
    }
    w.line("</orxform>");
    return w.take();
}

bool writeFormFile(const std::string& path, std::span<const FormObject> objects, MessageHost& host)
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::absolute(path, error).parent_path();
    if (error || !std::filesystem::is_directory(folder, error) || std::filesystem::is_directory(path, error)) {
        host.showMessage(kFormWriteOpenFailed, Icon::Error);
        return false;
    }
    const std::string text = formFileText(objects);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    if (!writeFileAtomically(path, std::span(bytes, text.size()))) {
        host.showMessage(kFormWriteFailed, Icon::Error);
        return false;
    }
    return true;
}

} // namespace qel
