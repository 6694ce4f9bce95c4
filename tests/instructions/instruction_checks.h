#pragma once
// What the instruction tests share: short programs written as lists of lines, runs made for one
// case of a table, a canvas to draw on, and tables of what editors refuse and build.

#include "runtime/draw_target.h"
#include "support/canvas_run.h"
#include "support/run_fixture.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace qel::test {

// Field values, or the texts a run showed.
using Texts = std::vector<std::string>;

// A line by its keyword and fields.
struct Line {
    std::string keyword;
    Texts fields = {};
};
using Lines = std::vector<Line>;

inline Line line(const std::string& keyword, const Texts& fields = {}) { return {keyword, fields}; }

inline Lines operator+(Lines first, const Lines& then)
{
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

// One DeclareVariable line of one type: "Name" or "Name=initial value" for each of up to four variables.
inline Line declare(std::string type, const Texts& variables)
{
    Texts fields = variableFields(std::move(type), "");
    for (size_t k = 0; k < variables.size(); ++k) {
        const size_t equals = variables[k].find('=');
        fields.at(4 + 2 * k) = variables[k].substr(0, equals);
        fields.at(5 + 2 * k) = equals == std::string::npos ? "" : variables[k].substr(equals + 1);
    }
    return {"DeclareVariable", fields};
}

// A one- or two-dimensional array's declaration (dim2 0: one dimension).
inline Line declareArray(std::string type, std::string name, int dim1, int dim2 = 0)
{
    return {"DeclareVariable", arrayFields(std::move(type), std::move(name), dim1, dim2)};
}

inline ProgramBuilder& add(ProgramBuilder& build, const Lines& lines)
{
    for (const Line& line : lines)
        build.add(line.keyword, line.fields);
    return build;
}

inline std::string stringLiteral(const std::string& text) { return "\"" + text + "\""; }

// Starts the run, on the canvas when one is given.
inline void startOn(Session& s, DrawTarget* canvas)
{
    if (canvas)
        startWithCanvas(s, *canvas);
    else
        s.start();
}

// A run fixture whose runs draw on a window canvas of the given size, filled with `Paper`.
template <int Width, int Height, QRgb Paper>
struct CanvasFixture : RunFixture {
    QImage canvas{Width, Height, QImage::Format_RGB32};
    DrawState state;
    DrawTarget target{canvas, state};

    CanvasFixture() { canvas.fill(Paper); }
};

// A run in a session of its own: the handlers, then `lines` in Initialise. `prepare` readies the
// session first; a run that draws gets a small canvas.
struct CaseRun : Session {
    QImage image{8, 8, QImage::Format_RGB32};
    DrawState drawState;
    DrawTarget canvas{image, drawState};

    explicit CaseRun(const Lines& lines, bool drawn = false, const std::function<void(Session&)>& prepare = {})
    {
        handlers();
        add(build, lines);
        if (prepare)
            prepare(*this);
        startOn(*this, drawn ? &canvas : nullptr);
    }
};

// Starts the run, on the canvas when one is given; success when it shows no error.
inline ::testing::AssertionResult startsCleanly(Session& s, DrawTarget* canvas = nullptr)
{
    startOn(s, canvas);
    const Texts errors = s.errors();
    return errors.empty() ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << errors[0];
}

// The run ended with that one error, at that line of Initialise.
inline void expectFailedAt(const Session& run, const std::string& message, int line)
{
    EXPECT_EQ(run.errors(), Texts{message});
    EXPECT_EQ(run.failedAt(), (std::pair<uint32_t, int>{kInitialise, line})) << message;
    EXPECT_FALSE(run.in->isRunning()) << message;
}

// The values of numeric variables, in the order named.
inline std::vector<float> numbers(const Session& run, std::initializer_list<std::string_view> names)
{
    std::vector<float> values;
    for (std::string_view name : names)
        values.push_back(run.number(name));
    return values;
}

// Pixels of an image and the colour each must have.
struct Pixel {
    int x, y;
    QRgb colour;
};
inline void expectPixels(const QImage& image, std::initializer_list<Pixel> pixels)
{
    for (const Pixel& p : pixels)
        EXPECT_EQ(image.pixel(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
}

// The refused field and its message; (-1, "") when the editor accepts the fields.
using Refusal = std::pair<int, std::string>;
inline Refusal refusal(const InstructionEditor& editor, const Texts& values, EditContext& context)
{
    const EditOutcome out = editor.accept(values, context);
    return out.ok() ? Refusal(-1, "") : Refusal(out.error->field, noticeText(out.error->message));
}

// The line an editor must build of the fields, and the fields decoded from it, which build the same
// text and block again.
struct RoundTrip {
    EditedLine line;
    Texts decoded;
};
inline RoundTrip roundTrip(const InstructionEditor& editor, const Texts& values, EditContext& context)
{
    EditOutcome first = editor.accept(values, context);
    EXPECT_TRUE(first.ok()) << values[0] << ": " << (first.ok() ? "" : noticeText(first.error->message));
    Texts decoded = editor.decode({first.line.type, first.line.text, first.line.block});
    const EditOutcome again = editor.accept(decoded, context);
    EXPECT_TRUE(again.ok()) << first.line.text;
    EXPECT_EQ(again.line.text, first.line.text);
    EXPECT_EQ(again.line.block, first.line.block) << first.line.text;
    return {std::move(first.line), std::move(decoded)};
}

// A row of an editor table: the fields given the editor of a line type and what it makes of them,
// either the field it refuses with the message, or a line with that text ("": not checked) whose
// decoded fields build it again: kBuilt, or kSame when they are the fields given.
inline constexpr int kBuilt = -1, kSame = -2;
struct EditorRow {
    uint32_t type;
    Texts fields;
    int refused;
    std::string text;
};
inline void expectEditorRows(EditContext& context, const std::vector<EditorRow>& rows)
{
    for (const EditorRow& row : rows) {
        SCOPED_TRACE(row.fields.empty() ? row.text : row.fields[0] + " | " + row.text);
        const InstructionEditor* editor = editorFor(row.type);
        ASSERT_NE(editor, nullptr) << row.type;
        if (row.refused >= 0) {
            EXPECT_EQ(refusal(*editor, row.fields, context), Refusal(row.refused, row.text));
            continue;
        }
        const RoundTrip built = roundTrip(*editor, row.fields, context);
        EXPECT_EQ(row.text.empty() ? row.text : built.line.text, row.text);
        EXPECT_EQ(row.refused == kSame ? built.decoded : row.fields, row.fields);
    }
}

} // namespace qel::test
