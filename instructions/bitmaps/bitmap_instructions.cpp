#include "instructions/bitmaps/bitmap_instructions.h"

#include "instructions/bitmaps/bitmap_editors.h"
#include "instructions/families.h"
#include "interpreter/file_names.h"
#include "interpreter/line_context.h"
#include "messages/run_errors.h"
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
Result<uint32_t> bitmapHandle(EvalContext& ctx, CachedOperand& op)
{
    const int kind = operandKind(ctx, op);
    if (kind == kKindUndeclared)
        return runError(bitmap_msg::kUndeclared, op.operand.name);
    if (kind != kTypeBitmap && kind != kKindNumberLiteral && kind != kKindStringLiteral)
        return runError(bitmap_msg::kNotBitmap, op.operand.name);
    return evalBitmap(ctx, op); // literals (only in a damaged block) and subscripts
}

// Stores a size into the variable an optional operand names.
Status storeSize(EvalContext& ctx, CachedOperand& op, int size)
{
    if (!op.operand.isVariable())
        return success();
    VariableRecord* v = nullptr;
    if (operandKind(ctx, op, &v) == kKindUndeclared)
        return runError(bitmap_msg::kUndeclared, op.operand.name);
    if (!v->isNumeric())
        return runError(bitmap_msg::kNotNumeric, op.operand.name);
    return storeNumber(ctx, static_cast<float>(size), op);
}

// The picture takes the decoded pixels over, so a bitmap is never held twice.
QImage toImage(DecodedBitmap& bitmap)
{
    const size_t count = static_cast<size_t>(bitmap.width) * static_cast<size_t>(bitmap.height);
    if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.pixels.size() != count)
        return {};
    auto* pixels = new std::vector<uint32_t>(std::move(bitmap.pixels));
    QImage image(
        reinterpret_cast<uchar*>(pixels->data()), bitmap.width, bitmap.height,
        static_cast<qsizetype>(bitmap.width) * static_cast<qsizetype>(sizeof(uint32_t)), QImage::Format_RGB32,
        [](void* held) { delete static_cast<std::vector<uint32_t>*>(held); }, pixels);
    if (image.isNull())
        delete pixels; // a picture never made does not free what it was given
    return image;
}

// What a loaded picture holds of the run's memory.
uint64_t pictureBytes(const QImage& image) { return static_cast<uint64_t>(image.sizeInBytes()); }

LineResult executeBitmapLoad(LineContext& line)
{
    EvalContext& ctx = line.eval();
    auto ops = line.operands();
    CachedOperand& variable = ops[slotIndex(kBitmap)];
    uint32_t handle = TRY(bitmapHandle(ctx, variable));
    if (handle != 0)
        return runError(bitmap_msg::kInUse);
    const std::string name = TRY(evalFileName(ctx, ops[slotIndex(kFileName)]));

    BitmapReadResult read = readBitmapFile(line.resolvePath(name), ctx.memory.available(), &line.interrupted());
    if (read.status == BitmapReadStatus::Stopped)
        return Flow::Next; // the run is ending (its time is up): nothing is loaded
    if (read.status == BitmapReadStatus::EmptyFile)
        return runError(kBitmapFileSizeMessage);
    if (read.status == BitmapReadStatus::OutOfMemory)
        return runError(msg::kOutOfMemory);
    if (read.status != BitmapReadStatus::Ok)
        return runError(kBitmapOpenFailedMessage);
    const int width = read.bitmap.width, height = read.bitmap.height;

    // A bitmap belongs to the drawing target it is made for; without one there is nothing to make.
    QImage image = toImage(read.bitmap);
    DrawTarget* target = line.drawTarget();
    if (!target || image.isNull())
        return line.windowsCallFailed(bitmap_msg::kCreateFailed);
    const uint64_t bytes = pictureBytes(image);
    BitmapTable& table = target->state().bitmaps;
    handle = table.load(std::move(image));
    if (handle == 0)
        return line.windowsCallFailed(bitmap_msg::kCreateFailed);
    ctx.memory.charge(bytes);
    if (Status stored = storeWord(ctx, handle, variable); !stored) {
        table.unload(handle);
        ctx.memory.give(bytes);
        return std::move(stored).failure();
    }
    // From here on a failure leaves the bitmap in the variable.
    TRY(storeSize(ctx, ops[slotIndex(kWidthVariable)], width));
    TRY(storeSize(ctx, ops[slotIndex(kHeightVariable)], height));
    return Flow::Next;
}

// What both drawing instructions share: the checks in order, then the picture (none when there is
// no target to draw on).
struct DrawRequest {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    const QImage* image = nullptr;
};

