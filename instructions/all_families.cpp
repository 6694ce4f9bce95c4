#include "instructions/catalogue_families.h"
#include "instructions/families.h"

namespace qel {

std::span<const FamilyEntry> catalogueFamilies()
{
    static constexpr FamilyEntry families[] = {
        {controlFamily},    {flowFamily},        {functionsFamily}, {variablesFamily},      {stringsFamily},
        {filesFamily},      {interactionFamily}, {timerFamily},     {windowFamily},         {drawingFamily},
        {textFamily, true}, {bitmapsFamily},     {soundFamily},     {printingFamily, true}, {documentsFamily},
        {formsFamily},      {inspectionFamily},
    };
    return families;
}

} // namespace qel
