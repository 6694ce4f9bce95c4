// Printing from a program: where drawing goes between PrintStart and PrintStop, the pages handed to
// the printer, and every way a job fails or ends.

#include "instructions/printing/printing.h"
#include "runtime/pdf_pages.h"
#include "support/canvas_run.h"
#include "support/run_fixture.h"
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

struct Printing : RunFixture {
    QImage window{60, 40, QImage::Format_RGB32};
    DrawState state;
    DrawTarget target{window, state};
    RecordingPages printer;

    Printing()
    {
        window.fill(Qt::white);
        host.pages = &printer;
    }
    void run() { startWithCanvas(*this, target); }
};

} // namespace

TEST_F(Printing, DrawingTextAttributesAndSizeGoToThePageUntilPrintStop)
{
    handlers();
    build.add("DeclareVariable", variableFields("Integer", "W", "0"))
        .add("DeclareVariable", variableFields("Integer", "H", "0"))
        .add("WindowClear", {"Light Blue"})
        .add("TextForeColour", {"Red"})
        .add("PrintStart")
        .add("WindowGetSize", {"W", "H"})
        .add("WindowClear", {"Yellow"}) // the window's rectangle, on paper
        .add("DrawRect", {"100", "50", "150", "90", "1", "Red", "Red", "", "1"})
        .add("TextForeColour", {"Blue"}) // the page's colour only
        .add("PrintEject")
        .add("DrawFill", {"5", "5", "Blue"})
        .add("PrintStop")
        .add("DrawPoint", {"1", "1", "Red"});
    run();
    ASSERT_TRUE(errors().empty()) << errors()[0];
    EXPECT_EQ(number("W"), 200.0f);
    EXPECT_EQ(number("H"), 100.0f);
    ASSERT_EQ(printer.pages.size(), 2u);
    const QImage& first = printer.pages[0];
    EXPECT_EQ(first.size(), QSize(200, 100));
    EXPECT_EQ(first.dotsPerMeterX(), 3937); // 100 dots per inch
    EXPECT_EQ(first.pixel(59, 39), kYellow);
    EXPECT_EQ(first.pixel(61, 41), kWhite);
    EXPECT_EQ(first.pixel(120, 70), kRed);
    EXPECT_EQ(printer.pages[1].pixel(120, 70), kBlue); // a new, blank sheet filled all over
    EXPECT_EQ(printer.pages[1].pixel(199, 99), kBlue);
    EXPECT_EQ(std::make_pair(printer.begun, printer.ended), std::make_pair(1, 1));
    EXPECT_EQ(window.pixel(30, 20), kLightBlue); // nothing drawn on paper reached the window
    EXPECT_EQ(window.pixel(1, 1), kRed);
    EXPECT_EQ(state.text.colour, kRed);
    EXPECT_FALSE(in->printing());
}

// A repaint of the window runs the Paint section on the window even while a job is open; the Timer
// section draws on the page; the job still open when the run stops is ended, its page printed.
TEST_F(Printing, RepaintsDrawOnTheWindowAndTheRunsEndFinishesTheJob)
{
    printer.format.dotsPerInchX = printer.format.dotsPerInchY = 1200; // drawn at 300 at most
    handlers();
    build.add("PrintStart");
    build.section(kPaint).add("DrawPoint", {"1", "1", "Red"});
    build.section(kTimer).add("DrawPoint", {"2", "2", "Blue"});
    run();
    in->paintEvent();
    in->timerEvent();
    target.end();
    EXPECT_EQ(window.pixel(1, 1), kRed);
    EXPECT_EQ(window.pixel(2, 2), kWhite);
    EXPECT_TRUE(printer.pages.empty());
    in->stopRun();
    ASSERT_EQ(printer.pages.size(), 1u);
    EXPECT_EQ(printer.pages[0].size(), QSize(600, 300));
    EXPECT_EQ(printer.pages[0].pixel(2, 2), kBlue);
    EXPECT_EQ(printer.pages[0].pixel(1, 1), kWhite);
    EXPECT_EQ(printer.ended, 1);
}

TEST_F(Printing, FailuresStopTheRunAndLeaveNoJobHalfOpen)
{
    struct Case {
        std::vector<const char*> lines;
        std::function<void(RecordingPages&)> setUp;
        std::string error;
        int ended; // documents ended by the time the run stopped
    };
    const std::vector<Case> cases = {
        {{"PrintStop"}, {}, "Can't stop printing as have not started printing.", 0},
        {{"PrintEject"}, {}, "Can't eject page as have not yet started printing.", 0},
        {{"PrintStart", "PrintStart"}, {}, "Can't start printing as already printing.", 1},
        {{"PrintStart"},
         [](RecordingPages& p) { p.refuseBegin = true; },
         "Windows will not allow the printing to start.",
         0},
        {{"PrintStart"}, [](RecordingPages& p) { p.format.widthMm = 0.5; }, "Windows will not create printer DC.", 0},
        {{"PrintStart", "PrintEject"},
         [](RecordingPages& p) { p.refusePages = true; },
         "Windows will not allow the page to end printing.",
         0},
    };
    for (const Case& c : cases) {
        Session s;
        RecordingPages pages;
        if (c.setUp)
            c.setUp(pages);
        s.host.pages = &pages;
        s.handlers();
        for (const char* line : c.lines)
            s.build.add(line);
        QImage image(8, 8, QImage::Format_RGB32);
        DrawState drawState;
        DrawTarget drawTarget{image, drawState};
        startWithCanvas(s, drawTarget);
        EXPECT_EQ(s.errors(), std::vector<std::string>{runErrorText(c.error)}) << c.error;
        EXPECT_FALSE(s.in->printing()) << c.error;
        EXPECT_EQ(pages.ended, c.ended) << c.error;
    }

    Session noPrinter; // the host offers none
    noPrinter.handlers();
    noPrinter.build.add("PrintStart");
    noPrinter.start();
    EXPECT_EQ(noPrinter.errors(), std::vector<std::string>{runErrorText("Windows will not get printer defaults.")});
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
