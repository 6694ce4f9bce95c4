#pragma once
// Tests that draw text or read the font database need a QGuiApplication. Linking gui_environment.cpp
// into a test executable registers a test environment that creates one before the first test (on
// Qt's offscreen platform unless QT_QPA_PLATFORM names another) and deletes it after the last.

namespace qel::test {

// Whether the environment has an application running; for tests that want to say why they skip.
bool guiApplicationRunning();

} // namespace qel::test
