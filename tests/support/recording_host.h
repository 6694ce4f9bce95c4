#pragma once
// A host that records every message the user would see and answers from a queue of buttons.

#include "program/host.h"

#include <deque>
#include <string>
#include <vector>

namespace qel::test {

struct RecordedMessage {
    std::string text;
    Icon icon;
    bool operator==(const RecordedMessage&) const = default;
};

class RecordingHost : public MessageHost {
public:
    Button showMessage(std::string_view text, Icon icon, Buttons buttons = Buttons::Ok) override
    {
        messages.push_back({std::string(text), icon});
        if (!answers.empty()) {
            Button b = answers.front();
            answers.pop_front();
            return b;
        }
        return defaultButton(buttons);
    }
    bool ctrlOrShiftHeld() override { return modifierHeld; }

    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const auto& m : messages)
            out.push_back(m.text);
        return out;
    }

    std::vector<RecordedMessage> messages;
    std::deque<Button> answers;
    bool modifierHeld = false;
};

} // namespace qel::test
