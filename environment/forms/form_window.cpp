#include "environment/forms/form_window.h"
#include "environment/look/translation.h"

#include "environment/run_window/run_recorder.h"

#include "environment/forms/form_painter.h"
#include "runtime/latin1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace qel {

namespace {

constexpr int kMaxSide = 4096;
constexpr int kCheckBoxWidth = 14, kCheckBoxHeight = 15;
constexpr std::string_view kTrue = "True";

// A check box whose mark only the form turns (a click inverts it before the function runs), drawn
// as the designer draws it.
class FormCheckBox : public QCheckBox {
public:
    FormCheckBox(const RunForm& form, size_t index, QWidget* parent) : QCheckBox(parent), form_(form), index_(index) {}

protected:
    void nextCheckState() override {}
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        paintCheckBox(p, form_.objects()[index_], isChecked(), isEnabled());
        if (hasFocus()) {
            p.setPen(QPen(Qt::black, 0, Qt::DotLine));
            p.drawRect(2, 2, 8, 8);
        }
    }

private:
    const RunForm& form_;
    size_t index_;
};

// A scroll area as large as the form it holds, frame and all; the frame around it bounds it.
class FormScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override
    {
        const int edges = 2 * frameWidth();
        return (widget() ? widget()->size() : QSize()) + QSize(edges, edges);
    }
};

int clampSide(uint32_t side) { return static_cast<int>(std::min<uint32_t>(side, kMaxSide)); }

Qt::Alignment alignmentOf(const std::string& align)
{
    if (align.find("Centre") != std::string::npos)
        return Qt::AlignHCenter | Qt::AlignVCenter;
    if (align.find("Right") != std::string::npos)
        return Qt::AlignRight | Qt::AlignVCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// The 3-D edge of an edit box: "Sunken" from the designer, "True" once set at run time.
bool hasSunkenEdge(const FormObject& o) { return o.sunken == "Sunken" || o.sunken == kTrue; }

} // namespace

CORXFormWnd::CORXFormWnd(std::shared_ptr<RunForm> form, QWidget* parent) : QWidget(parent), form_(std::move(form))
{
    setWindowTitle(translated(kFormWindowTitle));
    setAttribute(Qt::WA_OpaquePaintEvent); // the background covers every pixel
    form_->setView(this);
}

CORXFormWnd::~CORXFormWnd()
{
    if (!closing_)
        form_->viewDestroyed(); // the window went first (its parent closed): the form closes too
}

QWidget* CORXFormWnd::controlWidget(size_t index) const { return index < widgets_.size() ? widgets_[index] : nullptr; }

QWidget* CORXFormWnd::putInScrollArea()
{
    auto* area = new FormScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus); // the form's controls take the focus, not the area
    area->setWidget(this);
    return area;
}

QScrollArea* CORXFormWnd::scrollArea() const
{
    return parentWidget() ? qobject_cast<QScrollArea*>(parentWidget()->parentWidget()) : nullptr;
}

QWidget* CORXFormWnd::frame()
{
    QWidget* outer = scrollArea() ? static_cast<QWidget*>(scrollArea()) : this;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(outer->parentWidget()))
        return sub;
    return outer;
}

void CORXFormWnd::titleChanged()
{
    setWindowTitle(toQString(form_->caption()));
    if (frame() != this)
        frame()->setWindowTitle(windowTitle());
}

QSize CORXFormWnd::sizeHint() const
{
    if (form_->objects().empty())
        return QWidget::sizeHint();
    const FormObject& f = form_->objects()[0];
    return {std::max(1, clampSide(f.width)), std::max(1, clampSide(f.height))};
}

void CORXFormWnd::sizeChanged()
{
    // The client area takes the form's size; the frame around it keeps its own margins.
    resize(sizeHint());
    if (QWidget* outer = frame(); outer != this) {
        outer->adjustSize();
        fitFrame();
    }
}

void CORXFormWnd::fitFrame()
{
    // A frame larger than the workspace (or the screen) is made to fit it, moved up and left as far
    // as needed, so that its title bar and close box can be reached; the form scrolls inside.
    QWidget* outer = frame();
    QRect room;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(outer)) {
        if (!sub->mdiArea())
            return;
        room = sub->mdiArea()->viewport()->rect();
    } else if (outer->isWindow() && outer->screen()) {
        room = outer->screen()->availableGeometry();
        const QSize decoration = outer->frameGeometry().size() - outer->size();
        room.adjust(0, 0, -decoration.width(), -decoration.height());
    }
    if (room.isEmpty())
        return;
    const QSize size = outer->size().boundedTo(room.size());
    const QPoint at(std::clamp(outer->x(), room.left(), room.right() + 1 - size.width()),
                    std::clamp(outer->y(), room.top(), room.bottom() + 1 - size.height()));
    outer->setGeometry(QRect(at, size));
}

