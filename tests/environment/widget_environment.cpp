// Every environment test runs with one QApplication on the offscreen platform.
#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct WidgetEnvironment final : ::testing::Environment {
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }

    char name[22] = "qel_environment_tests";
    int argc = 1;
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> app;
};

[[maybe_unused]] ::testing::Environment* const kWidgetEnvironment =
    ::testing::AddGlobalTestEnvironment(new WidgetEnvironment);

} // namespace
