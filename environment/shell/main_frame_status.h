#pragma once
// The main window's status bar panes beside the message pane: the program view's section and line,
// and the Caps Lock and Num Lock indicators.

#include <QObject>

class QLabel;
class QStatusBar;

namespace qel {

class StatusPanes : public QObject {
    Q_OBJECT
public:
    explicit StatusPanes(QStatusBar& bar);

    void setSectionText(const QString& text);
    QString sectionText() const;

    bool capsLock() const { return caps_; }
    bool numLock() const { return num_; }

protected:
    // Watches every key press of the application for the lock keys' state.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readLeds();
    void show();

    QLabel* section_;
    QLabel* capsPane_;
    QLabel* numPane_;
    bool caps_ = false;
    bool num_ = false;
    bool ledsKnown_ = false;
};

} // namespace qel
