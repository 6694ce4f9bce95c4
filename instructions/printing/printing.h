#pragma once
// PrintStart, PrintEject and PrintStop: between PrintStart and PrintStop the program draws on paper.
// They have no parameters (fixed-text lines). The job belongs to the run: every end of the run ends
// a job still open, and its pages come out.
//
// A page is an image at the printer's resolution, at most 300 dots per inch, so DrawFill and
// DrawPoint work on its pixels as on the window's; its size is the sheet less a millimetre each way,
// which WindowGetSize reports. The page has text attributes of its own (TextFont, TextForeColour,
// TextBackColour change only the page's while printing) and shares the window's colours and
// bitmaps. A repaint of the window still runs the Paint section on the window.

#include "interpreter/dispatch.h"
#include "interpreter/run_state.h"
#include "runtime/draw_target.h"
#include "runtime/page_sink.h"

#include <memory>
#include <string_view>

namespace qel {

namespace print_msg {
inline constexpr std::string_view kAlreadyPrinting = "Can't start printing as already printing.";
inline constexpr std::string_view kNoDefaults = "Windows will not get printer defaults.";
inline constexpr std::string_view kNoPrinterDc = "Windows will not create printer DC.";
inline constexpr std::string_view kCannotStart = "Windows will not allow the printing to start.";
inline constexpr std::string_view kCannotStartPage = "Windows will not allow the page to start printing.";
inline constexpr std::string_view kEjectNotPrinting = "Can't eject page as have not yet started printing.";
inline constexpr std::string_view kCannotEndPage = "Windows will not allow the page to end printing.";
inline constexpr std::string_view kStopNotPrinting = "Can't stop printing as have not started printing.";
inline constexpr std::string_view kCannotEnd = "Windows will not allow the printing to end.";
} // namespace print_msg

// The highest resolution a page is drawn at, in dots per inch.
inline constexpr int kMaxPageDpi = 300;

// The size of a page in pixels: dpi x (millimetres - 1) / 25.4 each way, cut to whole pixels.
QSize printablePageSize(const PageFormat& format, int dotsPerInchX, int dotsPerInchY);

// An open print job: the page being drawn, and the printer it goes to.
class PagePrintJob final : public RunPrintJob {
public:
    // The page is made for the printer's sheet; nothing when it cannot be (no memory for it).
    static std::unique_ptr<PagePrintJob> create(PageSink& printer, const PageFormat& format, DrawTarget& window);

    DrawTarget& page() override { return *target_; }
    [[nodiscard]] Status eject() override;
    [[nodiscard]] Status finish() override;

private:
    PagePrintJob(PageSink& printer, QImage image, DrawTarget& window);
    [[nodiscard]] Status endPage();

    PageSink& printer_;
    QImage image_;
    TextAttributes text_;
    std::unique_ptr<DrawTarget> target_;
};

LineResult executePrintStart(LineContext& line);
LineResult executePrintEject(LineContext& line);
LineResult executePrintStop(LineContext& line);

} // namespace qel
