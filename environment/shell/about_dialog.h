#pragma once
// The About box: the application's icon, name and version.

#include <QDialog>
#include <QtGlobal>

namespace qel {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

inline constexpr const char* kAboutTitle = QT_TRANSLATE_NOOP("qel", "About Qelvin Programming Langauge");
inline constexpr const char* kAboutText = QT_TRANSLATE_NOOP("qel", "Qelvin Programming Language Version: 1.25");

} // namespace qel
