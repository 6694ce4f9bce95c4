#pragma once
// The "Tab Order" dialog: the form's controls in the order the keyboard focus visits them, each with
// its tab order, name and identifier. The arrows move the selected control up or down; OK gives the
// controls the tab orders 0, 1, ... as listed and every other object -1.

#include "forms/property_editing.h"

#include <QDialog>
#include <QtGlobal>

#include <vector>

class QPushButton;
class QToolButton;
class QTreeWidget;

namespace qel {

class PropertyTarget;

inline constexpr const char* kTabOrderTitle = QT_TRANSLATE_NOOP("qel", "Tab Order");

class CFormTabOrder : public QDialog {
    Q_OBJECT
public:
    explicit CFormTabOrder(const FormObjects& objects, QWidget* parent = nullptr);

    // The objects listed, in the list's order.
    std::vector<size_t> order() const;
    // Moves the selected row one place up or down.
    void moveSelected(bool up);

    QTreeWidget* list() const { return list_; }
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void fill();

    std::vector<TabOrderRow> rows_;
    QTreeWidget* list_;
    QToolButton* up_;
    QToolButton* down_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// Runs the dialog over the target's objects; OK hands the new order to the target. Whether OK was
// pressed.
bool runTabOrderDialog(PropertyTarget& target, QWidget* parent);

} // namespace qel
