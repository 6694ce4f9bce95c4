#pragma once
// Whether two colours read against each other: the contrast ratio of their relative luminances
// (1 for the same colour up to 21 for black on white), and the ink, black or white, that reads
// best on a background the user or the theme chose.

#include <QColor>

namespace qel {

// What text and lines the environment draws must reach against their background.
inline constexpr double kReadableContrast = 3.0;

double contrastRatio(const QColor& a, const QColor& b);
QColor inkOn(const QColor& background);

} // namespace qel
