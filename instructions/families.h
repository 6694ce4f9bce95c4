#pragma once
// The descriptors of each instruction family, defined in the family's folder.

#include "instructions/descriptor.h"

namespace qel {

Family controlFamily();
Family flowFamily();
Family functionsFamily();
Family variablesFamily();
Family stringsFamily();
Family filesFamily();
Family interactionFamily();
Family timerFamily();
Family windowFamily();
Family drawingFamily();
Family textFamily();
Family bitmapsFamily();
Family soundFamily();
Family printingFamily();
Family documentsFamily();
Family formsFamily();
Family inspectionFamily();

} // namespace qel
