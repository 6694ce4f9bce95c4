#pragma once
// A host that records every message the user would see and answers from a queue of buttons.

#include "program/host.h"

#include <deque>
#include <string>
#include <vector>

namespace qel::test {

// The first of a queue of answers, taken off it; T{} when none is left.
template <class T>
T takeFront(std::deque<T>& queue)
{
    if (queue.empty())
        return T{};
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

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
        return answers.empty() ? defaultButton(buttons) : takeFront(answers);
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
