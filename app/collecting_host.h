#pragma once
// The message host of qeltool's file commands: every message the user would have seen is kept,
// answered with the default button.

#include "program/host.h"

#include <string>
#include <string_view>
#include <vector>

namespace qel {

class CollectingHost : public MessageHost {
public:
    Button showMessage(std::string_view text, Icon icon, Buttons buttons) override
    {
        messages.push_back({std::string(text), icon});
        return defaultButton(buttons);
    }
    struct Message {
        std::string text;
        Icon icon;
    };
    std::vector<Message> messages;
};

} // namespace qel
