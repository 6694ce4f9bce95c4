#include "forms/design/form_design.h"
#include "forms/form_file.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace qel;
using namespace qel::object_type;
using P = PropertyId;

namespace {

// A design holding objects of the given types, each placed where the caller says.
size_t addAt(FormDesign& d, int16_t type, int x, int y)
{
    const size_t k = *d.addObject(type);
    d.applyProperty(P::OffsetX, std::to_string(x), false);
    d.applyProperty(P::OffsetY, std::to_string(y), false);
    return k;
}

void drag(FormDesign& d, DesignPoint from, DesignPoint to, bool shift = false)
{
    d.press(from, shift);
    d.dragTo(to);
    d.release(to);
}

void click(FormDesign& d, DesignPoint at, bool shift = false)
{
    d.press(at, shift);
    d.release(at);
}

// An object's place and size: x, y, width, height.
std::tuple<int32_t, int32_t, uint32_t, uint32_t> box(const FormDesign& d, size_t k)
{
    const FormObject& o = d.objects()[k];
    return {o.offsetX, o.offsetY, o.width, o.height};
}

} // namespace

TEST(FormDesign, AddingGivesDefaultsAtTheScrollPositionUpToTheLimit)
{
    FormDesign d;
    EXPECT_FALSE(d.isChanged());
    d.setScroll(30, 40);
    const size_t k = *d.addObject(kButton);
    EXPECT_EQ(std::tuple(d.objects()[k].name, d.objects()[k].caption), std::tuple("butt1", "butt1"));
    EXPECT_EQ(box(d, k), std::tuple(30, 40, 70u, 25u));
    EXPECT_EQ(std::tuple(d.isSelected(k), d.currentObject(), d.isChanged()), std::tuple(true, k, true));

    while (d.objects().size() < kMaxFormObjects)
        ASSERT_TRUE(d.addObject(kRectangle));
    EXPECT_FALSE(d.addObject(kEdit));
    EXPECT_EQ(d.takeMessage()->text, kTooManyControls);
    EXPECT_EQ(d.objects().size(), kMaxFormObjects);
}

TEST(FormDesign, AClickPicksTheNearestCentreAndShiftGrowsTheSelection)
{
    FormDesign d;
    const size_t big = addAt(d, kRectangle, 0, 0);  // 100x100, centre (50, 50)
    const size_t small = addAt(d, kButton, 40, 40); // 70x25, centre (75, 52)
    const size_t hidden = addAt(d, kEdit, 60, 45);  // hidden: never picked
    d.applyProperty(P::Visible, "False", false);
    EXPECT_EQ(d.objectAt({45, 50}), big);
    EXPECT_EQ(d.objectAt({70, 50}), small);
    EXPECT_EQ(d.objectAt({300, 250}), 0u); // the form where nothing else is
    EXPECT_EQ(d.objectAt({500, 10}), std::nullopt);

    click(d, {45, 50});
    click(d, {70, 50}, true);
    EXPECT_EQ(std::tuple(d.isSelected(big), d.isSelected(small), d.isSelected(hidden)), std::tuple(true, true, false));
    EXPECT_EQ(d.currentObject(), small);

    click(d, {300, 250}); // the form: everything else deselected
    EXPECT_EQ(d.selectionCount(), 1u);
    EXPECT_TRUE(d.isSelected(0));

    // A band from the form's empty area selects what lies wholly inside it.
    drag(d, {150, 30}, {30, 70});
    EXPECT_EQ(std::tuple(d.isSelected(big), d.isSelected(small), d.isSelected(0)), std::tuple(false, true, false));
}

