// Forms: reading a form file of 200 objects (the most a form holds) from disk, and opening a form
// window of 200 controls (25 buttons, 75 edit boxes, 50 checkboxes, 50 combo boxes of ten items):
// the file read, the controls made, the window shown and painted. And the designer: a frame of a
// drag of 50 selected objects over a form of 200 (the drag moved, the window repainted).

#include "environment/form_designer/form_design_view.h"
#include "environment/forms/form_window.h"
#include "fileio/file_io.h"
#include "forms/design/form_design.h"
#include "forms/form_file.h"
#include "forms/run_form.h"
#include "program/program_file.h"

#include <QApplication>
#include <QDir>
#include <QImage>

#include <benchmark/benchmark.h>

using namespace qel;

namespace {

class QuietHost : public MessageHost {
public:
    Button showMessage(std::string_view, Icon, Buttons buttons) override { return defaultButton(buttons); }
};

std::string writeForm(const std::string& name, const FormObjects& form)
{
    const std::string path = QDir::tempPath().toStdString() + "/" + name;
    const std::string text = formFileText(form);
    if (!writeFileAtomically(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())))
        std::abort();
    return path;
}

void add(FormObjects& form, int16_t type, int count)
{
    for (int k = 0; k < count; ++k) {
        FormObject o = newObject(type, form, DefaultColours{});
        const auto index = static_cast<int32_t>(form.size());
        o.offsetX = (index % 10) * 80;
        o.offsetY = (index / 10) * 30;
        o.caption = type == object_type::kComboBox ? "one;two;three;four;five;six;seven;eight;nine;ten"
                                                   : "Caption of object " + std::to_string(index);
        o.caption2 = type == object_type::kComboBox ? "1;2;3;4;5;6;7;8;9;10" : "";
        o.onClick = "Clicked";
        form.push_back(std::move(o));
    }
}

FormObjects formOf(int buttons, int edits, int checks, int combos, int shapes)
{
    FormObjects form{newFormObject()};
    form[0].caption = "Benchmark";
    form[0].width = 800;
    form[0].height = 640;
    add(form, object_type::kButton, buttons);
    add(form, object_type::kEdit, edits);
    add(form, object_type::kCheckBox, checks);
    add(form, object_type::kComboBox, combos);
    add(form, object_type::kStaticText, shapes);
    return form;
}

void BM_ReadForm200Objects(benchmark::State& state)
{
    const std::string path = writeForm("bench_read.frm", formOf(25, 75, 50, 30, 19));
    QuietHost host;
    for (auto _ : state) {
        std::optional<FormReadResult> read = readFormFile(path, host);
        if (!read || read->objects.size() != kMaxFormObjects)
            state.SkipWithError("not read whole");
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(BM_ReadForm200Objects)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_OpenFormWindow200Controls(benchmark::State& state)
{
    const std::string path = writeForm("bench_open.frm", formOf(25, 75, 50, 50, 0));
    QuietHost host;
    for (auto _ : state) {
        auto form = std::make_shared<RunForm>(
            FormMode::Run, host, [](std::string_view) {}, "");
        auto* window = new CORXFormWnd(form);
        if (!form->open(path))
            state.SkipWithError("not opened");
        window->shown();
        QImage picture(window->size(), QImage::Format_RGB32);
        window->render(&picture); // painted once, controls and all
        state.PauseTiming();
        form->closeAtRunEnd();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenFormWindow200Controls)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_DesignerDragFrame50Selected(benchmark::State& state)
{
    FormDesign design;
    design.load(formOf(25, 75, 50, 30, 19));
    CFormDesignView view(design);
    view.resize(820, 660);
    view.show();
    auto centre = [&design](size_t k) {
        const DesignRect r = FormDesign::rectOf(design.objects()[k]);
        return DesignPoint{r.x + r.width / 2, r.y + r.height / 2};
    };
    design.selectObject(1);
    for (size_t k = 2; k <= 50; ++k) {
        design.press(centre(k), true);
        design.release(centre(k));
    }
    const DesignPoint start = centre(1);
    design.press(start, false);
    if (design.selectionCount() != 50 || design.dragMode() != DragMode::Move)
        state.SkipWithError("not dragging 50 objects");
    QImage frame(view.viewport()->size(), QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        ++step;
        design.dragTo({start.x + step % 40, start.y + step % 30});
        view.viewport()->render(&frame);
    }
}
BENCHMARK(BM_DesignerDragFrame50Selected)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

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
