// The environment in a light and a dark desktop palette: what it draws in colours of its own reads
// on the palette's colours, and what it draws on the program's or the form's colours reads there.
#include "environment/check/check_commands.h"
#include "environment/editors/ins_blank_dialog.h"
#include "environment/editors/instruction_dialog.h"
#include "environment/form_designer/form_design_view.h"
#include "environment/form_designer/forms_edit_form.h"
#include "environment/form_designer/property_grid.h"
#include "environment/help/help_window.h"
#include "environment/look/appearance.h"
#include "environment/look/contrast.h"
#include "environment/look/translation.h"
#include "environment/run_window/run_time_window.h"
#include "environment/shell/main_frame.h"
#include "instructions/catalogue.h"
#include "instructions/interaction/interaction_editors.h"
#include "shell_test_support.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QSet>
#include <QStyle>
#include <QStyleFactory>
#include <QToolBar>
#include <QTranslator>
#include <QXmlStreamReader>

#include <memory>

namespace qel {
namespace {

// The strongest contrast any opaque pixel of a picture has with a colour.
double strongestContrast(const QImage& image, const QColor& against, const QImage& unless = {})
{
    double best = 1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() == 255 && (unless.isNull() || unless.pixelColor(x, y) != c))
                best = std::max(best, contrastRatio(c, against));
        }
    return best;
}

TEST(Look, DialogsDesignerHelpAndIconsReadInLightAndDarkPalettes)
{
    const QPalette before = QApplication::palette();
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    const std::pair<const char*, QPalette> palettes[] = {{"light", fusion->standardPalette()}, {"dark", darkPalette()}};
    for (const auto& [name, palette] : palettes) {
        SCOPED_TRACE(name);
        QApplication::setPalette(palette);

        // The pale yellow lists and field of Add An Instruction.
        InsBlank dialog;
        std::vector<QWidget*> fields{dialog.instructionField()};
        for (size_t k = 0; k < 12; ++k)
            fields.push_back(dialog.list(k));
        for (const QWidget* w : fields)
            EXPECT_GE(contrastRatio(w->palette().color(QPalette::Base), w->palette().color(QPalette::Text)), 4.5);

        // The designer's toolbar pictures, sharp at twice the pixels, and its grid on a black form.
        test::RecordingHost host;
        CFormsEditForm designer(host, nullptr);
        designer.resize(600, 500);
        designer.show();
        for (const QAction* a : designer.findChild<QToolBar*>()->actions()) {
            if (a->icon().isNull())
                continue;
            const QImage picture = a->icon().pixmap(QSize(24, 24), 2.0).toImage();
            EXPECT_EQ(picture.size(), QSize(48, 48)) << a->text().toStdString();
            EXPECT_GE(strongestContrast(picture, palette.color(QPalette::Window)), kReadableContrast)
                << a->text().toStdString();
        }
        // The help's headings.
        HelpBrowser help;
        help.resize(400, 100);
        help.setHtml(QStringLiteral("<h1>Heading</h1>"));
        EXPECT_GE(strongestContrast(help.viewport()->grab().toImage(), palette.color(QPalette::Base)),
                  kReadableContrast);

        // The properties window's labels and values, one value marked wrong, on the palette's colours.
        PropertyGrid properties;
        properties.setRows({QStringLiteral("Name"), QStringLiteral("Width")},
                           {QStringLiteral("Form1"), QStringLiteral("30")});
        properties.setMarked(1, true);
        properties.resize(240, properties.sizeHint().height());
        const QImage cells = properties.grab().toImage();
        for (int row = 0; row < properties.rowCount(); ++row) {
            const QRect value = properties.valueRect(row).adjusted(0, 0, 0, -1);
            EXPECT_EQ(cells.pixelColor(value.right(), value.center().y()), palette.color(QPalette::Base));
            for (const QRect& cell : {QRect(0, value.top(), properties.labelWidth() - 1, value.height()), value}) {
                const QImage picture = cells.copy(cell);
                EXPECT_GE(strongestContrast(picture, picture.pixelColor(picture.width() - 1, picture.height() / 2)),
                          kReadableContrast)
                    << row;
            }
        }

        ASSERT_TRUE(designer.design().applyProperty(PropertyId::BGColour, "0,0,0", false));
        QWidget* surface = designer.view()->viewport();
        const QImage plain = surface->grab().toImage();
        designer.design().setSnap(true);
        const QImage grid = surface->grab().toImage();
        EXPECT_GE(strongestContrast(grid, Qt::black, plain), kReadableContrast);
    }
    // A designer made in the light palette draws its marks again when the desktop turns dark.
    QApplication::setPalette(fusion->standardPalette());
    test::RecordingHost host;
    CFormsEditForm designer(host, nullptr);
    QApplication::setPalette(darkPalette());
    QCoreApplication::processEvents();
    const QImage line = designer.action(kCmdFormAddLine)->icon().pixmap(QSize(24, 24)).toImage();
    EXPECT_GE(strongestContrast(line, darkPalette().color(QPalette::Window)), kReadableContrast);
    QApplication::setPalette(before);
}