TEST(FormDesign, MovingSnapsPlacesAndSizesButNeverBelowOneStep)
{
    FormDesign d;
    d.setSnap(true);
    const size_t button = addAt(d, kButton, 10, 10);
    const size_t check = addAt(d, kCheckBox, 10, 100);
    const size_t thin = addAt(d, kLine, 10, 200);
    d.applyProperty(P::Height, "3", false);
    d.selectObject(check);
    drag(d, {15, 105}, {28, 106});
    EXPECT_EQ(box(d, check), std::tuple(20, 100, 14u, 14u));
    d.selectObject(thin);
    drag(d, {15, 201}, {-100, 201}); // off the left edge: placed at 0
    EXPECT_EQ(box(d, thin), std::tuple(0, 200, 100u, 5u));
    EXPECT_EQ(d.identifier(button), 1u);
}

TEST(FormDesign, ResizingTurnsRoundClampsAndLeavesTheFormItsThreeHandles)
{
    FormDesign d;
    const size_t r = addAt(d, kRectangle, 100, 100); // right edge at 200
    EXPECT_EQ(d.handles(r).size(), 8u);
    d.selectObject(0);
    EXPECT_EQ(d.handles(0).size(), 3u);

    d.selectObject(r);
    drag(d, {200, 150}, {40, 150}); // the right handle dragged past the left edge
    EXPECT_EQ(box(d, r), std::tuple(40, 100, 60u, 100u));
    drag(d, {100, 150}, {42, 150}); // the right handle (now at 100) to 2 pixels from the left edge
    EXPECT_EQ(box(d, r), std::tuple(40, 100, 5u, 100u));

    d.selectObject(0);
    drag(d, {400, 300}, {10, 10}); // bottom-right of the form
    EXPECT_EQ(box(d, 0), std::tuple(0, 0, 50u, 50u));
}

TEST(FormDesign, ArrowsKeepObjectsInsideTheForm)
{
    FormDesign d;
    const size_t k = addAt(d, kButton, 330, 0); // right edge 400: on the form's edge
    d.arrow(ArrowKey::Right, true, false);      // Shift: wider, but not past the edge
    d.arrow(ArrowKey::Up, false, false);
    EXPECT_EQ(box(d, k), std::tuple(330, 0, 70u, 25u));
    d.arrow(ArrowKey::Left, false, false);
    d.arrow(ArrowKey::Down, false, true); // Ctrl: a grid step
    d.arrow(ArrowKey::Left, true, false);
    EXPECT_EQ(box(d, k), std::tuple(329, 5, 69u, 25u));
}

TEST(FormDesign, UndoAfterDeletingBringsBackTheSameObjects)
{
    FormDesign d;
    const size_t a = addAt(d, kButton, 10, 10);
    const size_t b = addAt(d, kEdit, 10, 50);
    addAt(d, kRectangle, 200, 10);
    const FormObjects before = d.objects();
    const uint32_t idB = d.identifier(b);
    d.selectObject(a);
    click(d, {20, 60}, true);
    d.markSaved();
    d.deleteSelection();
    ASSERT_EQ(d.objects().size(), 2u);
    EXPECT_EQ(std::tuple(d.objects()[1].objectType, d.currentObject(), d.selectionCount()),
              std::tuple(kRectangle, 0u, 0u));

    // A new object after the deletion takes a fresh identifier, so undo finds the right ones.
    d.addObject(kLine);
    d.undo();
    d.undo();
    EXPECT_EQ(d.objects(), before);
    EXPECT_EQ(d.identifier(b), idB);
    EXPECT_TRUE(d.isChanged());
    d.redo();
    EXPECT_EQ(d.objects().size(), 2u);
    EXPECT_TRUE(d.canRedo());
}

TEST(FormDesign, CopyAndPasteMakeUniqueNamesWithinTheLimit)
{
    FormDesign d;
    d.selectObject(0);
    d.copy();
    EXPECT_EQ(d.takeMessage()->text, kFormCannotBeCopied);
    EXPECT_FALSE(d.hasMarked());

    const size_t k = addAt(d, kButton, 10, 10);
    d.copy();
    d.paste();
    ASSERT_EQ(d.objects().size(), 3u);
    EXPECT_EQ(std::tuple(d.objects()[2].name, d.objects()[2].caption, d.selectionCount()),
              std::tuple("butt1_0", d.objects()[k].caption, 0u));
    EXPECT_EQ(box(d, 2), std::tuple(20, 20, 70u, 25u));

    while (d.objects().size() < kMaxFormObjects)
        d.addObject(kLine);
    d.paste();
    EXPECT_EQ(d.takeMessage()->text, kPasteTooMany);
    EXPECT_EQ(d.objects().size(), kMaxFormObjects);
}

