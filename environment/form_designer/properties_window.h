#pragma once
// The designer's properties window, "Form Configuration": the list of the form's objects at the
// top, a button per page ("Properties", "Events"), the rows of the current object's page, and the
// help text of the selected row at the bottom. A double-click (or Enter) on a row opens its editor:
// an edit box or a drop-down list over the value, the colour dialog or the bitmap file dialog. A new
// value passes the row's range and, for the Name row, the renaming rule before the designer stores
// it through the PropertyTarget; a refused value leaves the row as it was.

#include "base/translatable.h"
#include "forms/property_rows.h"

#include <QColor>
#include <QWidget>
#include <QtGlobal>

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;

namespace qel {

class MessageHost;
class PropertyGrid;
class PropertyTarget;

inline constexpr const char* kPropertiesWindowTitle = QT_TRANSLATE_NOOP("qel", "Form Configuration");
inline constexpr const char* kPropertiesPage = QT_TRANSLATE_NOOP("qel", "Properties");
inline constexpr const char* kEventsPage = QT_TRANSLATE_NOOP("qel", "Events");
// A name typed into the object list that no object has.
inline constexpr std::string_view kObjectNotFound = QT_TRANSLATE_NOOP("qel", "Unable to find the requested object");
// A value with a character beyond Latin-1, which a form cannot hold: refused.
inline constexpr std::string_view kOnlyLatin1 =
    QT_TRANSLATE_NOOP("qel", "Only Latin-1 characters can be stored in a form");

class CPropertiesWindow : public QWidget {
    Q_OBJECT
public:
    // The window calls the target only while the user works it, never while it is being destroyed,
    // so the designer that is its target may hold it as a child.
    CPropertiesWindow(PropertyTarget& target, MessageHost& messages, QWidget* parent = nullptr);
    ~CPropertiesWindow() override;

    // Rebuilds the pages and rows for the target's current object, on its first page with no row
    // selected, and refills the object list. The designer calls it whenever the current object
    // changes or objects come or go (added, deleted, pasted, undone, a form opened or new).
    void showObject();
    // Shows the current values of the rows and the names in the list again, after the designer
    // changed them itself (a drag, arrow keys, undo). The page and the selected row stay.
    void refreshValues();

    void setPage(int page);
    int page() const { return page_; }
    int pageCount() const { return pageCount_; }
    // Applies a value to a row of the current page as if it had been typed there: false when it
    // is refused.
    bool applyValue(int row, const QString& value);

    PropertyGrid* grid() const { return grid_; }
    QComboBox* objectList() const { return objectList_; }
    QPushButton* pageButton(int page) const { return pageButtons_.at(static_cast<size_t>(page)); }
    QPlainTextEdit* helpControl() const { return help_; }
    // The open in-place editor (a QLineEdit or a QComboBox), or none.
    QWidget* editor() const { return editor_; }

    // Replace the colour dialog (nothing when cancelled) and the bitmap file dialog (an empty name
    // when cancelled); tests do.
    std::function<std::optional<QColor>(const QColor& initial)> chooseColour;
    std::function<QString(const QString& current)> chooseBitmapFile;

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const PropertyRow& row(int index) const { return rows_[page_].at(static_cast<size_t>(index)); }
    void fillObjectList();
    // Marks the rows whose values are wrong (an event naming no function).
    void markRows();
    std::optional<Notice> rowWarning(int row) const;
    void chooseTypedObject();
    void selectRow(int row);
    void openEditor(int row);
    void commitEditor();
    void closeEditor();
    QString shownValue(const PropertyRow& row) const;

    PropertyTarget& target_;
    MessageHost& messages_;
    QComboBox* objectList_;
    std::vector<QPushButton*> pageButtons_;
    PropertyGrid* grid_;
    QScrollArea* rowArea_;
    QPlainTextEdit* help_;
    QWidget* editor_ = nullptr;
    int editorRow_ = -1;
    std::vector<PropertyRow> rows_[2];
    int16_t shownType_ = -1;
    int page_ = 0;
    int pageCount_ = 1;
};

} // namespace qel
