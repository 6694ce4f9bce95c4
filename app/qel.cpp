// qel: the development environment.
//
//   qel [FILE.qel]
//   qel --print FILE.qel     prints the program's listing (every section) and quits; without a
//                            printer the pages go to a new PDF beside the program, whose name it
//                            prints. It opens no window and needs no display: every message goes to
//                            standard error. Exit status 1 when the program cannot be read or nothing
//                            could be printed (the reason on standard error).
//
// Hidden options for measuring and for pictures of the window: --quit-after-show prints how many
// milliseconds passed from the start until the main window was shown, then quits; --screenshot PATH
// saves a picture of the main window once it is shown, then quits. QEL_DARK=1 in the environment
// shows every window with the Fusion style and a dark palette, to try a dark theme.
#include "environment/look/appearance.h"
#include "environment/printing/print_commands.h"
#include "environment/printing/print_target.h"
#include "environment/shell/main_frame.h"
#include "environment/shell/qel_app.h"
#include "program/host.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

bool hasDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Messages where no window may open: each on standard error, answered with the box's default button.
class StandardErrorMessages final : public qel::MessageHost {
public:
    qel::Button showMessage(std::string_view text, qel::Icon, qel::Buttons buttons) override
    {
        std::fprintf(stderr, "qel: %.*s\n", static_cast<int>(text.size()), text.data());
        return qel::defaultButton(buttons);
    }
};

struct Options {
    QStringList files;
    QString print;
    bool quitAfterShow = false;
    QString screenshot;
};

Options parseOptions(const QStringList& arguments)
{
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QStringLiteral("--quit-after-show"))
            options.quitAfterShow = true;
        else if ((a == QStringLiteral("--print") || a == QStringLiteral("/p")) && i + 1 < arguments.size())
            options.print = arguments[++i];
        else if (a == QStringLiteral("--screenshot") && i + 1 < arguments.size())
            options.screenshot = arguments[++i];
        else
            options.files << a;
    }
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const Options options = parseOptions(arguments);
    // Printing a listing shows no window, so it needs no display and never waits on one.
    if (!options.print.isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!hasDisplay()) {
        std::fputs("qel needs a display: run it on a desktop, or under xvfb-run\n", stderr);
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QEL"));
    qel::applyAppearance(application);

    StandardErrorMessages messages; // outlives the application that tells it
    qel::CQelApp qel;
    if (!options.print.isEmpty()) {
        qel.ide().host.messageRecorder = &messages;
        if (!qel.mainFrame().openFile(options.print))
            return 1;
        const qel::Result<QString> pdf = qel::printWholeListing(qel.ide(), options.print);
        if (!pdf) {
            qel::tellCannotPrint(messages, pdf.failureText());
            return 1;
        }
        if (!pdf->isEmpty())
            std::printf("%s\n", qPrintable(qel::printedToText(*pdf)));
        return 0;
    }
    if (!qel.start(options.files))
        return 1;

    if (options.quitAfterShow || !options.screenshot.isEmpty()) {
        // Once the window has been painted: the events the showing queued are handled first.
        QTimer::singleShot(0, &application, [&] {
            QApplication::processEvents();
            if (options.quitAfterShow)
                std::printf("shown after %lld ms\n", static_cast<long long>(sinceStart.elapsed()));
            if (!options.screenshot.isEmpty() && !qel.mainFrame().grab().save(options.screenshot)) {
                std::fprintf(stderr, "qel: cannot write %s\n", qPrintable(options.screenshot));
                QApplication::exit(1);
                return;
            }
            QApplication::exit(0);
        });
    }
    return QApplication::exec();
}
