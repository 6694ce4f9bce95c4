#include "environment/form_designer/form_designers.h"
#include "environment/look/translation.h"

#include "environment/editors/pickers.h"
#include "environment/form_designer/forms_edit_form.h"
#include "environment/form_designer/properties_window.h"
#include "environment/form_designer/tab_order_dialog.h"
#include "environment/forms/form_window.h"
#include "forms/form_file.h"
#include "forms/run_form.h"
#include "program/host.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace qel {

namespace {

// The corners (50, 50) and (500, 400).
const QRect kDesignerRect(QPoint(50, 50), QPoint(499, 399));

} // namespace

FormDesigners::FormDesigners(QMdiArea& area, MessageHost& host, QObject* parent)
    : QObject(parent), area_(area), host_(host)
{
    chooseFile = [this] {
        return QFileDialog::getOpenFileName(area_.window(), translated(kFormOpenTitle), QStringLiteral("."),
                                            qtFileFilter(kFormFileFilter));
    };
}

FormDesigners::~FormDesigners() = default;

std::vector<CFormsEditForm*> FormDesigners::designers() const
{
    std::vector<CFormsEditForm*> out;
    for (const QPointer<CFormsEditForm>& w : windows_)
        if (w)
            out.push_back(w);
    return out;
}

// Each designer has its properties window beside its drawing surface, following its current object;
// the Tab Order dialog shows the order over the controls while it is open.
void FormDesigners::attachPropertiesWindow(CFormsEditForm& window)
{
    auto* properties = new CPropertiesWindow(window.propertyTarget(), host_, &window);
    connect(&window, &CFormsEditForm::currentObjectChanged, properties, [properties] { properties->showObject(); });
    connect(&window, &CFormsEditForm::propertyValuesChanged, properties, [properties] { properties->refreshValues(); });
    connect(&window, &CFormsEditForm::propertiesWindowRequested, properties, [properties] {
        properties->show();
        properties->raise();
    });
    connect(&window, &CFormsEditForm::tabOrderRequested, &window, [&window] {
        window.setShowTabOrder(true);
        (void)runTabOrderDialog(window.propertyTarget(), &window);
        window.setShowTabOrder(false);
    });
    properties->showObject();
    window.setPropertiesWindow(properties);
}

CFormsEditForm* FormDesigners::openDesigner()
{
    std::erase_if(windows_, [](const QPointer<CFormsEditForm>& w) { return w.isNull(); });
    if (windows_.size() >= kMaxDesigners) {
        host_.showNotice(kTooManyDesigners, Icon::Exclamation, Buttons::Ok);
        return nullptr;
    }
    auto* window = new CFormsEditForm(host_, recent_);
    attachPropertiesWindow(*window);
    QMdiSubWindow* frame = area_.addSubWindow(window);
    if (!frame) {
        delete window;
        host_.showNotice(kWindowFailed, Icon::Exclamation, Buttons::Ok);
        return nullptr;
    }
    // The form's part keeps the window's usual size; the properties window widens it.
    frame->setGeometry(QRect(kDesignerRect.topLeft(),
                             kDesignerRect.size() + QSize(window->propertiesWindow()->sizeHint().width(), 0)));
    window->takeKeysOf(frame);
    frame->show();
    window->setFocus();
    if (functionCheck)
        window->setFunctionCheck(functionCheck);
    connect(window, &CFormsEditForm::previewRequested, this, &FormDesigners::showPreview);
    connect(window, &CFormsEditForm::recentFilesChanged, this, &FormDesigners::recentFilesChanged);
    windows_.emplace_back(window);
    Q_EMIT designerOpened(window);
    return window;
}

bool FormDesigners::previewForm()
{
    const QString path = chooseFile();
    return !path.isEmpty() && showPreview(path);
}

bool FormDesigners::showPreview(const QString& path)
{
    if (preview_)
        delete preview_->frame();
    auto form = std::make_shared<RunForm>(
        FormMode::Preview, host_, [](std::string_view) {}, QFileInfo(path).absolutePath().toStdString());
    auto* window = new CORXFormWnd(form);
    QMdiSubWindow* frame = area_.addSubWindow(window);
    frame->setGeometry(kDesignerRect);
    frame->setWindowTitle(translated(kDesignerTitle));
    preview_ = window;
    if (!form->open(path.toStdString())) {
        host_.showNotice(kFormExecuteFailed, Icon::Error, Buttons::Ok);
        delete frame;
        return false;
    }
    frame->show();
    window->setFocus();
    return true;
}

bool FormDesigners::closeAll()
{
    for (CFormsEditForm* w : designers()) {
        QWidget* frame = w->parentWidget() ? w->parentWidget() : w;
        if (!frame->close())
            return false;
    }
    if (preview_)
        delete preview_->frame();
    return true;
}

} // namespace qel
