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

VariableRecord* VariableTable::createVariable(const VariableDeclaration& d, MessageHost& host)
{
    if (d.name.empty())
        return nullptr;
    VariableRecord v;
    v.type = d.type;
    v.arrayKind = d.arrayKind;
    v.dim1 = (d.arrayKind == kArray1D || d.arrayKind == kArray2D) ? d.dim1 : 1;
    v.dim2 = d.arrayKind == kArray2D ? d.dim2 : 1;
    const int64_t count = int64_t{v.dim1} * int64_t{v.dim2};
    if (v.dim1 < 0 || v.dim2 < 0 || count > kMaxVariableElements) {
        host.showMessage(kOutOfMemoryCreatingVariable, Icon::Error);
        return nullptr;
    }
    if (d.type == kTypeInteger)
        v.initialWord = std::bit_cast<uint32_t>(d.initialInteger);
    else if (d.type == kTypeFloat)
        v.initialWord = std::bit_cast<uint32_t>(d.initialFloat);
    try {
        v.name = d.name;
        if (d.type == kTypeString) {
            v.initialText = d.initialText;
            v.texts.resize(static_cast<size_t>(count));
        } else {
            v.words.assign(static_cast<size_t>(count), 0);
        }
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

void VariableTable::resetVariablesForRun()
{
    for (VariableRecord& v : records_) {
        switch (v.type) {
        case kTypeInteger:
        case kTypeFloat: std::fill(v.words.begin(), v.words.end(), v.initialWord); break;
        case kTypeString:
            for (StringElement& e : v.texts) {
                e.text.clear();
                e.assigned = false;
            }
            if (v.arrayKind == kNotArray && !v.texts.empty())
                v.texts[0] = StringElement{v.initialText, true};
            break;
        default: std::fill(v.words.begin(), v.words.end(), 0u); break;
        }
    }
}

} // namespace qel
