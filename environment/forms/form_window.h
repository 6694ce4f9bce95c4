#pragma once
// The window of a run-time form: real controls for buttons, edit boxes, checkboxes and combo boxes,
// the drawn shapes painted by layer, and what the user does handed to the form's model (RunForm),
// whose notices keep the controls in step. The window goes when the model says the form is closed;
// its close box only asks the model.

#include "forms/run_form.h"

#include <QImage>
#include <QScrollArea>
#include <QWidget>
#include <QtGlobal>

#include <memory>
#include <vector>

namespace qel {

class RunRecorder;

// Texts an image object shows in place of its picture.
inline constexpr const char* kImageWithoutFile = "image";
inline constexpr const char* kImageLoadFailed = "Failed to load image";
// The title of a form window before its file is read.
inline constexpr const char* kFormWindowTitle = QT_TRANSLATE_NOOP("qel", "Form");

class CORXFormWnd : public QWidget, public FormView {
    Q_OBJECT
public:
    explicit CORXFormWnd(std::shared_ptr<RunForm> form, QWidget* parent = nullptr);
    ~CORXFormWnd() override;

    RunForm& form() const { return *form_; }
    // Where what the user does to the form is recorded (none: not recorded).
    void setRecorder(RunRecorder* recorder) { recorder_ = recorder; }
    // The window of an object's control; nullptr when it has none.
    QWidget* controlWidget(size_t index) const;
    // Puts the window in a scroll area, made for it, and returns that area for the caller to place: a
    // form larger than the room it has then scrolls.
    QWidget* putInScrollArea();
    // The MDI frame around the window, or the window (or its scroll area) when it stands alone.
    QWidget* frame();

    void titleChanged() override;
    void sizeChanged() override;
    void controlsCreated() override;
    void controlChanged(size_t index, ControlChange what) override;
    void focusControl(size_t index) override;
    void focusReturned(size_t index) override;
    void repaint() override;
    void shown() override;
    void closed() override;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The user's click, typing and choice, recorded when the run is, then given to the form.
    void click(size_t index);
    void type(size_t index, const std::string& text);
    void select(size_t index, int item);
    QWidget* makeControl(size_t index);
    void updateControl(size_t index, ControlChange what);
    QRect controlRect(size_t index) const;
    QScrollArea* scrollArea() const;
    void fitFrame();
    const QImage& imageOf(size_t index);

    std::shared_ptr<RunForm> form_;
    RunRecorder* recorder_ = nullptr;
    std::vector<QWidget*> widgets_; // by object index
    std::vector<QImage> images_;    // decoded pictures of image objects, made on first paint
    bool closing_ = false;
};

} // namespace qel
