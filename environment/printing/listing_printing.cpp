#include "environment/printing/listing_printing.h"

#include "environment/program_view/view_model.h"
#include "program/host.h"
#include "program/program.h"
#include "runtime/latin1.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPainter>
#include <QVBoxLayout>

namespace qel {

namespace {

// The sections in printing order, with their flags.
constexpr uint32_t kPrintOrder[] = {kInitialise, kPaint, kKeyboard, kTimer, kMouse};
constexpr int kPointsPerLevel = 40;

} // namespace

uint8_t printFlagOf(uint32_t section)
{
    switch (section) {
    case kInitialise: return kPrintInitialise;
    case kPaint: return kPrintPaint;
    case kKeyboard: return kPrintKeyboard;
    case kTimer: return kPrintTimer;
    case kMouse: return kPrintMouse;
    default: return 0;
    }
}

std::vector<int> printLevels(const Program& program, uint32_t section)
{
    std::vector<int> levels;
    int level = 0;
    for (const ProgramLine& line : program.sections[section].lines) {
        level = std::max(0, level + indentBefore(line.type) / kIndentStep);
        levels.push_back(level);
        level = std::max(0, level + indentAfter(line.type) / kIndentStep);
    }
    return levels;
}

int paintListingPages(QPainter& painter, QPaintDevice& device, const Program& program, uint8_t sections,
                      const std::function<bool()>& newPage)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, 10 * device.logicalDpiY() / 72));
    painter.setFont(font);
    const int levelWidth = kPointsPerLevel * device.logicalDpiX() / 72;
    const QRect page(0, 0, device.width(), device.height());
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    int pages = 1;
    int top = 0;
    for (uint32_t section : kPrintOrder) {
        if (!(sections & printFlagOf(section)))
            continue;
        const std::vector<int> levels = printLevels(program, section);
        const auto& lines = program.sections[section].lines;
        for (size_t k = 0; k < lines.size(); ++k) {
            // An empty line prints as one blank, so it still takes its row.
            const QString text = lines[k].text.empty() ? QStringLiteral(" ") : toQString(lines[k].text);
            const int left = std::min(levels[k] * levelWidth, page.width() / 2);
            QRect area(left, top, page.width() - left, page.height() - top);
            QRect needed = painter.boundingRect(area, flags, text);
            // A line that would reach the page's bottom goes whole to the next page; one taller
            // than a whole page is printed anyway, cut at the bottom.
            if (needed.bottom() >= page.height() && top > 0) {
                if (!newPage())
                    return pages;
                ++pages;
                top = 0;
                area = QRect(left, 0, page.width() - left, page.height());
                needed = painter.boundingRect(area, flags, text);
            }
            painter.drawText(area, flags, text);
            top = needed.bottom() + 1;
        }
    }
    return pages;
}

std::optional<uint8_t> askPrintSections(QWidget* parent, MessageHost& messages)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QCoreApplication::translate("qel", "Print Sections"));
    auto* layout = new QVBoxLayout(&dialog);
    const std::pair<const char*, uint8_t> boxes[] = {
        {QT_TRANSLATE_NOOP("qel", "&Initialise Section"), kPrintInitialise},
        {QT_TRANSLATE_NOOP("qel", "&Keyboard Section"), kPrintKeyboard},
        {QT_TRANSLATE_NOOP("qel", "&Timer Section"), kPrintTimer},
        {QT_TRANSLATE_NOOP("qel", "&Mouse Section"), kPrintMouse},
        {QT_TRANSLATE_NOOP("qel", "&Paint Section"), kPrintPaint},
    };
    std::vector<std::pair<QCheckBox*, uint8_t>> checks;
    for (const auto& [label, flag] : boxes) {
        auto* box = new QCheckBox(QCoreApplication::translate("qel", label));
        layout->addWidget(box);
        checks.emplace_back(box, flag);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    uint8_t chosen = 0;
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        chosen = 0;
        for (const auto& [box, flag] : checks)
            if (box->isChecked())
                chosen |= flag;
        if (chosen == 0) {
            messages.showNotice(kNoSectionsSelected, Icon::Information);
            return;
        }
        dialog.accept();
    });
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return chosen;
}

} // namespace qel
