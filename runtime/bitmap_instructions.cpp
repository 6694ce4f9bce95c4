#include "runtime/bitmap_instructions.h"

#include "interpreter/interpreter.h"
#include "program/instruction_table.h"
#include "program/references.h"
#include "runtime/bitmap_file.h"
#include "runtime/draw_target.h"
#include "values/evaluate.h"
#include "values/variable_table.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace qel {

using namespace bitmap_block;

namespace {

// The checks every instruction makes on its Bitmap operand, then the handle it holds.
bool bitmapHandle(Interpreter& in, CachedOperand& op, uint32_t& handle)
{
    const int kind = operandKind(in.eval, op);
    if (kind == kKindUndeclared)
        return in.eval.runError(bitmap_msg::kUndeclared, op.operand.name);
    if (kind != kTypeBitmap && kind != kKindNumberLiteral && kind != kKindStringLiteral)
        return in.eval.runError(bitmap_msg::kNotBitmap, op.operand.name);
    return evalBitmap(in.eval, op, handle); // literals (only in a damaged block) and subscripts
}

// The file name: a String variable, or a constant used as stored.
bool fileName(Interpreter& in, CachedOperand& op, std::string& out)
{
    std::string_view text;
    if (op.operand.isVariable()) {
        const int kind = operandKind(in.eval, op);
        if (kind == kKindUndeclared)
            return in.eval.runError(bitmap_msg::kUndeclared, op.operand.name);
        if (kind != kTypeString)
            return in.eval.runError(bitmap_msg::kNotString, op.operand.name);
        if (!evalString(in.eval, op, text))
            return in.eval.runError(bitmap_msg::kCannotEvaluateString, op.operand.name);
    } else if (!evalString(in.eval, op, text)) {
        return false;
    }
    out.assign(text);
    return true;
}

// Stores a size into the variable an optional operand names.
bool storeSize(Interpreter& in, CachedOperand& op, int size)
{
    if (!op.operand.isVariable())
        return true;
    VariableRecord* v = nullptr;
    if (operandKind(in.eval, op, &v) == kKindUndeclared)
        return in.eval.runError(bitmap_msg::kUndeclared, op.operand.name);
    if (!v->isNumeric())
        return in.eval.runError(bitmap_msg::kNotNumeric, op.operand.name);
    return storeNumber(in.eval, static_cast<float>(size), op);
}

QImage toImage(const DecodedBitmap& bitmap)
{
    const size_t count = static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height);
    if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.pixels.size() != count)
        return {};
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    if (image.isNull())
        return image; // no memory for it
    const size_t rowBytes = static_cast<size_t>(bitmap.width) * sizeof(uint32_t);
    for (int y = 0; y < bitmap.height; ++y)
        std::memcpy(image.scanLine(y),
                    bitmap.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(bitmap.width), rowBytes);
    return image;
}

Outcome executeBitmapLoad(Interpreter& in, uint32_t s)
{
    auto ops = in.operandsAt(in.cursor(s));
    CachedOperand& variable = ops[slotIndex(kBitmap)];
    uint32_t handle = 0;
    if (!bitmapHandle(in, variable, handle))
        return Outcome::Fail;
    if (handle != 0)
        return in.fail(bitmap_msg::kInUse);
    std::string path;
    if (!fileName(in, ops[slotIndex(kFileName)], path))
        return Outcome::Fail;

    BitmapReadResult read = readBitmapFile(path);
    if (read.status == BitmapReadStatus::EmptyFile)
        return in.fail(kBitmapFileSizeMessage);
    if (read.status != BitmapReadStatus::Ok)
        return in.fail(kBitmapOpenFailedMessage);

    // A bitmap belongs to the drawing target it is made for; without one there is nothing to make.
    QImage image = toImage(read.bitmap);
    if (!in.drawTarget || image.isNull())
        return in.windowsCallFailed(bitmap_msg::kCreateFailed);
    BitmapTable& table = in.drawTarget->state().bitmaps;
    handle = table.load(std::move(image));
    if (handle == 0)
        return in.windowsCallFailed(bitmap_msg::kCreateFailed);
    if (!storeWord(in.eval, handle, variable)) {
        table.unload(handle);
        return Outcome::Fail;
    }
    // From here on a failure leaves the bitmap in the variable.
    if (!storeSize(in, ops[slotIndex(kWidthVariable)], read.bitmap.width) ||
        !storeSize(in, ops[slotIndex(kHeightVariable)], read.bitmap.height))
        return Outcome::Fail;
    return Outcome::Next;
}

