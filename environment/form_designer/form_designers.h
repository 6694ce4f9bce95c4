#pragma once
// The designer windows of the main window: at most ten, each in the MDI area; the one preview
// window that "Show form" and the Form PreView command open; and closing them all when QEL quits,
// each changed form asking first.

#include "base/translatable.h"
#include "environment/forms/form_window.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <string_view>
#include <vector>

class QMdiArea;
class QWidget;

namespace qel {

class CFormsEditForm;
class MessageHost;
class RecentFileList;

inline constexpr int kMaxDesigners = 10;
inline constexpr const char* kTooManyDesigners =
    QT_TRANSLATE_NOOP("qel", "You have reached the limit on the number of forms that may be open");
inline constexpr const char* kWindowFailed = QT_TRANSLATE_NOOP("qel", "Failed to open window.");
inline constexpr const char* kFormExecuteFailed = QT_TRANSLATE_NOOP("qel", "Failed to excecute form");

class FormDesigners : public QObject {
    Q_OBJECT
public:
    FormDesigners(QMdiArea& area, MessageHost& host, QObject* parent = nullptr);
    ~FormDesigners() override;

    void setRecentFiles(RecentFileList* recent) { recent_ = recent; }

    // A new designer window with a new form; nothing (after saying why) when ten are open.
    CFormsEditForm* openDesigner();
    // Asks for a form file and shows it as it will run, its events only saying what they would call.
    bool previewForm();
    bool showPreview(const QString& path);
    CORXFormWnd* preview() const { return preview_; }

    // The open designer windows, oldest first.
    std::vector<CFormsEditForm*> designers() const;
    // Closes every designer window, each changed form asking first; false when one stays open.
    bool closeAll();

    // How the Form PreView command asks for a file; replaced by tests.
    std::function<QString()> chooseFile;
    // Whether the program has a function of a name: designers warn about events naming none.
    std::function<bool(std::string_view)> functionCheck;

Q_SIGNALS:
    // A designer window opened: the properties window attaches to it.
    void designerOpened(qel::CFormsEditForm* window);
    void recentFilesChanged();

private:
    void attachPropertiesWindow(CFormsEditForm& window);
    QMdiArea& area_;
    MessageHost& host_;
    RecentFileList* recent_ = nullptr;
    std::vector<QPointer<CFormsEditForm>> windows_;
    QPointer<CORXFormWnd> preview_;
};

} // namespace qel
