#include "runtime/pdf_pages.h"

#include "runtime/pdf_file.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
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

QString PdfPages::stemFor(const std::string& programPath)
{
    return programPath.empty() ? QStringLiteral("QEL")
                               : QFileInfo(QFile::decodeName(programPath.c_str())).completeBaseName();
}

QString PdfPages::folderFor(const QString& folder, const std::string& programPath)
{
    if (!folder.isEmpty() || programPath.empty())
        return folder;
    return QFileInfo(QFile::decodeName(programPath.c_str())).absolutePath();
}

bool PdfPages::beginDocument(const std::string& programPath)
{
    abortDocument();
    std::string reason;
    file_ =
        PdfFile::create(folderFor(folder_, programPath), stemFor(programPath), QDateTime::currentDateTime(), reason);
    if (!file_)
        return false;
    path_ = file_->path();
    QPdfWriter* writer = &file_->writer();
    writer->setTitle(QStringLiteral("QEL"));
    writer->setCreator(QStringLiteral("QEL"));
    writer->setResolution(format_.dotsPerInchY);
    writer->setPageSize(QPageSize(QSizeF(format_.widthMm, format_.heightMm), QPageSize::Millimeter));
    writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(writer)) {
        abortDocument();
        return false;
    }
    pages_ = 0;
    reported_ = 0;
    return true;
}

void PdfPages::reportGrowth(uint64_t size)
{
    if (size > reported_ && grew)
        grew(size - reported_);
    reported_ = std::max(reported_, size);
}

bool PdfPages::printPage(const QImage& page)
{
    // A page is written out when the next one begins: a failed write shows there.
    if (!painter_ || (pages_ > 0 && !file_->writer().newPage()) || file_->failed())
        return false;
    reportGrowth(file_->size());
    // The writer's own units are its dots; the image keeps its size at its own resolution.
    drawPageImage(*painter_, file_->writer().resolution(), page);
    ++pages_;
    return true;
}

bool PdfPages::endDocument()
{
    if (!painter_)
        return false;
    const bool ended = painter_->end();
    painter_.reset();
    const uint64_t size = file_->size(); // the whole document, once its painter has ended
    std::string reason;
    const bool stored = ended && file_->finish(reason);
    file_.reset();
    if (stored)
        reportGrowth(size);
    if (stored && written)
        written(path_, pages_);
    return stored;
}

void PdfPages::abortDocument()
{
    if (painter_ && painter_->isActive())
        painter_->end();
    painter_.reset();
    file_.reset(); // an unfinished file is removed
}

} // namespace qel
