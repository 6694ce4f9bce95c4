#pragma once
// The forms a running program has open: ten slots, each empty or holding one form. OpenForm2 takes
// the first empty slot; CloseForm2 and Form2Exchange find forms by their caption. A form that closes
// (by the program, its close box or the run's end) leaves its slot at once, though its window may
// wait until the form's own code has returned.

#include "forms/run_form.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace qel {

inline constexpr size_t kOpenFormSlots = 10;

class FormTable {
public:
    // Makes the window of a form being opened; nullptr when it cannot be made. No factory: forms
    // have no windows (headless runs, tests).
    using ViewFactory = std::function<FormView*(RunForm& form)>;

    FormTable(MessageHost& host, RunForm::Requester requester, ViewFactory views = {});
    FormTable(const FormTable&) = delete;
    FormTable& operator=(const FormTable&) = delete;
    ~FormTable();

    enum class OpenResult : uint8_t {
        Opened,
        NoSlot,     // ten forms are open
        NoWindow,   // the window could not be made
        NotLoaded,  // the file could not be read or holds no form (the user has been told)
        OutOfMemory // the budget cannot hold its texts or pictures
    };
    // Opens a form file in run mode, relative image names found in folder, the form paid for from
    // budget while it is open (none: nothing pays). A form that fails keeps no slot.
    OpenResult open(const std::string& path, const std::string& folder, MemoryBudget* budget = nullptr);

    // The form in the lowest slot whose caption equals caption, letter case ignored.
    std::shared_ptr<RunForm> find(std::string_view caption) const;
    // CloseForm2: every form of that caption, each with its OnClose.
    void closeByCaption(std::string_view caption);
    // The run's end: every form closes without OnClose.
    void closeAll();

    const std::shared_ptr<RunForm>& slot(size_t k) const { return slots_.at(k); }
    size_t openCount() const;

private:
    void release(RunForm& form);

    MessageHost& host_;
    RunForm::Requester requester_;
    ViewFactory views_;
    std::array<std::shared_ptr<RunForm>, kOpenFormSlots> slots_;
};

} // namespace qel
