#include "values/variable_table.h"

#include "values/names.h"

#include <algorithm>
#include <new>

namespace qel {

VariableRecord* VariableTable::findVariable(std::string_view name)
{
    if (name.empty())
        return nullptr;
    for (VariableRecord& v : records_)
        if (sameName(v.name, name))
            return &v;
    return nullptr;
}

const VariableRecord* VariableTable::findVariable(std::string_view name) const
{
    return const_cast<VariableTable*>(this)->findVariable(name);
}

VariableRecord* VariableTable::createVariable(const VariableDeclaration& d, MessageHost& host, Elements elements)
{
    if (d.name.empty())
        return nullptr;
    VariableRecord v;
    v.type = d.type;
    v.arrayKind = d.arrayKind;
    v.dim1 = (d.arrayKind == kArray1D || d.arrayKind == kArray2D) ? d.dim1 : 1;
    v.dim2 = d.arrayKind == kArray2D ? d.dim2 : 1;
    if (!isDeclarableShape(v.arrayKind, v.dim1, v.dim2)) {
        host.showMessage(kOutOfMemoryCreatingVariable, Icon::Error);
        return nullptr;
    }
    if (d.type == kTypeInteger)
        v.initialWord = std::bit_cast<uint32_t>(d.initialInteger);
    else if (d.type == kTypeFloat)
        v.initialWord = std::bit_cast<uint32_t>(d.initialFloat);
    try {
        v.name = d.name;
        if (d.type == kTypeString)
            v.initialText = d.initialText;
        if (elements == Elements::Now && d.type == kTypeString)
            v.texts.resize(v.declaredCount());
        else if (elements == Elements::Now)
            v.words.assign(v.declaredCount(), 0);
        records_.push_back(std::move(v));
    } catch (const std::bad_alloc&) {
        host.showMessage(kOutOfMemoryCreatingVariable, Icon::Error);
        return nullptr;
    }
    return &records_.back();
}

void VariableTable::removeVariable(std::string_view name)
{
    for (auto it = records_.begin(); it != records_.end(); ++it)
        if (!name.empty() && sameName(it->name, name)) {
            records_.erase(it);
            return;
        }
}

namespace {

// What a variable's elements hold at the start of a run.
uint64_t startBytes(const VariableRecord& v)
{
    if (v.type != kTypeString)
        return v.declaredCount() * sizeof(uint32_t);
    uint64_t bytes = v.declaredCount() * sizeof(StringElement);
    if (v.arrayKind == kNotArray)
        bytes += textBytes(v.initialText);
    return bytes;
}

} // namespace

bool VariableTable::resetVariablesForRun(MemoryBudget& budget)
{
    uint64_t bytes = 0;
    for (const VariableRecord& v : records_)
        bytes += startBytes(v);
    if (!budget.take(bytes))
        return false;
    try {
        for (VariableRecord& v : records_) {
            const size_t count = v.declaredCount();
            switch (v.type) {
            case kTypeInteger:
            case kTypeFloat: v.words.assign(count, v.initialWord); break;
            case kTypeString:
                // Every old text is freed: the run's budget starts from what the elements hold now.
                v.texts.assign(count, StringElement{});
                if (v.arrayKind == kNotArray && count == 1)
                    v.texts[0] = StringElement{v.initialText, true};
                break;
            default: v.words.assign(count, 0u); break;
            }
        }
    } catch (const std::bad_alloc&) {
        budget.give(bytes);
        return false;
    }
    return true;
}

} // namespace qel
