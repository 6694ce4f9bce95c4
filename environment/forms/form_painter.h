#pragma once
// How a form paints what it draws itself: its background, rectangles, lines, static texts and
// images. Shapes are drawn with antialiasing off, in the form's coordinates.

#include "forms/form_object.h"
#include "runtime/bitmap_file.h"

#include <QImage>
#include <QRect>

class QPainter;

namespace qel {

QColor formColour(uint32_t colour);

// The client area in the form's background colour (one pixel more to the right and bottom).
void paintFormBackground(QPainter& p, const FormObjects& objects, const QRect& client);
// A rectangle, line or static text (the reserved codes 9 and 12 paint as static text). Skipped when
// its visible is "False" or its right or bottom edge lies left of or above the form.
void paintShape(QPainter& p, const FormObject& object);
// An image: its picture unscaled inside its border, or a word saying why there is none.
void paintImage(QPainter& p, const FormObject& object, const QImage& picture);
// The one-pixel border of an edit box without the 3-D edge.
void paintPlainBorder(QPainter& p, const QRect& rect);
// Two-grey edges just inside rect: sunken when `sunken`, raised otherwise.
void paintEdge(QPainter& p, const QRect& rect, bool sunken);
// A white field with the 3-D edge when `sunken`, else the plain border.
void paintField(QPainter& p, const QRect& rect, bool sunken);
// A checkbox's box at (0, 0), the same in the designer and in a running form: flat when its sunken is
// "Flat" (or "False", set at run time), else sunken; grey inside while disabled.
void paintCheckBox(QPainter& p, const FormObject& object, bool checked, bool enabled);

// A decoded bitmap as an image to draw; null when it cannot be made.
QImage toFormImage(const DecodedBitmap& bitmap);

} // namespace qel
