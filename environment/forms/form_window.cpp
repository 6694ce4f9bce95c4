#include "environment/forms/form_window.h"

#include "environment/forms/form_painter.h"
#include "runtime/latin1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace qel {

namespace {

constexpr int kMaxSide = 4096;
constexpr int kCheckBoxWidth = 14, kCheckBoxHeight = 15;
constexpr std::string_view kTrue = "True";

// A check box whose mark only the form turns (a click inverts it before the function runs).
class FormCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {}
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
    setWindowTitle(kFormWindowTitle);
    setAttribute(Qt::WA_OpaquePaintEvent); // the background covers every pixel
    form_->setView(this);
}

CORXFormWnd::~CORXFormWnd()
{
    if (!closing_)
        form_->viewDestroyed(); // the window went first (its parent closed): the form closes too
}

QWidget* CORXFormWnd::controlWidget(size_t index) const { return index < widgets_.size() ? widgets_[index] : nullptr; }

QWidget* CORXFormWnd::frame()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        return sub;
    return this;
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
    if (QWidget* outer = frame(); outer != this)
        outer->adjustSize();
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

QWidget* CORXFormWnd::makeControl(size_t index)
{
    const ControlState& c = form_->control(index);
    QWidget* w = nullptr;
    switch (c.kind) {
    case ControlKind::Button: {
        auto* button = new QPushButton(this);
        connect(button, &QPushButton::clicked, this, [this, index] { form_->click(index); });
        w = button;
        break;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(this);
        connect(edit, &QLineEdit::textEdited, this,
                [this, index](const QString& text) { form_->editText(index, fromQString(text)); });
        w = edit;
        break;
    }
    case ControlKind::CheckBox: {
        auto* check = new FormCheckBox(this);
        connect(check, &QCheckBox::clicked, this, [this, index] { form_->click(index); });
        w = check;
        break;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(this);
        connect(combo, &QComboBox::activated, this, [this, index](int item) { form_->selectItem(index, item); });
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
                        [this, index](const QString& text) { form_->editText(index, fromQString(text)); });
            }
        }
        break;
    }
}

void CORXFormWnd::focusControl(size_t index)
{
    if (QWidget* w = controlWidget(index))
        w->setFocus(Qt::TabFocusReason);
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
    form_->closeBox();
}

bool CORXFormWnd::focusNextPrevChild(bool)
{
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