QRect CORXFormWnd::controlRect(size_t index) const
{
    const FormObject& o = form_->objects()[index];
    QRect r(o.offsetX, o.offsetY, clampSide(o.width), clampSide(o.height));
    if (o.objectType == object_type::kCheckBox)
        r.setSize({kCheckBoxWidth, kCheckBoxHeight});
    else if (o.objectType == object_type::kEdit && !hasSunkenEdge(o))
        r.adjust(1, 1, -1, -1); // inside the plain border the form draws
    return r;
}

void CORXFormWnd::click(size_t index)
{
    if (recorder_)
        recorder_->form(form_->caption(), FormAction::Click, form_->objects()[index].name);
    form_->click(index);
}

void CORXFormWnd::type(size_t index, const std::string& text)
{
    if (recorder_)
        recorder_->form(form_->caption(), FormAction::Type, form_->objects()[index].name, text);
    form_->editText(index, text);
}

void CORXFormWnd::select(size_t index, int item)
{
    const std::vector<ComboItem>& items = form_->control(index).items;
    if (recorder_ && item >= 0 && static_cast<size_t>(item) < items.size())
        recorder_->form(form_->caption(), FormAction::Select, form_->objects()[index].name,
                        items[static_cast<size_t>(item)].text);
    form_->selectItem(index, item);
}

QWidget* CORXFormWnd::makeControl(size_t index)
{
    const ControlState& c = form_->control(index);
    QWidget* w = nullptr;
    switch (c.kind) {
    case ControlKind::Button: {
        auto* button = new QPushButton(this);
        connect(button, &QPushButton::clicked, this, [this, index] { click(index); });
        w = button;
        break;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(this);
        connect(edit, &QLineEdit::textEdited, this,
                [this, index](const QString& text) { type(index, fromQString(text)); });
        w = edit;
        break;
    }
    case ControlKind::CheckBox: {
        auto* check = new FormCheckBox(*form_, index, this);
        connect(check, &QCheckBox::clicked, this, [this, index] { click(index); });
        w = check;
        break;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(this);
        connect(combo, &QComboBox::activated, this, [this, index](int item) { select(index, item); });
        w = combo;
        break;
    }
    case ControlKind::None:
    case ControlKind::Image: return nullptr;
    }
    w->setFocusPolicy(Qt::StrongFocus);
    w->installEventFilter(this);
    widgets_[index] = w;
    for (ControlChange what :
         {ControlChange::Style, ControlChange::Items, ControlChange::Text, ControlChange::Check,
          ControlChange::Selection, ControlChange::Geometry, ControlChange::Enabled, ControlChange::Visible})
        updateControl(index, what);
    return w;
}

void CORXFormWnd::controlsCreated()
{
    widgets_.assign(form_->objects().size(), nullptr);
    images_.assign(form_->objects().size(), QImage());
    setUpdatesEnabled(false); // one paint for all of them
    for (size_t k = 1; k < widgets_.size(); ++k)
        if (form_->control(k).exists)
            makeControl(k);
    setUpdatesEnabled(true);
}

void CORXFormWnd::controlChanged(size_t index, ControlChange what)
{
    if (controlWidget(index))
        updateControl(index, what);
    if (what == ControlChange::Style || what == ControlChange::Geometry)
        update(); // a plain edit border is the form's to draw
}

