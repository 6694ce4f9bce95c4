#include "environment/shell/main_frame_status.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include <optional>

namespace qel {

namespace {

constexpr int kLedDelayMs = 100;

QLabel* addPane(QStatusBar& bar, const QString& widest)
{
    auto* pane = new QLabel(&bar);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(widest) + 12);
    bar.addPermanentWidget(pane);
    return pane;
}

// The keyboard's indicator lights as the kernel shows them; nothing when there are none to read.
std::optional<bool> ledState(const QString& suffix)
{
    const QDir leds(QStringLiteral("/sys/class/leds"));
    if (!leds.exists())
        return std::nullopt;
    const QStringList names = leds.entryList({QStringLiteral("*::") + suffix}, QDir::Dirs | QDir::NoDotAndDotDot);
    if (names.isEmpty())
        return std::nullopt;
    bool on = false;
    for (const QString& name : names) {
        QFile brightness(leds.filePath(name + QStringLiteral("/brightness")));
        if (brightness.open(QIODevice::ReadOnly))
            on = on || brightness.readAll().trimmed().toInt() > 0;
    }
    return on;
}

} // namespace

StatusPanes::StatusPanes(QStatusBar& bar) : QObject(&bar)
{
    section_ = addPane(bar, QStringLiteral("Initialise - 0000"));
    capsPane_ = addPane(bar, tr("CAP"));
    numPane_ = addPane(bar, tr("NUM"));
    readLeds();
    show();
    qApp->installEventFilter(this);
}

void StatusPanes::setSectionText(const QString& text) { section_->setText(text); }

QString StatusPanes::sectionText() const { return section_->text(); }

bool StatusPanes::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat())
        return false;
    const bool wasCaps = caps_, wasNum = num_;
    if (key->key() == Qt::Key_CapsLock || key->key() == Qt::Key_NumLock) {
        if (ledsKnown_) {
            // The light changes a moment after the key press arrives.
            QTimer::singleShot(kLedDelayMs, this, [this] {
                readLeds();
                show();
            });
        } else if (key->key() == Qt::Key_CapsLock) {
            caps_ = !caps_;
        } else {
            num_ = !num_;
        }
    } else if (!ledsKnown_) {
        // Without indicator lights to read, what a key types tells the state: a capital letter
        // without Shift (or a small one with it) means Caps Lock is on; a digit from the keypad
        // means Num Lock is on, a keypad movement key that it is off.
        const QString text = key->text();
        const bool shift = key->modifiers() & Qt::ShiftModifier;
        if (text.size() == 1 && text[0].isLetter() && text[0].toUpper() != text[0].toLower())
            caps_ = text[0].isUpper() != shift;
        if (key->modifiers() & Qt::KeypadModifier) {
            if (text.size() == 1 && text[0].isDigit())
                num_ = true;
            else if (text.isEmpty() && key->key() >= Qt::Key_Home && key->key() <= Qt::Key_PageDown)
                num_ = false;
        }
    }
    if (caps_ != wasCaps || num_ != wasNum)
        show();
    return false;
}

void StatusPanes::readLeds()
{
    const auto caps = ledState(QStringLiteral("capslock"));
    const auto num = ledState(QStringLiteral("numlock"));
    ledsKnown_ = caps.has_value() && num.has_value();
    if (caps)
        caps_ = *caps;
    if (num)
        num_ = *num;
}

void StatusPanes::show()
{
    // As on the keyboard: the indicator's text shows only while the lock is on.
    capsPane_->setText(caps_ ? tr("CAP") : QString());
    numPane_->setText(num_ ? tr("NUM") : QString());
}

} // namespace qel