// A translation that changes every text of the environment's scope that lupdate found, as another
// language would; a text put together at run time is not among them and comes out unchanged.
// The texts lupdate found, as the committed translation file lists them.
QSet<QString> translatableTexts()
{
    QSet<QString> sources;
    QFile ts(QStringLiteral(QEL_TS_FILE));
    EXPECT_TRUE(ts.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&ts);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QStringLiteral("source"))
            sources.insert(xml.readElementText());
    EXPECT_GT(sources.size(), 100) << "no texts in " QEL_TS_FILE;
    return sources;
}

class MarkingTranslator : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        const QString text = QString::fromUtf8(source);
        return qstrcmp(context, "qel") == 0 && sources_.contains(text) ? QStringLiteral("[%1]").arg(text) : QString();
    }

private:
    const QSet<QString> sources_ = translatableTexts();
};

// The environment's messages are shown translated, with their file names put in after; the
// program's own MessageBox text and the run's error text reach the user as they are, even when
// the program says a text the environment translates.
struct EnvironmentMessages : test::AppTest {};

TEST_F(EnvironmentMessages, AreTranslatedAndTheProgramsAreNot)
{
    MarkingTranslator marking;
    QCoreApplication::installTranslator(&marking);
    const QString missing = dir.filePath(QStringLiteral("missing.qel"));
    EXPECT_FALSE(frame().openFile(missing));
    InstructionDialog forDialog(*editorFor(kFor), ide(), false);
    forDialog.accept(); // every field empty
    ASSERT_EQ(messages.texts(), (std::vector<std::string>{"[Unable to open the file " + missing.toStdString() + ".]",
                                                          "[Numeric expression required.]"}));

    messages.messages.clear();
    test::Session session;
    session.handlers();
    std::vector<std::string> box(message_box_fields::kCount);
    box[message_box_fields::kMessage] = "\"Variable required.\"";
    box[message_box_fields::kButtonsFirst] = "1";
    box[message_box_fields::kResult] = "Answer";
    session.build.add("DeclareVariable", examples::variableFields("Integer", "Answer", "0"))
        .add("MessageBox", box)
        .add("Let", examples::letFields("Answer", "Answer", "/", "\"text\""));
    test::startInIde(ide(), session.program, messages);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{
                                    "Variable required.",
                                    test::runErrorText("Expecting numeric value but found string literal - text")}));
    QCoreApplication::removeTranslator(&marking);
}

// A message put together from a number, a name or a reason is translated whole, and what it is
// about goes in after: each part once, however it is written.
TEST_F(EnvironmentMessages, PutTogetherAreTranslatedWholeWithTheirPartsPutInAfter)
{
    MarkingTranslator marking;
    QCoreApplication::installTranslator(&marking);
    const QString odd = dir.filePath(QStringLiteral("odd %2 %1.qel"));
    EXPECT_FALSE(frame().openFile(odd));
    test::writeBytes(dir.filePath(QStringLiteral("long.qel")).toStdString(),
                     "QEL 1.25\n" + std::string(4, '\0') + std::string("\3\0\0\0", 4) + std::string(1025, 'a') + "\n");
    EXPECT_FALSE(frame().openFile(dir.filePath(QStringLiteral("long.qel"))));
    InstructionDialog declare(*editorFor(kDeclareVariable), ide(), false);
    declare.setValues(examples::arrayFields("Integer", "A", 5, 1001));
    declare.accept();
    const QString profile = dir.filePath(QStringLiteral("lesson.txt"));
    test::writeBytes(profile.toStdString(), "Let\nNoSuch\n");
    frame().checkCommands().chooseProfile = [&] { return profile; };
    frame().commandAction(kCmdLessonProfile)->trigger();
    frame().commandAction(kCmdClearLessonProfile)->trigger();
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{
                  "[Unable to open the file " + odd.toStdString() + ".]",
                  "[Corrupt, Obsolete or Non-QEL file.\n\nLine 0 of the Initialise section has a text longer than "
                  "1,024 characters, so the file was not opened.]",
                  "[2nd Dimension must be an integer in the range 0 - 1000]",
                  "[The lesson profile has problems:\n" + profile.toStdString() +
                      ":2: [Unknown instruction keyword - NoSuch]]"}));

    // The computed labels of a dialog are each a text of their own.
    const InstructionDialog list(*editorFor(kDisplayVarsInListCtrl), ide(), false);
    QStringList labels;
    for (const QLabel* label : list.findChildren<QLabel*>())
        labels << label->text();
    for (const char* expected : {"[Variable &1]", "[Variable &6]", "[Title 1]", "[Title 6]"})
        EXPECT_TRUE(labels.contains(QString::fromLatin1(expected))) << expected << labels.join('|').toStdString();
    QCoreApplication::removeTranslator(&marking);
}

