#include "forms/form_table.h"

#include "forms/object_names.h"

#include <algorithm>
#include <vector>

namespace qel {

FormTable::FormTable(MessageHost& host, RunForm::Requester requester, ViewFactory views)
    : host_(host), requester_(std::move(requester)), views_(std::move(views))
{}

FormTable::~FormTable()
{
    // Forms outlive their table only inside their own windows; none may call back into it.
    for (const std::shared_ptr<RunForm>& form : slots_)
        if (form)
            form->setClosedNotice({});
}

FormTable::OpenResult FormTable::open(const std::string& path, const std::string& folder, MemoryBudget* budget)
{
    const auto free = std::find(slots_.begin(), slots_.end(), nullptr);
    if (free == slots_.end())
        return OpenResult::NoSlot;
    auto form = std::make_shared<RunForm>(FormMode::Run, host_, requester_, folder);
    if (views_) {
        FormView* view = views_(*form);
        if (!view)
            return OpenResult::NoWindow;
        form->setView(view);
    }
    // The form is findable while it opens: its OnOpen function may reach it.
    *free = form;
    form->setClosedNotice([this](RunForm& closed) { release(closed); });
    form->setMemoryBudget(budget);
    if (!form->open(path)) {
        release(*form);
        form->closeAtRunEnd(); // its window goes too
        return form->outOfMemory() ? OpenResult::OutOfMemory : OpenResult::NotLoaded;
    }
    if (!form->isClosed())
        if (FormView* view = form->view())
            view->shown();
    return OpenResult::Opened;
}

std::shared_ptr<RunForm> FormTable::find(std::string_view caption) const
{
    for (const std::shared_ptr<RunForm>& form : slots_)
        if (form && sameTextIgnoringCase(form->caption(), caption))
            return form;
    return nullptr;
}

void FormTable::closeByCaption(std::string_view caption)
{
    const std::string wanted(caption); // the caption may belong to a form that closes meanwhile
    std::vector<std::shared_ptr<RunForm>> matching;
    for (const std::shared_ptr<RunForm>& form : slots_)
        if (form && sameTextIgnoringCase(form->caption(), wanted))
            matching.push_back(form);
    for (const std::shared_ptr<RunForm>& form : matching)
        form->closeByProgram();
}

void FormTable::closeAll()
{
    const auto open = slots_; // closing empties the slots
    for (const std::shared_ptr<RunForm>& form : open)
        if (form)
            form->closeAtRunEnd();
}

size_t FormTable::openCount() const
{
    return static_cast<size_t>(std::count_if(slots_.begin(), slots_.end(), [](const auto& f) { return f != nullptr; }));
}

void FormTable::release(RunForm& form)
{
    for (std::shared_ptr<RunForm>& slot : slots_)
        if (slot.get() == &form)
            slot.reset();
}

} // namespace qel