TEST(FormDesign, ThePainterCarriesTheFormatOnly)
{
    FormDesign d;
    const size_t source = addAt(d, kStaticText, 10, 10);
    d.applyProperty(P::BGColour, "1,2,3", false);
    d.applyProperty(P::TextBold, "Bold", false);
    const size_t target = addAt(d, kStaticText, 200, 10);
    d.selectObject(source);
    d.togglePainter();
    d.press({300, 250}, false); // the form: nothing to paint, and the painter stays armed
    d.press({210, 15}, false);
    EXPECT_FALSE(d.painterArmed());
    const FormObject& t = d.objects()[target];
    EXPECT_EQ(std::tuple(t.bgColour, t.textBold, t.name, t.offsetX), std::tuple(rgb(1, 2, 3), "Bold", "st2", 200));
}

TEST(FormDesign, PropertiesAndTabOrderAreOneUndoStepEach)
{
    FormDesign d;
    const size_t a = addAt(d, kButton, 10, 10);
    const size_t b = addAt(d, kEdit, 10, 50);
    d.selectAll();
    d.selectObject(a);
    d.selectAll();
    EXPECT_TRUE(d.applyProperty(P::Visible, "False", true));
    EXPECT_EQ(d.objects()[b].visible, "False");
    EXPECT_FALSE(d.applyProperty(P::Width, "-3", true));
    EXPECT_FALSE(d.applyProperty(P::ObjectType, "4", false));
    d.undo();
    EXPECT_EQ(std::tuple(d.objects()[a].visible, d.objects()[b].visible), std::tuple("True", "True"));

    d.applyTabOrder({b});
    EXPECT_EQ(std::tuple(d.objects()[b].tabOrder, d.objects()[a].tabOrder), std::tuple(0, -1));

    std::string checked;
    d.setFunctionCheck([&](std::string_view name) {
        checked = name;
        return false;
    });
    EXPECT_TRUE(d.applyProperty(P::OnClick, "Missing", false));
    EXPECT_EQ(checked, "Missing");
    EXPECT_EQ(d.takeWarning(), (Notice{kNoSuchFunction, {"Missing"}}));
}

// Align and Same Size bring every other selected object to the current one (the last one clicked),
// a combo box's list with its width; the objects not selected stay, and one undo takes each back.
TEST(FormDesign, AlignAndSameSizeFollowTheCurrentObject)
{
    FormDesign d;
    const size_t combo = addAt(d, kComboBox, 200, 100);
    const size_t other = addAt(d, kButton, 300, 200);
    const size_t button = addAt(d, kButton, 10, 20); // 70x25
    const auto [x, y, w, h] = box(d, combo);
    click(d, {x + int32_t(w) / 2, y + int32_t(h) / 2});
    click(d, {45, 32}, true);
    ASSERT_EQ(d.currentObject(), button);
    d.alignLeft();
    d.alignTop();
    EXPECT_EQ(box(d, combo), std::tuple(10, 20, w, h));
    d.sameSize();
    EXPECT_EQ(box(d, combo), std::tuple(10, 20, 70u, 25u));
    EXPECT_EQ(d.objects()[combo].width2, 70u);
    EXPECT_EQ(box(d, other), std::tuple(300, 200, 70u, 25u));
    EXPECT_EQ(box(d, button), std::tuple(10, 20, 70u, 25u));
    d.undo();
    EXPECT_EQ(box(d, combo), std::tuple(10, 20, w, h));
}
