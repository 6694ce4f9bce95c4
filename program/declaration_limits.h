#pragma once
// The largest declaration a program holds: what the Declare Variables dialog lets a user make. A
// program file that declares more is refused as damaged, so that a few bytes of file can never ask
// for gigabytes of arrays. The rest of the DeclareVariable block belongs to the variables family.

#include "program/param_block.h"

#include <cstdint>

namespace qel {

inline constexpr int32_t kLargestDimension = 1000;
inline constexpr int64_t kMostArrayElements = 10000;

// Where a DeclareVariable block keeps the shape of its variables, and the shapes' codes.
namespace declaration_shape {
inline constexpr uint32_t kArrayKind = 8;
inline constexpr uint32_t kDim1 = 12;
inline constexpr uint32_t kDim2 = 16;
inline constexpr uint32_t kNotArray = 1;
inline constexpr uint32_t kArray1D = 2;
inline constexpr uint32_t kArray2D = 3;
} // namespace declaration_shape

// Whether an array of that shape is one the dialog can make: each dimension 0 to 1000 and at most
// 10,000 elements. The second dimension counts only for a 2D array, neither for a scalar.
constexpr bool isDeclarableShape(uint32_t arrayKind, int32_t dim1, int32_t dim2)
{
    using namespace declaration_shape;
    if (arrayKind != kArray1D && arrayKind != kArray2D)
        return true;
    if (arrayKind == kArray1D)
        dim2 = 1;
    return dim1 >= 0 && dim1 <= kLargestDimension && dim2 >= 0 && dim2 <= kLargestDimension &&
           int64_t{dim1} * int64_t{dim2} <= kMostArrayElements;
}

inline bool isDeclarableShape(const ParamBlock& block)
{
    using namespace declaration_shape;
    return isDeclarableShape(block.u32(kArrayKind), block.i32(kDim1), block.i32(kDim2));
}

} // namespace qel