Result<DrawRequest> prepareDraw(LineContext& line, bool scaled)
{
    EvalContext& ctx = line.eval();
    auto ops = line.operands();
    CachedOperand& variable = ops[slotIndex(kBitmap)];
    const uint32_t handle = TRY(bitmapHandle(ctx, variable));
    const float left = TRY(evalNumber(ctx, ops[slotIndex(kLeft)]));
    TRY(checkRange(ctx, left, kBitmapPlaceLow, kBitmapPlaceHigh, "Left"));
    const float top = TRY(evalNumber(ctx, ops[slotIndex(kTop)]));
    TRY(checkRange(ctx, top, kBitmapPlaceLow, kBitmapPlaceHigh, "Top"));
    float width = 0.0f, height = 0.0f;
    if (scaled) {
        width = TRY(evalNumber(ctx, ops[slotIndex(kWidth)]));
        TRY(checkRange(ctx, width, kBitmapSizeLow, kBitmapSizeHigh, "Width"));
        height = TRY(evalNumber(ctx, ops[slotIndex(kHeight)]));
        TRY(checkRange(ctx, height, kBitmapSizeLow, kBitmapSizeHigh, "Height"));
    }
    if (handle == 0)
        return runError(bitmap_msg::kNotLoaded, variable.operand.name);
    DrawRequest request;
    if (!line.drawTarget())
        return request;
    request.image = line.drawTarget()->state().bitmaps.get(handle);
    if (!request.image) // a handle whose bitmap was unloaded through another variable
        return runError(bitmap_msg::kNotLoaded, variable.operand.name);
    request.left = static_cast<int>(left);
    request.top = static_cast<int>(top);
    request.width = scaled ? static_cast<int>(width) : request.image->width();
    request.height = scaled ? static_cast<int>(height) : request.image->height();
    return request;
}

// Copies the picture into the rectangle at (left, top) of width x height, taking or dropping whole
// rows and columns (never blending). A negative size mirrors the picture about that edge.
LineResult drawRequest(DrawTarget& target, const DrawRequest& r)
{
    QPainter& painter = target.painter();
    if (!painter.isActive())
        return runError(bitmap_msg::kDrawFailed);
    if (r.width == 0 || r.height == 0)
        return Flow::Next;
    const QRect area(r.width < 0 ? r.left + r.width : r.left, r.height < 0 ? r.top + r.height : r.top,
                     std::abs(r.width), std::abs(r.height));
    const bool mirror = r.width < 0 || r.height < 0;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area, mirror ? r.image->mirrored(r.width < 0, r.height < 0) : *r.image);
    painter.restore();
    return Flow::Next;
}

LineResult executeDraw(LineContext& line, bool scaled)
{
    const DrawRequest request = TRY(prepareDraw(line, scaled));
    if (!request.image)
        return Flow::Next;
    return drawRequest(*line.drawTarget(), request);
}

LineResult executeDrawBitmap(LineContext& line) { return executeDraw(line, false); }
LineResult executeDrawBitmapScaled(LineContext& line) { return executeDraw(line, true); }

LineResult executeBitmapUnload(LineContext& line)
{
    CachedOperand& variable = line.operands()[slotIndex(kBitmap)];
    const uint32_t handle = TRY(bitmapHandle(line.eval(), variable));
    if (handle == 0)
        return Flow::Next;
    BitmapTable* table = line.drawTarget() ? &line.drawTarget()->state().bitmaps : nullptr;
    const QImage* image = table ? table->get(handle) : nullptr;
    const uint64_t bytes = image ? pictureBytes(*image) : 0;
    if (!table || !table->unload(handle))
        return line.windowsCallFailed(bitmap_msg::kDeleteFailed);
    line.eval().memory.give(bytes);
    TRY(storeWord(line.eval(), 0, variable));
    return Flow::Next;
}

const std::vector<const InstructionEditor*>& editors()
{
    static const std::vector<const InstructionEditor*> list = bitmapEditors();
    return list;
}

} // namespace

Family bitmapsFamily()
{
    static const InstructionDescriptor descriptors[] = {
        {kBitmapLoad,
         {InstructionList::Bitmaps, 1},
         {},
         editorOfType(editors(), kBitmapLoad),
         executeBitmapLoad,
         {"Loads a picture from a .bmp file into a Bitmap variable, ready for DrawBitmap, and tells its size.",
          "Bitmap File: the file's name, in double quotes, or a String variable.\n"
          "Bitmap Variable: the Bitmap variable to hold it.\n"
          "Returned Width, Returned Height: numeric variables that receive the picture's size.",
          {"\"house.bmp\"", "Picture", "Width", "Height"},
          {}}},
        {kBitmapUnload,
         {InstructionList::Bitmaps, 2},
         {},
         editorOfType(editors(), kBitmapUnload),
         executeBitmapUnload,
         {"Frees a picture loaded with BitmapLoad when the program needs it no more.",
          "File Variable: the Bitmap variable holding the picture.",
          {"Picture"},
          {}}},
        {kDrawBitmap,
         {InstructionList::Drawing, 2},
         "db",
         editorOfType(editors(), kDrawBitmap),
         executeDrawBitmap,
         {"Draws a picture loaded with BitmapLoad at its own size.",
          "Bitmap Variable: the Bitmap variable holding the picture.\n"
          "Top, Left: where the picture's top left corner goes.",
          {"Picture", "10", "20"},
          {}}},
        {kDrawBitmapScaled,
         {InstructionList::Drawing, 3},
         "ds",
         editorOfType(editors(), kDrawBitmapScaled),
         executeDrawBitmapScaled,
         {"Draws a picture loaded with BitmapLoad stretched or shrunk to a given size.",
          "Bitmap Variable: the picture.\nLeft, Top: where its top left corner goes.\nWidth, Height: the size it "
          "is drawn at.",
          {"Picture", "0", "0", "200", "100"},
          {}}},
    };
    return descriptors;
}

} // namespace qel
