#pragma once
// The labels of the instruction editors and the environment's messages (an editor's refusal, a
// designer's message; see MessageHost::showNotice) are shown translated by the environment. Each
// is marked where it is written with QT_TRANSLATE_NOOP("qel", ...), the mark Qt's lupdate collects;
// without Qt the mark is the text itself (the same definition as Qt's, so the two may meet).

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
