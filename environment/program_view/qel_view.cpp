#include "environment/program_view/qel_view.h"
#include "environment/look/translation.h"

#include "environment/program_view/find_dialogs.h"

#include "environment/ide_state.h"
#include "environment/program_view/clipboard_format.h"
#include "runtime/latin1.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QPointer>
#include <QScrollBar>
#include <QWheelEvent>

namespace qel {

namespace {

const QString kLinesFormat = toQString(kClipboardFormatName);
constexpr int kWheelStep = 120;
constexpr int kLeftButtonUpHandler = 2; // qelOnLeftButtonUp

QColor qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }

class QtClipboard final : public ClipboardAccess {
public:
    bool setLines(std::vector<uint8_t> item) override
    {
        auto* data = new QMimeData;
        data->setData(kLinesFormat,
                      QByteArray(reinterpret_cast<const char*>(item.data()), static_cast<qsizetype>(item.size())));
        QGuiApplication::clipboard()->setMimeData(data);
        return true;
    }
    std::optional<std::vector<uint8_t>> lines() override
    {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        if (!data || !data->hasFormat(kLinesFormat))
            return std::nullopt;
        const QByteArray bytes = data->data(kLinesFormat);
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    }
    bool hasLines() override
    {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data && data->hasFormat(kLinesFormat);
    }
    bool setText(std::string text) override
    {
        QGuiApplication::clipboard()->setText(toQString(text));
        return true;
    }
    bool setUtf8Text(std::string text) override
    {
        QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
        return true;
    }
};

} // namespace

CQelView::CQelView(IdeState& ide, QWidget* parent)
    : QAbstractScrollArea(parent),
      ide_(ide),
      model_(ide),
      clipboard_(std::make_unique<QtClipboard>()),
      contextMenu_(new QMenu(this)),
      font_(QStringLiteral("Arial"), 10)
{
    model_.dialogParent = this;
    model_.clipboard = clipboard_.get();
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette black = viewport()->palette();
    black.setColor(QPalette::Window, Qt::black);
    viewport()->setPalette(black);
    viewport()->setAutoFillBackground(true);

    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, 100);
    bar->setSingleStep(1);
    bar->setPageStep(10);
    connect(bar, &QAbstractSlider::actionTriggered, this, &CQelView::scrollBarAction);

    contextMenu_->addAction(tr("Toggle BreakPoint"), this, &CQelView::toggleBreakPoint);
    contextMenu_->addAction(translated(kFunctionsListTitle), this, &CQelView::functionsList);

    // Editing follows the run; Paste follows the clipboard as well.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &CQelView::editStateChanged);

    IdeHost& host = ide_.host;
    connect(&host, &IdeHost::lineShown, this, [this](uint32_t section, long line) {
        model_.showLine(section, line);
        moved();
    });
    connect(&host, &IdeHost::pausedLineMarked, this, [this](uint32_t section, long line) {
        model_.markPausedLine(section, line);
        viewport()->update();
    });
    connect(&host, &IdeHost::runStateChanged, this, &CQelView::editStateChanged);
    connect(&host, &IdeHost::runFinished, this, &CQelView::leaveRunning);
}

CQelView::~CQelView()
{
    // The windows a run opened belong to the view.
    ide_.host.destroyRunTimeWindow();
}

bool CQelView::canEdit() const { return !ide_.running(); }
bool CQelView::canPaste() const { return canEdit() && model_.canPaste(); }
bool CQelView::canContinue() const { return ide_.paused(); }
QString CQelView::sectionPaneText() const { return toQString(model_.sectionPaneText()); }

// After a movement: the scroll bar follows the top line, the rows are repainted and the status bar
// shows the current line.
void CQelView::moved()
{
    {
        QSignalBlocker quiet(verticalScrollBar());
        verticalScrollBar()->setValue(model_.scrollPosition());
    }
    viewport()->update();
    if (!ide_.running())
        Q_EMIT sectionPaneChanged(sectionPaneText());
}

// After an editing command. Every change marks the document modified, Delete, Cut and Paste
// included, so that closing asks before such changes are lost.
void CQelView::edited(bool changed)
{
    if (changed)
        Q_EMIT documentModified();
    moved();
}

void CQelView::insertAfter() { insertAfterTyped(0); }

void CQelView::insertAfterTyped(char letter)
{
    if (!canEdit())
        return;
    const bool changed = model_.insertAfter(letter);
    if (changed)
        dragSuppressed_ = true; // the click that closed the dialog
    edited(changed);
}

void CQelView::append()
{
    if (canEdit())
        edited(model_.append());
}

void CQelView::editCurrentLine()
{
    if (canEdit())
        edited(model_.editCurrentLine());
}

void CQelView::deleteLines()
{
    if (canEdit())
        edited(model_.deleteLines());
}

void CQelView::cut()
{
    if (canEdit())
        edited(model_.cut());
}

void CQelView::copy()
{
    if (!canEdit())
        return;
    model_.copy();
    moved();
}

