#include "app/canvas_window.h"

#include "app/headless_host.h"
#include "app/json_writer.h"
#include "app/replaced_output.h"
#include "app/tool_commands.h"
#include "instructions/timer/timer_instructions.h"
#include "runtime/gui_application.h"
#include "runtime/text_attributes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QImageReader>
#include <QImageWriter>
#include <QLibraryInfo>
#include <QPainter>
#include <QStandardPaths>

#include <algorithm>

namespace qel {

CanvasWindow::CanvasWindow(const WindowRequest& request, HeadlessHost& host)
    : canvas_(QSize(request.size.width, request.size.height)), pdf_(QFile::decodeName(request.printFolder.c_str()))
{
    // The PDF file counts against the output limit as it grows, page by page.
    pdf_.grew = [&host](uint64_t bytes) { host.countOutput(bytes); };
    pdf_.written = [&host](const QString& path, int pages) {
        host.reportPrinted(QFile::encodeName(path).toStdString(), pages);
    };
}

std::unique_ptr<HeadlessWindow> CanvasWindow::make(const WindowRequest& request, HeadlessHost& host)
{
    if (request.needsApplication)
        (void)ensureGuiApplication();
    return std::make_unique<CanvasWindow>(request, host);
}

WindowSize CanvasWindow::size() const { return {canvas_.size().width(), canvas_.size().height()}; }

void CanvasWindow::eventRunStarting() { applyTextAttributes(canvas_.target()); }

void CanvasWindow::resize(WindowSize size) { canvas_.resize(QSize(size.width, size.height)); }

WindowSize CanvasWindow::maximisedSize()
{
    const QSize size = RunCanvas::maximisedSize();
    return {size.width(), size.height()};
}

void CanvasWindow::runEnding(RunHost& host) { releaseProgramTimer(host, canvas_.state()); }

Status CanvasWindow::saveSnapshot(const std::string& path, std::unique_ptr<ReplacedOutput>& output)
{
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !canvas_.image().save(&buffer, "PNG"))
        return Failure(std::string(kCannotWrite) + path);
    if (!output)
        output = TRY(ReplacedOutput::claim(path));
    return output->save(std::span(reinterpret_cast<const uint8_t*>(png.constData()), static_cast<size_t>(png.size())));
}

std::vector<std::string> CanvasWindow::foldersAfterStart()
{
    (void)ensureGuiApplication();
    (void)QFontDatabase::families();
    QImage sample(16, 16, QImage::Format_RGB32);
    {
        QPainter painter(&sample);
        painter.drawText(0, 12, QStringLiteral("Ag"));
    }
    (void)QImageReader::supportedImageFormats();
    (void)QImageWriter::supportedImageFormats();

    std::vector<std::string> folders;
    auto add = [&folders](const QString& folder) {
        if (!folder.isEmpty())
            folders.push_back(QFile::encodeName(QDir::cleanPath(folder)).toStdString());
    };
    add(QLibraryInfo::path(QLibraryInfo::PluginsPath));
    // Font files are opened when a font is first drawn; the configuration says where they are.
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::FontsLocation))
        add(folder);
    for (const char* folder : {"/usr/share/fonts", "/usr/local/share/fonts", "/etc/fonts", "/var/cache/fontconfig"})
        add(QString::fromLatin1(folder));
    add(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/fontconfig"));
    add(QDir::homePath() + QStringLiteral("/.fonts"));
    std::sort(folders.begin(), folders.end());
    folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
    return folders;
}

} // namespace qel
