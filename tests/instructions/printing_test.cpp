// Printing from a program: where drawing goes between PrintStart and PrintStop, the pages handed to
// the printer, and every way a job fails or ends.

#include "instruction_checks.h"
#include "instructions/printing/printing.h"
#include "runtime/pdf_pages.h"
#include "support/temp_files.h"

#include <QFileInfo>

using namespace qel;
using namespace qel::test;

namespace {

constexpr QRgb kRed = qRgb(150, 0, 0), kBlue = qRgb(0, 0, 128), kYellow = qRgb(128, 128, 0),
               kWhite = qRgb(255, 255, 255), kLightBlue = qRgb(0, 0, 255);

// A printer that keeps the pages it is given. Its sheet is 2 by 1 inches of page at 100 dots per
// inch once the millimetre is taken off: 200 x 100 pixels.
struct RecordingPages : PageSink {
    PageFormat format{1.0 + 2 * 25.4, 1.0 + 25.4, 100, 100};
    bool refuseBegin = false, refusePages = false;
    std::vector<QImage> pages;
    int begun = 0, ended = 0, aborted = 0;

    std::optional<PageFormat> pageFormat() override { return format; }
    bool beginDocument(const std::string&) override { return !refuseBegin && ++begun; }
    bool printPage(const QImage& page) override
    {
        pages.push_back(page.copy());
        return !refusePages;
    }
    bool endDocument() override { return ++ended; }
    void abortDocument() override { ++aborted; }
};

struct Printing : CanvasFixture<60, 40, kWhite> {
    RecordingPages printer;

    Printing() { host.pages = &printer; }
};

} // namespace

TEST_F(Printing, DrawingTextAttributesAndSizeGoToThePageUntilPrintStop)
{
    handlers();
    add(build, {declare("Integer", {"W=0", "H=0"}), line("WindowClear", {"Light Blue"}),
                line("TextForeColour", {"Red"}), line("PrintStart"), line("WindowGetSize", {"W", "H"}),
                line("WindowClear", {"Yellow"}), // the window's rectangle, on paper
                line("DrawRect", {"100", "50", "150", "90", "1", "Red", "Red", "", "1"}),
                line("TextForeColour", {"Blue"}), // the page's colour only
                line("PrintEject"), line("DrawFill", {"5", "5", "Blue"}), line("PrintStop"),
                line("DrawPoint", {"1", "1", "Red"})});
    ASSERT_TRUE(startsCleanly(*this, &target));
    EXPECT_EQ(numbers(*this, {"W", "H"}), (std::vector<float>{200, 100}));
    ASSERT_EQ(printer.pages.size(), 2u);
    const QImage& first = printer.pages[0];
    EXPECT_EQ(first.size(), QSize(200, 100));
    EXPECT_EQ(first.dotsPerMeterX(), 3937); // 100 dots per inch
    expectPixels(first, {{59, 39, kYellow}, {61, 41, kWhite}, {120, 70, kRed}});
    expectPixels(printer.pages[1], {{120, 70, kBlue}, {199, 99, kBlue}}); // a new, blank sheet filled all over
    EXPECT_EQ(std::make_pair(printer.begun, printer.ended), std::make_pair(1, 1));
    expectPixels(canvas, {{30, 20, kLightBlue}, {1, 1, kRed}}); // nothing drawn on paper reached the window
    EXPECT_EQ(state.text.colour, kRed);
    EXPECT_FALSE(in->printing());
}

// A page is drawn at 300 dots per inch at most; the Timer section draws on it; the job still open when
// the run stops is ended, its page printed. (A repaint drawing on the window meanwhile is qeltool's test.)
TEST_F(Printing, PagesAreDrawnAt300DotsPerInchAtMostTheRunsEndFinishesTheJobAndFailuresLeaveNoneHalfOpen)
{
    printer.format.dotsPerInchX = printer.format.dotsPerInchY = 1200;
    handlers();
    build.add("PrintStart").section(kTimer).add("DrawPoint", {"2", "2", "Blue"});
    startWithCanvas(*this, target);
    in->timerEvent();
    EXPECT_TRUE(printer.pages.empty());
    in->stopRun();
    ASSERT_EQ(printer.pages.size(), 1u);
    EXPECT_EQ(printer.pages[0].size(), QSize(600, 300));
    expectPixels(printer.pages[0], {{2, 2, kBlue}, {1, 1, kWhite}});
    EXPECT_EQ(printer.ended, 1);

    // Each failure stops the run and leaves no job half open.
    enum Fault { kNone, kRefuseBegin, kTinySheet, kRefusePages };
    // The lines, the printer's fault, the error, and the documents ended by the time the run stopped.
    const std::tuple<Lines, Fault, std::string, int> cases[] = {
        {{line("PrintStop")}, kNone, "Can't stop printing as have not started printing.", 0},
        {{line("PrintEject")}, kNone, "Can't eject page as have not yet started printing.", 0},
        {{line("PrintStart"), line("PrintStart")}, kNone, "Can't start printing as already printing.", 1},
        {{line("PrintStart")}, kRefuseBegin, "Windows will not allow the printing to start.", 0},
        {{line("PrintStart")}, kTinySheet, "Windows will not create printer DC.", 0},
        {{line("PrintStart"), line("PrintEject")}, kRefusePages, "Windows will not allow the page to end printing.", 0},
    };
    for (const auto& [lines, fault, error, ended] : cases) {
        RecordingPages pages;
        pages.refuseBegin = fault == kRefuseBegin;
        pages.refusePages = fault == kRefusePages;
        if (fault == kTinySheet)
            pages.format.widthMm = 0.5;
        const CaseRun run(lines, true, [&](Session& s) { s.host.pages = &pages; });
        EXPECT_EQ(run.errors(), Texts{runErrorText(error)});
        EXPECT_FALSE(run.in->printing()) << error;
        EXPECT_EQ(pages.ended, ended) << error;
    }
    // The host offers no printer.
    EXPECT_EQ(CaseRun({line("PrintStart")}).errors(), Texts{runErrorText("Windows will not get printer defaults.")});
}

// A document a run keeps open is seen growing as its pages are written out, and what the file was
// told of adds up to the whole file once it ends: the output limit counts a long print job as it goes.
TEST(PdfPagesGrowth, IsToldPageByPageAndAddsUpToTheFile)
{
    PdfPages pdf(QString::fromStdString(makeTempFolder()), PageFormat{60, 40, 100, 100});
    uint64_t told = 0;
    std::vector<uint64_t> afterPage;
    pdf.grew = [&](uint64_t bytes) { told += bytes; };
    ASSERT_TRUE(pdf.beginDocument(""));
    QImage page(200, 120, QImage::Format_RGB32);
    for (int k = 0; k < 6; ++k) {
        page.fill(QColor::fromHsv(k * 50, 255, 255)); // pages that do not compress to nothing
        ASSERT_TRUE(pdf.printPage(page));
        afterPage.push_back(told);
    }
    EXPECT_GT(afterPage.back(), afterPage.front()) << "nothing was told before the document ended";
    ASSERT_TRUE(pdf.endDocument());
    EXPECT_EQ(told, static_cast<uint64_t>(QFileInfo(pdf.path()).size()));
}