void CQelView::paste()
{
    if (canEdit())
        edited(model_.paste());
}

void CQelView::copyAllCode()
{
    if (canEdit())
        model_.copyAllCode();
}

void CQelView::copyAsText()
{
    if (canEdit())
        model_.copyAsText();
}

void CQelView::showSection(uint32_t section)
{
    model_.showSection(section);
    moved();
}

void CQelView::find()
{
    CFindInCode dialog(this);
    const bool ok = dialog.exec() == QDialog::Accepted;
    // Cancel, like an empty field, forgets the text, so Find Next then does nothing.
    model_.find(ok ? fromQString(dialog.text()) : std::string());
    moved();
}

void CQelView::findNext()
{
    model_.findNext();
    moved();
}

void CQelView::functionsList()
{
    CFunctionsList dialog(qel::functionsList(ide_.program), this);
    dialog.exec();
    if (const std::optional<LineCursor> declaration = dialog.chosen()) {
        model_.showLine(declaration->section, declaration->index);
        suppressDrag();
    }
    moved();
}

void CQelView::toggleBreakPoint()
{
    model_.toggleBreakPoint();
    viewport()->update();
}

void CQelView::run()
{
    if (!canEdit() || starting_)
        return;
    model_.profileShown = false;
    model_.discardProfile();
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Input already queued (the key that chose Run, a pending repaint) is handled first.
    QPointer<CQelView> self(this);
    starting_ = true;
    QCoreApplication::processEvents();
    if (!self)
        return;
    starting_ = false;
    if (canEdit())
        startRun(false);
}

void CQelView::profiledRun()
{
    if (!canEdit() || starting_)
        return;
    model_.profileShown = true;
    model_.discardProfile();
    startRun(true);
}

void CQelView::setHitCounts(bool on)
{
    model_.hitCountsShown = on;
    viewport()->update();
}

void CQelView::startRun(bool profiled)
{
    viewport()->update();
    ide_.interpreter.startRun(profiled);
}

void CQelView::stop()
{
    if (!ide_.running())
        return;
    // A program started by the interpreter as an auto-run asks to close through runEnded itself.
    const bool closeAfter = autoRun_ && !ide_.interpreter.autoRunStarted();
    ide_.interpreter.stopRun();
    if (closeAfter)
        Q_EMIT exitRequested();
}

void CQelView::continueRun()
{
    if (!canContinue())
        return;
    if (RunRecorder* recorder = ide_.host.recorder())
        recorder->continued();
    ide_.interpreter.continueRun(); // the run's host clears the paused line's mark
    viewport()->update();
}

void CQelView::singleStep()
{
    if (!canContinue())
        return;
    if (RunRecorder* recorder = ide_.host.recorder())
        recorder->stepped();
    ide_.interpreter.singleStep();
    viewport()->update();
}

void CQelView::leaveRunning(bool closeApplication)
{
    if (autoRunPosted_)
        autoRun_ = false; // the auto-run has had its run; the listing shows if the application stays
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    moved();
    if (closeApplication)
        Q_EMIT exitRequested();
}

void CQelView::programReplaced()
{
    model_.programReplaced();
    dragSuppressed_ = true; // the click of the file chooser
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    moved();
}

void CQelView::setAutoRun(bool on)
{
    autoRun_ = on;
    autoRunPosted_ = false;
    if (!on)
        ide_.interpreter.setAutoRunStarted(false);
    viewport()->update();
}

void CQelView::postAutoRun()
{
    if (autoRunPosted_ || ide_.running())
        return;
    autoRunPosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!canEdit())
                return;
            ide_.interpreter.setAutoRunStarted(true); // stopping it closes the application
            run();
        },
        Qt::QueuedConnection);
}

void CQelView::paintEvent(QPaintEvent*)
{
    if (autoRun_) {
        postAutoRun(); // the listing of an auto-run program is never shown
        return;
    }
    QPainter painter(viewport());
    paintListing(painter, viewport()->size());
}

void CQelView::paintListing(QPainter& painter, const QSize& size)
{
    model_.setClientSize(size.width(), size.height());
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::black);
    const std::vector<RowPaint> rows = model_.paintRows();
    for (const RowPaint& row : rows)
        if (row.background != view_colour::kBackground)
            painter.fillRect(0, row.top, size.width(), kRowHeight, qcolor(row.background));

    painter.setFont(font_);
    const QFontMetrics metrics(font_);
    const int baseline = 1 + metrics.ascent();
    for (const RowPaint& row : rows) {
        if (row.outsideProfile) {
            // A dashed frame round the line's text.
            const int width = std::max(metrics.horizontalAdvance(toQString(row.text)), kIndentStep);
            painter.setPen(QPen(qcolor(view_colour::kOutsideProfile), 1, Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(row.textX - 1, row.top, width + 2, kRowHeight - 2);
        }
        if (!row.profile.empty()) {
            painter.setPen(qcolor(row.profileColour));
            painter.drawText(QPoint(kTextMargin, row.top + baseline), toQString(row.profile));
        }
        if (!row.text.empty()) {
            painter.setPen(qcolor(row.colour));
            painter.drawText(QPoint(row.textX, row.top + baseline), toQString(row.text));
        }
        if (row.underline != RowPaint::Underline::None) // a 2-pixel line on the row's bottom edge
            painter.fillRect(row.underlineX, row.top + kRowHeight - 1, size.width() - row.underlineX, 2,
                             qcolor(row.underlineColour));
    }
}

void CQelView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    model_.setClientSize(viewport()->width(), viewport()->height());
}

