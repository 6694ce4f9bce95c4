#include "support/gui_environment.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace qel::test {

namespace {

class GuiEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (QGuiApplication::instance())
            return; // a test's own main made one
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    char name_[10] = "qel_tests";
    int argc_ = 1;
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace

bool guiApplicationRunning() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

} // namespace qel::test
