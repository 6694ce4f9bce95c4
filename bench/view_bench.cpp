// The program view on a section of 100,000 lines: painting an 800x600 view in the middle of it
// (scrolling one line a paint, and with the indentation counted afresh), Insert after at line
// 50,000 with a dialog that is cancelled at once, and Find through all of it; the object viewer
// showing 5,000 elements.

#include "environment/ide_state.h"
#include "environment/inspection/object_viewer.h"
#include "environment/program_view/find_in_code.h"
#include "environment/program_view/qel_view.h"
#include "environment/program_view/view_model.h"
#include "program/instruction_table.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

using namespace qel;

namespace {

constexpr long kLines = 100000;
constexpr int kMiddle = 50000;

// Section 0: nested blocks with lines of every colour in them.
void fillSection(Program& program)
{
    struct Pattern {
        uint32_t type;
        const char* text;
    };
    static constexpr Pattern kPattern[] = {
        {kDeclareFunction, "DeclareFunction Step ( )"},
        {kIf, "If Count Less Than 10"},
        {kFor, "For I = 1 To 20"},
        {kLet, "Let Total = Total + I * 2"},
        {kComment, "add up the row"},
        {kDrawLine, "DrawLine 10 , 20 , 110 , 120 , Colour"},
        {kNext, "Next"},
        {kElse, "Else"},
        {kLet, "Let Count = Count + 1"},
        {kEndIf, "EndIf"},
        {kEndFunction, "EndFunction"},
    };
    auto& lines = program.sections[kInitialise].lines;
    lines.reserve(kLines + 1000);
    for (long i = 1; i < kLines; ++i) {
        const Pattern& p = kPattern[i % std::size(kPattern)];
        lines.push_back(ProgramLine{p.type, p.text, ParamBlock()});
    }
}

struct Fixture {
    Fixture() { fillSection(ide.program); }
    // The view's place in the section: the middle line, current, selected and at the top.
    static void middle(ViewModel& model)
    {
        SectionPlace& s = model.view();
        s.currentLine = s.topLine = s.selectionStart = s.selectionEnd = kMiddle;
    }
    IdeState ide;
};

void BM_PaintView100k(benchmark::State& state)
{
    const bool fresh = state.range(0) != 0;
    Fixture f;
    CQelView view(f.ide);
    QImage image(800, 600, QImage::Format_RGB32);
    Fixture::middle(view.model());
    SectionPlace& s = view.model().view();
    int step = 0;
    for (auto _ : state) {
        s.topLine = kMiddle + (step++ & 1); // scrolling up and down by a line
        if (fresh)
            view.model().invalidateIndentation();
        QPainter painter(&image);
        view.paintListing(painter, image.size());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetLabel(fresh ? "indentation counted afresh" : "indentation cached");
}
BENCHMARK(BM_PaintView100k)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_InsertAfterAt50k(benchmark::State& state)
{
    Fixture f;
    ViewModel model(f.ide);
    model.setClientSize(800, 600);
    model.editLine = [](IdeState&, QWidget*, int, char) { return false; }; // the dialog is cancelled
    Fixture::middle(model);
    for (auto _ : state) {
        model.view().currentLine = kMiddle;
        benchmark::DoNotOptimize(model.insertAfter());
    }
    state.counters["lines"] = static_cast<double>(f.ide.program.sections[kInitialise].lineCount());
}
BENCHMARK(BM_InsertAfterAt50k)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

namespace test_support {

// A two-dimensional Integer array of rows x columns elements in the program's variables (a
// dimension is at most 1,000).
void declareArray(IdeState& ide, std::string_view name, int32_t rows, int32_t columns)
{
    VariableDeclaration d;
    d.name = name;
    d.type = kTypeInteger;
    d.arrayKind = kArray2D;
    d.dim1 = rows;
    d.dim2 = columns;
    ide.variables.createVariable(d, ide.host);
}

} // namespace test_support

// Find across the 100,000 lines: a text only the last line holds, searched from the start.
void BM_Find100k(benchmark::State& state)
{
    Fixture f;
    f.ide.program.sections[kMouse].lines.push_back(ProgramLine{kComment, "the needle", ParamBlock()});
    for (auto _ : state)
        benchmark::DoNotOptimize(findText(f.ide.program, "NEEDLE"));
}
BENCHMARK(BM_Find100k)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// The object viewer showing a variable of 5,000 elements (the most a list shows).
void BM_ObjectViewer5000(benchmark::State& state)
{
    IdeState ide;
    test_support::declareArray(ide, "Big", 100, 50);
    CORXObjectViewer viewer(ide);
    for (auto _ : state) {
        viewer.variablesPane()->setCurrentItem(nullptr);
        viewer.variablesPane()->setCurrentItem(viewer.variablesPane()->topLevelItem(0));
        benchmark::DoNotOptimize(viewer.valuesPane()->topLevelItemCount());
    }
    state.counters["rows"] = viewer.valuesPane()->topLevelItemCount();
}
BENCHMARK(BM_ObjectViewer5000)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
