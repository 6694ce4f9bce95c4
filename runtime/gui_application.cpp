#include "runtime/gui_application.h"

#include <QGuiApplication>

#include <cstdlib>

namespace qel {

bool ensureGuiApplication()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    // No display is needed.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The application lives to the end of the process (qeltool's main takes it down in a build
    // whose leaks are checked); its arguments must live as long.
    static int argc = 1;
    static char name[] = "qeltool";
    static char* argv[] = {name, nullptr};
    (void)new QGuiApplication(argc, argv);
    return true;
}

} // namespace qel
