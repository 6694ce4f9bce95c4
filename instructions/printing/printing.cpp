#include "instructions/printing/printing.h"

#include "interpreter/line_context.h"
#include "messages/run_errors.h"

#include <algorithm>
#include <cmath>

namespace qel {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kMetresPerInch = 0.0254;
// A sheet larger than this (in pixels each way) is not a sheet.
constexpr int kMaxPagePixels = 20000;

} // namespace

QSize printablePageSize(const PageFormat& format, int dotsPerInchX, int dotsPerInchY)
{
    auto pixels = [](double dpi, double mm) {
        const double value = std::trunc(dpi * (mm - 1.0) / kMmPerInch);
        return value >= 1.0 && value <= kMaxPagePixels ? static_cast<int>(value) : 0;
    };
    return {pixels(dotsPerInchX, format.widthMm), pixels(dotsPerInchY, format.heightMm)};
}

std::unique_ptr<PagePrintJob> PagePrintJob::create(PageSink& printer, const PageFormat& format, DrawTarget& window)
{
    const int dpiX = std::clamp(format.dotsPerInchX, 1, kMaxPageDpi);
    const int dpiY = std::clamp(format.dotsPerInchY, 1, kMaxPageDpi);
    const QSize size = printablePageSize(format, dpiX, dpiY);
    if (size.isEmpty())
        return nullptr;
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return nullptr;
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpiX / kMetresPerInch)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpiY / kMetresPerInch)));
    image.fill(Qt::white);
    return std::unique_ptr<PagePrintJob>(new PagePrintJob(printer, std::move(image), window));
}

PagePrintJob::PagePrintJob(PageSink& printer, QImage image, DrawTarget& window)
    : printer_(printer), image_(std::move(image)), target_(std::make_unique<DrawTarget>(image_, text_, window))
{}

Status PagePrintJob::endPage()
{
    target_->end();
    if (!printer_.printPage(image_))
        return runError(print_msg::kCannotEndPage);
    return success();
}

Status PagePrintJob::eject()
{
    TRY(endPage());
    image_.fill(Qt::white);
    return success();
}

Status PagePrintJob::finish()
{
    if (Status ended = endPage(); !ended) {
        printer_.abortDocument();
        return ended;
    }
    if (!printer_.endDocument())
        return runError(print_msg::kCannotEnd);
    return success();
}

LineResult executePrintStart(LineContext& line)
{
    if (line.printJob())
        return runError(print_msg::kAlreadyPrinting);
    PageSink* printer = line.host().printer();
    const std::optional<PageFormat> format = printer ? printer->pageFormat() : std::nullopt;
    if (!format)
        return runError(print_msg::kNoDefaults);
    DrawTarget* window = line.windowTarget();
    std::unique_ptr<PagePrintJob> job = window ? PagePrintJob::create(*printer, *format, *window) : nullptr;
    if (!job)
        return runError(print_msg::kNoPrinterDc);
    // Nothing is left half-open: the job becomes the run's only once its document has begun.
    if (!printer->beginDocument(line.programPath()))
        return runError(print_msg::kCannotStart);
    line.startPrintJob(std::move(job));
    return Flow::Next;
}

LineResult executePrintEject(LineContext& line)
{
    RunPrintJob* job = line.printJob();
    if (!job)
        return runError(print_msg::kEjectNotPrinting);
    TRY(job->eject());
    return Flow::Next;
}

LineResult executePrintStop(LineContext& line)
{
    if (!line.printJob())
        return runError(print_msg::kStopNotPrinting);
    const std::unique_ptr<RunPrintJob> job = line.endPrintJob();
    TRY(job->finish());
    return Flow::Next;
}

} // namespace qel