void CORXFormWnd::updateControl(size_t index, ControlChange what)
{
    QWidget* w = widgets_[index];
    const FormObject& o = form_->objects()[index];
    const ControlState& c = form_->control(index);
    auto* edit = qobject_cast<QLineEdit*>(w);
    auto* combo = qobject_cast<QComboBox*>(w);
    switch (what) {
    case ControlChange::Geometry: w->setGeometry(controlRect(index)); break;
    case ControlChange::Enabled: w->setEnabled(c.enabled); break;
    case ControlChange::Visible: w->setVisible(o.visible == kTrue); break;
    case ControlChange::Check:
        if (auto* check = qobject_cast<QCheckBox*>(w))
            check->setChecked(c.checked);
        break;
    case ControlChange::Text:
        if (auto* button = qobject_cast<QPushButton*>(w))
            button->setText(toQString(o.caption));
        if (edit && edit->text() != toQString(c.text))
            edit->setText(toQString(c.text));
        if (combo && combo->isEditable() && combo->currentText() != toQString(c.text))
            combo->setEditText(toQString(c.text));
        break;
    case ControlChange::Items:
        if (combo) {
            combo->clear();
            for (const ComboItem& item : c.items)
                combo->addItem(toQString(item.text), item.value);
            combo->setCurrentIndex(-1);
            const int rows = static_cast<int>(o.height2 / std::max(1, combo->fontMetrics().height() + 2));
            combo->setMaxVisibleItems(std::max(1, rows));
        }
        break;
    case ControlChange::Selection:
        if (combo) {
            combo->setCurrentIndex(c.selected);
            if (combo->isEditable())
                combo->setEditText(toQString(c.text));
        }
        break;
    case ControlChange::Style:
        if (qobject_cast<QCheckBox*>(w))
            w->update(); // flat or sunken
        if (edit) {
            edit->setAlignment(alignmentOf(o.textAlign));
            edit->setFrame(hasSunkenEdge(o));
            edit->setGeometry(controlRect(index));
        }
        if (combo && combo->isEditable() != (o.v1Style != kTrue)) {
            // A line edit of our own costs a third of what setEditable makes.
            if (o.v1Style != kTrue)
                combo->setLineEdit(new QLineEdit);
            else
                combo->setEditable(false);
            if (QLineEdit* line = combo->lineEdit()) {
                combo->setCompleter(nullptr); // typing is the user's, not completed to an item
                line->installEventFilter(this);
                connect(line, &QLineEdit::textEdited, this,
                        [this, index](const QString& text) { type(index, fromQString(text)); });
            }
        }
        break;
    }
}

void CORXFormWnd::focusControl(size_t index)
{
    QWidget* w = controlWidget(index);
    if (!w)
        return;
    w->setFocus(Qt::TabFocusReason);
    if (QScrollArea* area = scrollArea())
        area->ensureWidgetVisible(w);
}

void CORXFormWnd::focusReturned(size_t index)
{
    // Not when the function has sent the focus to another window (a form it opened).
    const QWidget* now = QApplication::focusWidget();
    if (!now || isAncestorOf(now))
        focusControl(index);
}

void CORXFormWnd::repaint() { update(); }

void CORXFormWnd::shown()
{
    frame()->show();
    frame()->raise();
    if (const std::optional<size_t> focused = form_->focused())
        focusControl(*focused);
}

void CORXFormWnd::closed()
{
    // Called from inside the form's own events too: the window hides now and goes once they return.
    closing_ = true;
    QWidget* outer = frame();
    outer->hide();
    outer->deleteLater();
}

void CORXFormWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintFormBackground(p, form_->objects(), rect());
    for (size_t k : form_->paintOrder()) {
        const FormObject& o = form_->objects()[k];
        if (o.objectType == object_type::kImage)
            paintImage(p, o, imageOf(k));
        else
            paintShape(p, o);
    }
    for (size_t k = 1; k < widgets_.size(); ++k)
        if (widgets_[k] && qobject_cast<QLineEdit*>(widgets_[k]) && widgets_[k]->isVisible() &&
            !hasSunkenEdge(form_->objects()[k]))
            paintPlainBorder(p, controlRect(k).adjusted(-1, -1, 1, 1));
}

const QImage& CORXFormWnd::imageOf(size_t index)
{
    static const QImage none;
    if (index >= images_.size())
        return none;
    if (images_[index].isNull())
        if (const std::shared_ptr<const DecodedBitmap>& bitmap = form_->control(index).bitmap)
            images_[index] = toFormImage(*bitmap);
    return images_[index];
}

void CORXFormWnd::closeEvent(QCloseEvent* event)
{
    if (closing_) {
        event->accept();
        return;
    }
    // The form decides: at once, or when its running function returns.
    event->ignore();
    if (recorder_)
        recorder_->form(form_->caption(), FormAction::Close);
    form_->closeBox();
}

bool CORXFormWnd::focusNextPrevChild(bool)
{
    // Qt asks here too when it disables the control that has the focus, as the form does with every
    // control while its function runs: the focus then stays where the user put it.
    if (form_->requestDepth() == 0)
        form_->tabPressed(); // Shift+Tab is not told apart
    return true;
}

bool CORXFormWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        for (size_t k = 0; k < widgets_.size(); ++k)
            if (widgets_[k] && (widgets_[k] == watched || widgets_[k]->isAncestorOf(qobject_cast<QWidget*>(watched))))
                form_->focusGained(k);
    return QWidget::eventFilter(watched, event);
}

} // namespace qel
