#include "instructions/catalogue_families.h"
#include "instructions/families.h"

namespace qel {

// The families that link no Qt (see qel_family in CMakeLists.txt).
std::span<const FamilyEntry> catalogueFamilies()
{
    static constexpr FamilyEntry families[] = {
        {controlFamily},     {flowFamily},  {functionsFamily}, {variablesFamily}, {stringsFamily},    {filesFamily},
        {interactionFamily}, {soundFamily}, {documentsFamily}, {formsFamily},     {inspectionFamily},
    };
    return families;
}

} // namespace qel