void CQelView::scrollContentsBy(int, int) { viewport()->update(); }

void CQelView::scrollBarAction(int action)
{
    using S = QAbstractSlider;
    using Scroll = ViewModel::Scroll;
    QScrollBar* bar = verticalScrollBar();
    switch (action) {
    case S::SliderSingleStepSub: model_.scroll(Scroll::LineUp); break;
    case S::SliderSingleStepAdd: model_.scroll(Scroll::LineDown); break;
    case S::SliderPageStepSub: model_.scroll(Scroll::PageUp); break;
    case S::SliderPageStepAdd: model_.scroll(Scroll::PageDown); break;
    case S::SliderToMinimum: model_.scroll(Scroll::Top); break;
    case S::SliderToMaximum: model_.scroll(Scroll::Bottom); break;
    case S::SliderMove:
        // The thumb stays where the user drags it.
        model_.scroll(Scroll::Thumb, bar->sliderPosition());
        viewport()->update();
        return;
    default: return;
    }
    bar->setSliderPosition(model_.scrollPosition());
    viewport()->update();
    if (!ide_.running())
        Q_EMIT sectionPaneChanged(sectionPaneText());
}

void CQelView::mousePressEvent(QMouseEvent* event)
{
    if (ide_.running() || event->button() != Qt::LeftButton)
        return;
    if (model_.pressAt(event->position().toPoint().y()))
        moved();
}

void CQelView::mouseMoveEvent(QMouseEvent* event)
{
    if (ide_.running() || !(event->buttons() & Qt::LeftButton))
        return;
    if (dragSuppressed_) {
        dragSuppressed_ = false;
        return;
    }
    if (model_.dragTo(event->position().toPoint().y()))
        moved();
}

void CQelView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        dragSuppressed_ = false;
        if (ide_.running())
            ide_.interpreter.mouseEvent(kLeftButtonUpHandler, at.x(), at.y(), false,
                                        event->buttons() & Qt::RightButton);
        return;
    }
    if (event->button() != Qt::RightButton || ide_.running())
        return;
    if (model_.rightClickAt(at.y()))
        moved();
    contextMenu_->popup(event->globalPosition().toPoint());
}

void CQelView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        editCurrentLine();
}

void CQelView::wheelEvent(QWheelEvent* event)
{
    wheelRemainder_ += event->angleDelta().y();
    const int steps = wheelRemainder_ / kWheelStep;
    wheelRemainder_ -= steps * kWheelStep;
    if (steps == 0)
        return;
    // Turning the wheel towards the user (negative) moves down the listing.
    model_.wheel(-steps, event->modifiers() & Qt::ControlModifier);
    moved();
}

void CQelView::keyPressEvent(QKeyEvent* event)
{
    using Move = ViewModel::Move;
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & Qt::AltModifier;
    const int key = event->key();

    // The cursor keys move the cursor while a program runs, too.
    const auto movement = [&]() -> std::optional<Move> {
        switch (key) {
        case Qt::Key_Up: return Move::Up;
        case Qt::Key_Down: return Move::Down;
        case Qt::Key_PageUp: return Move::PageUp;
        case Qt::Key_PageDown: return Move::PageDown;
        case Qt::Key_Home: return Move::Home;
        case Qt::Key_End: return Move::End;
        default: return std::nullopt;
        }
    }();
    if (movement) {
        model_.move(*movement, shift);
        moved();
        return;
    }
    if (key == Qt::Key_F9) {
        toggleBreakPoint();
        return;
    }
    if (!canEdit()) {
        event->ignore();
        return;
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: insertAfter(); return;
    case Qt::Key_Tab:
    case Qt::Key_F2: editCurrentLine(); return;
    case Qt::Key_Delete: shift ? cut() : deleteLines(); return;
    case Qt::Key_Insert:
        if (ctrl)
            copy();
        else if (shift)
            paste();
        return;
    default: break;
    }
    if (ctrl && !alt) {
        switch (key) {
        case Qt::Key_X: cut(); return;
        case Qt::Key_C: copy(); return;
        case Qt::Key_V: paste(); return;
        default: break;
        }
    }
    if (!ctrl && !alt && key >= Qt::Key_A && key <= Qt::Key_Z) {
        // The Add An Instruction dialog starts with the letter in its Instruction field.
        insertAfterTyped(static_cast<char>('A' + (key - Qt::Key_A)));
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

// Tab edits the current line instead of moving the focus on.
bool CQelView::focusNextPrevChild(bool) { return false; }

} // namespace qel
