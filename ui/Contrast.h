// Colours that stay legible in any palette: the contrast ratio of two colours (relative
// luminance as in WCAG 2), whether a palette is dark, and a listed colour made legible on a
// background by changing its lightness alone.
#pragma once

#include <QColor>

class QPalette;

double ContrastRatio(const QColor& a, const QColor& b);
bool IsDark(const QPalette& palette);

// The contrast that coloured text keeps on a dark background.
constexpr double LegibleContrast = 4.5;

// The colour itself on a light background (as the windows were designed); on a dark one, the
// same hue and saturation, lighter until it reaches LegibleContrast against the background.
QColor LegibleOn(const QColor& colour, const QColor& background);
