// Printing the program listing and the variable list: pages checked through the PDF they make, by
// their text (pdftotext) and by the pixels of a rendered page (pdftoppm).
#include "environment/printing/list_printing.h"
#include "environment/printing/listing_printing.h"
#include "environment/printing/print_commands.h"
#include "environment/printing/print_target.h"
#include "runtime/latin1.h"
#include "shell_test_support.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>

namespace qel {
namespace {

// The text of each page of a PDF.
QStringList pageTexts(const QString& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    p.waitForFinished();
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QChar('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// Where each row of text starts: the leftmost dark pixel of each band of rows holding ink.
std::vector<int> textStarts(const QImage& page)
{
    std::vector<int> starts;
    bool inBand = false;
    int left = page.width();
    for (int y = 0; y < page.height(); ++y) {
        int rowLeft = -1;
        for (int x = 0; x < page.width() && rowLeft < 0; ++x)
            if (qGray(page.pixel(x, y)) < 128)
                rowLeft = x;
        if (rowLeft >= 0) {
            left = inBand ? std::min(left, rowLeft) : rowLeft;
            inBand = true;
        } else if (inBand) {
            starts.push_back(left);
            inBand = false;
        }
    }
    return starts;
}

struct PrintingTest : ::testing::Test {
    QString pdfOf(const std::function<void(QPdfWriter&, QPainter&)>& paint, QPageSize size = QPageSize(QPageSize::A4))
    {
        const QString path = dir.filePath(QStringLiteral("out%1.pdf").arg(++files));
        QPdfWriter writer(path);
        writer.setPageSize(size);
        writer.setResolution(300);
        QPainter painter(&writer);
        paint(writer, painter);
        painter.end();
        return path;
    }
    QTemporaryDir dir;
    int files = 0;
};

TEST_F(PrintingTest, ListingLevelsFollowTheViewAndNeverGoBelowZero)
{
    Program program;
    VariableTable variables;
    test::ProgramBuilder b(program, variables);
    b.add("DeclareVariable", test::variableFields("Integer", "A"))
        .add("If", test::ifFields("A", "Equal", "1"))
        .add("Comment", {"inside"})
        .add("Else")
        .add("While", {"A", "Less Than", "3"})
        .add("Comment", {"deeper"})
        .add("EndWhile")
        .add("EndIf")
        .add("EndIf") // one too many: the level stays at 0
        .add("Comment", {"after"});
    EXPECT_EQ(printLevels(program, kInitialise), (std::vector<int>{0, 0, 0, 1, 0, 1, 2, 1, 0, 0, 0}));
}

TEST_F(PrintingTest, ListingPagesKeepLinesWholeAndIndentNestedLinesAndListPagesRepeatTheirHeader)
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty() || QStandardPaths::findExecutable("pdftoppm").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    Program program;
    VariableTable variables;
    test::ProgramBuilder b(program, variables);
    b.add("DeclareVariable", test::variableFields("Integer", "A"));
    for (int k = 0; k < 60; ++k)
        b.add("If", test::ifFields("A", "Equal", std::to_string(k))).add("Comment", {"line " + std::to_string(k)});
    b.section(kTimer).add("Comment", {"timer line"});
    int pages = 0;
    const QString pdf = pdfOf([&](QPdfWriter& w, QPainter& p) {
        pages = paintListingPages(p, w, program, kPrintInitialise | kPrintTimer, [&] { return w.newPage(); });
    });
    const QStringList texts = pageTexts(pdf);
    ASSERT_EQ(texts.size(), pages);
    EXPECT_GE(pages, 2);
    // Every line whole on one page, in order; Timer's lines follow Initialise's directly.
    const QString all = texts.join(QString());
    for (int k = 0; k < 60; ++k)
        EXPECT_TRUE(all.contains(QStringLiteral("line %1\n").arg(k)) || all.contains(QStringLiteral("line %1 ").arg(k)))
            << k;
    EXPECT_TRUE(texts.back().contains("timer line"));
    EXPECT_FALSE(all.contains("Paint event"));

    // Each comment is one level (40 points) deeper than the If before it (no EndIf closes them).
    QProcess render;
    render.start("pdftoppm",
                 {"-r", "100", "-gray", "-png", "-f", "1", "-l", "1", "-singlefile", pdf, dir.filePath("page")});
    render.waitForFinished();
    const QImage page(dir.filePath("page.png"));
    const std::vector<int> starts = textStarts(page);
    ASSERT_GE(starts.size(), 6u) << page.width() << "x" << page.height() << " " << starts.size();
    for (size_t k = 2; k + 1 < 6; k += 2)
        EXPECT_NEAR(starts[k + 1] - starts[k], 40 * 100 / 72, 3) << k; // 40 points at 100 dots an inch

    // A variable list prints its header on every page.
    VariableListTable table{"High scores", {"Name", "Score"}, {}};
    for (int r = 1; r <= 200; ++r)
        table.rows.push_back({std::to_string(r), "Player " + std::to_string(r), std::to_string(r * 10)});
    const QStringList list = pageTexts(
        pdfOf([&](QPdfWriter& w, QPainter& p) { pages = paintTablePages(p, w, table, [&] { return w.newPage(); }); }));
    ASSERT_EQ(list.size(), pages);
    ASSERT_GE(pages, 2);
    for (int k = 0; k < pages; ++k) {
        EXPECT_TRUE(list[k].contains("High scores")) << k;
        EXPECT_TRUE(list[k].contains(QStringLiteral("Page %1").arg(k + 1))) << k;
        EXPECT_TRUE(list[k].contains("Name")) << k;
    }
    EXPECT_TRUE(list.back().contains("Player 200"));
}

TEST_F(PrintingTest, ALineTallerThanAPageIsPrintedAnyway)
{
    Program program;
    VariableTable variables;
    const std::string words = QString("Word ").repeated(200).toStdString();
    test::ProgramBuilder(program, variables).add("Comment", {words}).add("Comment", {"next"});
    int pages = 0;
    pdfOf([&](QPdfWriter& w,
              QPainter& p) { pages = paintListingPages(p, w, program, kPrintInitialise, [&] { return w.newPage(); }); },
          QPageSize(QSizeF(30, 30), QPageSize::Millimeter));
    EXPECT_GE(pages, 2);
    EXPECT_LT(pages, 10);
}

using PrintCommands = test::AppTest;

TEST_F(PrintCommands, ThePrintSectionsDialogAndAListingBesideTheProgram)
{
    const QString path = test::writeSampleProgram(dir, "sample.qel");
    ASSERT_TRUE(app->start({path}));

    // Nothing ticked is refused and the dialog stays; Timer and Mouse are then chosen.
    test::whenDialogOpens([&](QWidget* dialog) {
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        buttons->button(QDialogButtonBox::Ok)->click();
        EXPECT_TRUE(dialog->isVisible());
        for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
            box->setChecked(box->text() == "&Timer Section" || box->text() == "&Mouse Section");
        buttons->button(QDialogButtonBox::Ok)->click();
    });
    const std::optional<uint8_t> chosen = askPrintSections(nullptr, ide().host);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"No sections selected."});
    EXPECT_EQ(chosen, uint8_t(kPrintTimer | kPrintMouse));

    const Result<QString> pdf = printWholeListing(ide(), path);
    ASSERT_TRUE(pdf) << pdf.failureText();
    EXPECT_TRUE(pdf->startsWith(dir.filePath("sample-"))) << pdf->toStdString();
    EXPECT_TRUE(QFileInfo(*pdf).size() > 0);
    // Without a printer Print Setup says where printing goes instead of doing nothing.
    frame().commandAction(kCmdFilePrintSetup)->trigger();
    EXPECT_EQ(messages.messages.back(),
              (test::RecordedMessage{fromQString(noPrinterText(dir.path())), Icon::Information}));
}

} // namespace
} // namespace qel