// Every title, label and file dialog's title and filter of every instruction's dialog is a text the
// translation knows, however the editor makes its list of fields.
TEST(InstructionDialogTexts, AreAllKnownToTheTranslation)
{
    const QSet<QString> sources = translatableTexts();
    int texts = 0;
    const auto expectKnown = [&](uint32_t type, std::string_view text) {
        if (std::count_if(text.begin(), text.end(), [](char c) { return std::isalpha(c) != 0; }) < 2)
            return; // "(", ")" and the like
        ++texts;
        EXPECT_TRUE(sources.contains(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))))
            << type << ": " << text;
    };
    for (uint32_t type = 0; type <= kLastLineType; ++type)
        if (const InstructionEditor* editor = editorFor(type)) {
            expectKnown(type, editor->title());
            for (const FieldSpec& spec : editor->fields()) {
                expectKnown(type, spec.label);
                expectKnown(type, spec.fileTitle);
                expectKnown(type, spec.fileFilter);
            }
        }
    EXPECT_GT(texts, 250);
}

#ifdef QEL_LRELEASE
// A translation of the system's language beside the executable is installed at start: the menus,
// a table of the View menu, a title kept as a constant and an instruction's field label read in
// that language.
struct Translation : test::AppTest {
    ~Translation() override
    {
        qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>());
        QFile::remove(qm);
        QLocale::setDefault(before);
    }
    const QString qm = QCoreApplication::applicationDirPath() + QStringLiteral("/translations/qel_de.qm");
    const QLocale before;
};

TEST_F(Translation, OfTheSystemsLanguageIsInstalledWhenFound)
{
    const QString ts = dir.filePath(QStringLiteral("qel_de.ts"));
    QFile file(ts);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<?xml version="1.0" encoding="utf-8"?><!DOCTYPE TS><TS version="2.1" language="de">
<context><name>qel::CMainFrame</name><message><source>&amp;File</source><translation>&amp;Datei</translation></message></context>
<context><name>qel::ViewCommands</name><message><source>&amp;Paint Section	Alt+2</source><translation>&amp;Zeichnen	Alt+2</translation></message></context>
<context><name>qel</name><message><source>Run Time Window</source><translation>Laufzeitfenster</translation></message>
<message><source>Ste&amp;p</source><translation>Schritt&amp;weite</translation></message>
<message><source>For</source><translation>Zählschleife</translation></message></context>
</TS>)");
    file.close();
    QDir().mkpath(QFileInfo(qm).path());
    ASSERT_EQ(
        QProcess::execute(QStringLiteral(QEL_LRELEASE), {QStringLiteral("-silent"), ts, QStringLiteral("-qm"), qm}), 0);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    applyAppearance(*static_cast<QApplication*>(QCoreApplication::instance()));
    app.reset();
    makeApp();
    EXPECT_EQ(frame().menuBar()->actions().at(0)->text(), QStringLiteral("&Datei"));
    EXPECT_EQ(frame().commandAction(kCmdViewPaint)->text(), QStringLiteral("&Zeichnen\tAlt+2"));
    EXPECT_EQ(translated(kRunTimeWindowCaption), QStringLiteral("Laufzeitfenster"));
    const InstructionDialog dialog(*editorFor(kFor), ide(), false); // a field label of a family
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains(QStringLiteral("Schritt&weite"))) << labels.join(u',').toStdString();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Zählschleife"));
    // Qt's own texts follow, where the system has them (a message box's buttons, the file dialogs).
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    EXPECT_EQ(frame().commandAction(kCmdViewTimer)->text(), QStringLiteral("&Timer Section\tAlt+3")); // not translated
}
#endif

} // namespace
} // namespace qel
