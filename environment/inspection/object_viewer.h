#pragma once
// The object viewer, "QEL Object Viewer": every variable of the program with its type and
// dimensions on the left, the elements of the chosen variable on the right. It refreshes itself
// when a run pauses or ends, so a learner sees values change while stepping.

#include <QMainWindow>

class QLabel;
class QTreeWidget;

namespace qel {

class IdeState;

class CORXObjectViewer : public QMainWindow {
    Q_OBJECT
public:
    CORXObjectViewer(IdeState& ide, QWidget* parent = nullptr);

    // Both panes filled again from the program's variables; the chosen variable stays chosen.
    void refresh();

    QTreeWidget* variablesPane() const { return variables_; }
    QTreeWidget* valuesPane() const { return values_; }
    // What the window says under the panes (a variable with more elements than are listed).
    QString note() const;

private:
    void showElements();

    IdeState& ide_;
    QTreeWidget* variables_;
    QTreeWidget* values_;
    QLabel* note_;
};

} // namespace qel
