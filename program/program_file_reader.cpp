#include "program/declaration_limits.h"
#include "program/instruction_table.h"
#include "program/program_file.h"
#include "program/references.h"

#include <cstring>

namespace qel {

namespace {

constexpr std::string_view kAcceptedVersions[] = {
    "QEL 1.10", "QEL 1.11", "QEL 1.12", "QEL 1.13",   "QEL 1.14",
    "QEL 1.15", "QEL 1.24", "QEL 1.25", "QEL Beta1a", "QEL e1.00",
};

int leadingNumber(std::string_view text, size_t from)
{
    int value = 0;
    for (size_t i = from; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

// A cursor over the file's bytes; every read says whether the bytes were there.
class Cursor {
public:
    explicit Cursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool readU32(uint32_t& value)
    {
        if (remaining() < 4)
            return false;
        std::memcpy(&value, bytes_.data() + pos_, 4);
        pos_ += 4;
        return true;
    }

    // Reads a text line: up to 0x0A (consumed, not kept); a 0x0D ends it too and the byte after it
    // is consumed as well. Returns false at the end of the file or when more than maxLength bytes
    // come before the line end (tooLong is then set).
    bool readLine(std::string& text, size_t maxLength, bool& tooLong)
    {
        tooLong = false;
        size_t start = pos_;
        while (pos_ < bytes_.size()) {
            uint8_t b = bytes_[pos_];
            if (b == 0x0A || b == 0x0D) {
                text.assign(reinterpret_cast<const char*>(bytes_.data() + start), pos_ - start);
                pos_ += (b == 0x0D) ? 2 : 1;
                if (pos_ > bytes_.size())
                    pos_ = bytes_.size();
                return true;
            }
            if (pos_ - start >= maxLength) {
                tooLong = true;
                return false;
            }
            ++pos_;
        }
        return false;
    }

    std::span<const uint8_t> take(size_t n)
    {
        auto piece = bytes_.subspan(pos_, n);
        pos_ += n;
        return piece;
    }

    size_t remaining() const { return bytes_.size() - pos_; }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

// Why a file was not opened: %1 is the damaged line's number in its section, %2 the section.
constexpr std::string_view kTextTooLong =
    QT_TRANSLATE_NOOP("qel", "Corrupt, Obsolete or Non-QEL file.\n\nLine %1 of the %2 section has a text longer "
                             "than 1,024 characters, so the file was not opened.");
constexpr std::string_view kBlockPastEnd =
    QT_TRANSLATE_NOOP("qel", "Corrupt, Obsolete or Non-QEL file.\n\nLine %1 of the %2 section has a block longer "
                             "than the rest of the file, so the file was not opened.");
constexpr std::string_view kBlockTooLong =
    QT_TRANSLATE_NOOP("qel", "Corrupt, Obsolete or Non-QEL file.\n\nLine %1 of the %2 section has a block longer "
                             "than 1,021 bytes, so the file was not opened.");
constexpr std::string_view kBlockRefersOutside =
    QT_TRANSLATE_NOOP("qel", "Corrupt, Obsolete or Non-QEL file.\n\nLine %1 of the %2 section has a block that "
                             "refers outside itself, so the file was not opened.");
constexpr std::string_view kOversizedDeclaration = QT_TRANSLATE_NOOP(
    "qel", "Corrupt, Obsolete or Non-QEL file.\n\nLine %1 of the %2 section declares an array larger than the "
           "Declare Variables dialog allows (each dimension 0 to 1000, at most 10,000 elements), so the file was "
           "not opened.");
// %1 is the section the file ends in.
constexpr std::string_view kEndsInside = QT_TRANSLATE_NOOP(
    "qel", "Unable to open the program file: it ends inside the %1 section, before the end of the program.");

ReadResult damagedLine(std::string_view why, uint32_t section, size_t index)
{
    return {ReadStatus::Corrupt, {why, {std::to_string(index), std::string(sectionName(section))}}};
}

bool isOldTextFileOpen(const FileVersion& version, uint32_t type)
{
    return type == kTextFileOpen && version.major == 1 && version.minor < 14;
}

} // namespace

bool isAcceptedVersion(std::string_view versionLine)
{
    for (std::string_view v : kAcceptedVersions)
        if (v == versionLine)
            return true;
    return false;
}

FileVersion parseVersion(std::string_view versionLine)
{
    FileVersion version;
    version.text = std::string(versionLine);
    if (versionLine == "QEL Beta1a" || versionLine == "QEL e1.00") {
        version.major = 1;
        version.minor = 0;
    } else {
        version.major = leadingNumber(versionLine, 4);
        version.minor = leadingNumber(versionLine, 6);
    }
    return version;
}

bool scanLineTypes(std::span<const uint8_t> bytes, const std::function<bool(uint32_t type)>& visit)
{
    Cursor in(bytes);
    std::string text;
    bool tooLong = false;
    if (!in.readLine(text, kMaxLineText, tooLong) || !isAcceptedVersion(text))
        return false;
    for (uint32_t section = 0; section < kSectionCount; ++section) {
        uint32_t number = 0, type = 0, length = 0;
        if (!in.readU32(number))
            return false;
        while (in.readU32(type) && type != kSectionEndMarker) {
            if (!visit(type))
                return true;
            if (!in.readLine(text, kMaxLineText, tooLong) || !in.readU32(length) || length > in.remaining())
                return false;
            (void)in.take(length);
        }
        if (type != kSectionEndMarker)
            return false;
    }
    return true;
}

ReadResult parseProgramFile(std::span<const uint8_t> bytes, ProgramFileContents& out, MessageHost& host)
{
    Cursor in(bytes);
    std::string versionLine;
    bool tooLong = false;
    if (!in.readLine(versionLine, kMaxLineText, tooLong) || !isAcceptedVersion(versionLine))
        return {ReadStatus::BadVersion, {kBadVersionMessage, {}}};
    out.version = parseVersion(versionLine);

    const auto truncated = [](uint32_t section) {
        return ReadResult{ReadStatus::Truncated, {kEndsInside, {std::string(sectionName(section))}}};
    };

    for (uint32_t section = 0; section < kSectionCount; ++section) {
        auto& lines = out.sections[section];
        uint32_t sectionNumber;
        if (!in.readU32(sectionNumber))
            return truncated(section);
        for (;;) {
            FileLine line;
            if (!in.readU32(line.type))
                return truncated(section);
            if (line.type == kSectionEndMarker)
                break;
            if (line.type == kAutoRun && !host.ctrlOrShiftHeld())
                out.autoRun = true;
            if (!in.readLine(line.text, kMaxLineText, tooLong)) {
                if (tooLong)
                    return damagedLine(kTextTooLong, section, lines.size());
                return truncated(section);
            }
            uint32_t length;
            if (!in.readU32(length))
                return truncated(section);
            if (length > in.remaining())
                return damagedLine(kBlockPastEnd, section, lines.size());
            if (length > kMaxBlockBody)
                return damagedLine(kBlockTooLong, section, lines.size());
            line.block = ParamBlock::fromBody(in.take(length));
            // Old TextFileOpen blocks are never read: the line is rebuilt from its text.
            if (!isOldTextFileOpen(out.version, line.type) &&
                checkReferences(line.block, line.type) == BlockCheck::BadReference)
                return damagedLine(kBlockRefersOutside, section, lines.size());
            if (line.type == kDeclareVariable && !isDeclarableShape(line.block))
                return damagedLine(kOversizedDeclaration, section, lines.size());
            lines.push_back(std::move(line));
        }
    }
    return {};
}

LoadResult loadProgram(Program& program, std::span<const uint8_t> bytes, MessageHost& host,
                       const LegacyTextFileOpenConverter& convertTextFileOpen)
{
    program.newProgram();
    ProgramFileContents contents;
    ReadResult read = parseProgramFile(bytes, contents, host);
    if (read.status != ReadStatus::Ok) {
        host.showNotice(read.message, Icon::Error);
        return {read.status, {}, false};
    }

    for (uint32_t section = 0; section < kSectionCount; ++section) {
        program.edit.section = section;
        program.edit.target = 0; // the first line read replaces the section's first line
        // The section's lines are held once in the program, never twice: no growth by doubling, and
        // what was read for a section goes once it is stored.
        std::vector<FileLine> read = std::move(contents.sections[section]);
        program.sections[section].lines.reserve(read.size() + 1);
        for (FileLine& line : read) {
            EditBuffer& edit = program.edit;
            edit.type = line.type;
            edit.text = std::move(line.text);
            edit.block = std::move(line.block);
            if (line.type == kTraceOn || line.type == kTraceOff)
                host.showNotice(kTraceIgnoredMessage, Icon::Information);
            else if (isOldTextFileOpen(contents.version, line.type) && convertTextFileOpen)
                convertTextFileOpen(program, host);
            else
                (void)program.saveLine(host, Program::Buffer::Take); // a failure has told the user
            program.edit.section = section;
            program.edit.target = -1;
        }
    }
    program.edit.section = kInitialise;
    program.edit.target = -1;
    return {ReadStatus::Ok, contents.version, contents.autoRun};
}

} // namespace qel