// What both drawing instructions share: the checks in order, then the picture (nullptr with
// Outcome::Next when there is no target to draw on).
struct DrawRequest {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    const QImage* image = nullptr;
};

Outcome prepareDraw(Interpreter& in, uint32_t s, bool scaled, DrawRequest& request)
{
    auto ops = in.operandsAt(in.cursor(s));
    CachedOperand& variable = ops[slotIndex(kBitmap)];
    uint32_t handle = 0;
    float left = 0.0f, top = 0.0f, width = 0.0f, height = 0.0f;
    if (!bitmapHandle(in, variable, handle) || !evalNumber(in.eval, ops[slotIndex(kLeft)], left) ||
        !checkRange(in.eval, left, kBitmapPlaceLow, kBitmapPlaceHigh, "Left") ||
        !evalNumber(in.eval, ops[slotIndex(kTop)], top) ||
        !checkRange(in.eval, top, kBitmapPlaceLow, kBitmapPlaceHigh, "Top"))
        return Outcome::Fail;
    if (scaled && (!evalNumber(in.eval, ops[slotIndex(kWidth)], width) ||
                   !checkRange(in.eval, width, kBitmapSizeLow, kBitmapSizeHigh, "Width") ||
                   !evalNumber(in.eval, ops[slotIndex(kHeight)], height) ||
                   !checkRange(in.eval, height, kBitmapSizeLow, kBitmapSizeHigh, "Height")))
        return Outcome::Fail;
    if (handle == 0)
        return in.fail(bitmap_msg::kNotLoaded, variable.operand.name);
    if (!in.drawTarget)
        return Outcome::Next;
    request.image = in.drawTarget->state().bitmaps.get(handle);
    if (!request.image) // a handle whose bitmap was unloaded through another variable
        return in.fail(bitmap_msg::kNotLoaded, variable.operand.name);
    request.left = static_cast<int>(left);
    request.top = static_cast<int>(top);
    request.width = scaled ? static_cast<int>(width) : request.image->width();
    request.height = scaled ? static_cast<int>(height) : request.image->height();
    return Outcome::Next;
}

// Copies the picture into the rectangle at (left, top) of width x height, taking or dropping whole
// rows and columns (never blending). A negative size mirrors the picture about that edge.
Outcome drawRequest(Interpreter& in, const DrawRequest& r)
{
    QPainter& painter = in.drawTarget->painter();
    if (!painter.isActive())
        return in.fail(bitmap_msg::kDrawFailed);
    if (r.width == 0 || r.height == 0)
        return Outcome::Next;
    const QRect target(r.width < 0 ? r.left + r.width : r.left, r.height < 0 ? r.top + r.height : r.top,
                       std::abs(r.width), std::abs(r.height));
    const bool mirror = r.width < 0 || r.height < 0;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(target, mirror ? r.image->mirrored(r.width < 0, r.height < 0) : *r.image);
    painter.restore();
    return Outcome::Next;
}

Outcome executeDraw(Interpreter& in, uint32_t s, bool scaled)
{
    DrawRequest request;
    Outcome prepared = prepareDraw(in, s, scaled, request);
    if (prepared != Outcome::Next || !request.image)
        return prepared;
    return drawRequest(in, request);
}

Outcome executeDrawBitmap(Interpreter& in, uint32_t s) { return executeDraw(in, s, false); }
Outcome executeDrawBitmapScaled(Interpreter& in, uint32_t s) { return executeDraw(in, s, true); }

Outcome executeBitmapUnload(Interpreter& in, uint32_t s)
{
    auto ops = in.operandsAt(in.cursor(s));
    CachedOperand& variable = ops[slotIndex(kBitmap)];
    uint32_t handle = 0;
    if (!bitmapHandle(in, variable, handle))
        return Outcome::Fail;
    if (handle == 0)
        return Outcome::Next;
    if (!in.drawTarget || !in.drawTarget->state().bitmaps.unload(handle))
        return in.windowsCallFailed(bitmap_msg::kDeleteFailed);
    return storeWord(in.eval, 0, variable) ? Outcome::Next : Outcome::Fail;
}

} // namespace

void registerBitmapHandlers(DispatchTable& table)
{
    table.set(kBitmapLoad, executeBitmapLoad);
    table.set(kDrawBitmap, executeDrawBitmap);
    table.set(kDrawBitmapScaled, executeDrawBitmapScaled);
    table.set(kBitmapUnload, executeBitmapUnload);
}

} // namespace qel
