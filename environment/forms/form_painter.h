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

// A decoded bitmap as an image to draw; null when it cannot be made.
QImage toFormImage(const DecodedBitmap& bitmap);

} // namespace qel
