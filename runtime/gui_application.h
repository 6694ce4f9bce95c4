#pragma once
// Text is written and measured with the application's fonts, which need the process's
// QGuiApplication. The environment makes one at its start; qeltool makes none up front, since a
// run that never writes text (most of them) would spend a third of its start on it, and this makes
// it at the first need instead. Must be called on the thread the run runs on (the main thread).

namespace qel {

// True when it made the application just now.
bool ensureGuiApplication();

} // namespace qel
