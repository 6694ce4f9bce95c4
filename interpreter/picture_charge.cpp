#include "interpreter/picture_charge.h"

#include "interpreter/interpreter.h"

namespace qel {

uint64_t PictureCharge::charged() const
{
    return interpreter_ && interpreter_->eval().memory.run() == chargedRun_ ? charged_ : 0;
}

void PictureCharge::charge(uint64_t bytes)
{
    MemoryBudget& budget = interpreter_->eval().memory;
    budget.give(charged());
    budget.charge(bytes);
    charged_ = bytes;
    chargedRun_ = budget.run();
}

bool PictureCharge::affords(uint64_t bytes) const
{
    return !interpreter_ || bytes <= charged() || bytes - charged() <= interpreter_->eval().memory.available();
}

} // namespace qel
