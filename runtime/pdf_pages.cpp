#include "runtime/pdf_pages.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace qel {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kInsetMm = 0.5;

} // namespace

PdfPages::PdfPages(QString folder, PageFormat format) : folder_(std::move(folder)), format_(format) {}

PdfPages::~PdfPages() { abortDocument(); }

void drawPageImage(QPainter& painter, double dots, const QImage& page)
{
    const double inset = kInsetMm / kMmPerInch * dots;
    const double scaleX = page.dotsPerMeterX() > 0 ? dots / (page.dotsPerMeterX() * kMmPerInch / 1000.0) : 1.0;
    const double scaleY = page.dotsPerMeterY() > 0 ? dots / (page.dotsPerMeterY() * kMmPerInch / 1000.0) : 1.0;
    painter.drawImage(QRectF(inset, inset, page.width() * scaleX, page.height() * scaleY), page);
}

QString pdfFileFor(const QString& folder, const QString& stem, const QDateTime& time)
{
    const QDir dir(folder.isEmpty() ? QDir::currentPath() : folder);
    const QString base = stem + '-' + time.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = dir.filePath(base + ".pdf");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(base + '-' + QString::number(n) + ".pdf");
    return path;
}

QString PdfPages::fileFor(const QString& folder, const std::string& programPath, const QDateTime& time)
{
    const QFileInfo program(QFile::decodeName(programPath.c_str()));
    QString dir = folder;
    if (dir.isEmpty() && !programPath.empty())
        dir = program.absolutePath();
    return pdfFileFor(dir, programPath.empty() ? QStringLiteral("QEL") : program.completeBaseName(), time);
}

bool PdfPages::beginDocument(const std::string& programPath)
{
    abortDocument();
    path_ = fileFor(folder_, programPath, QDateTime::currentDateTime());
    writer_ = std::make_unique<QPdfWriter>(path_);
    writer_->setTitle(QStringLiteral("QEL"));
    writer_->setCreator(QStringLiteral("QEL"));
    writer_->setResolution(format_.dotsPerInchY);
    writer_->setPageSize(QPageSize(QSizeF(format_.widthMm, format_.heightMm), QPageSize::Millimeter));
    writer_->setPageMargins(QMarginsF(0, 0, 0, 0));
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(writer_.get())) {
        abortDocument();
        return false;
    }
    pages_ = 0;
    return true;
}

bool PdfPages::printPage(const QImage& page)
{
    if (!painter_ || (pages_ > 0 && !writer_->newPage()))
        return false;
    // The writer's own units are its dots; the image keeps its size at its own resolution.
    drawPageImage(*painter_, writer_->resolution(), page);
    ++pages_;
    return true;
}

bool PdfPages::endDocument()
{
    if (!painter_)
        return false;
    const bool ended = painter_->end();
    painter_.reset();
    writer_.reset(); // the file is complete once the writer is gone
    const bool stored = ended && QFileInfo(path_).size() > 0;
    if (stored && written)
        written(path_, pages_);
    return stored;
}

void PdfPages::abortDocument()
{
    if (!painter_ && !writer_)
        return;
    if (painter_ && painter_->isActive())
        painter_->end();
    painter_.reset();
    writer_.reset();
    QFile::remove(path_);
}

} // namespace qel
