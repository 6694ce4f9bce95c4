#pragma once
// The run-time "Input Box" dialog: the program's prompt, a "Reply" field, "Ok" and "Cancel". Ok with
// an empty reply says "Input required" and keeps the dialog open.

#include "base/translatable.h"
#include <QDialog>

#include <optional>
#include <string>
#include <string_view>

class QLineEdit;

namespace qel {

class MessageHost;

inline constexpr const char* kInputRequired = QT_TRANSLATE_NOOP("qel", "Input required");
inline constexpr int kMaxReply = 512;

class RunInputBox : public QDialog {
    Q_OBJECT
public:
    RunInputBox(std::string_view prompt, std::string_view title, MessageHost& host, QWidget* parent = nullptr);

    QLineEdit* replyField() const { return reply_; }
    // The reply as the program gets it: at most 512 characters, 8-bit.
    std::string reply() const;

    void accept() override;

private:
    QLineEdit* reply_;
    MessageHost& host_;
};

} // namespace qel
