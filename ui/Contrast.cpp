#include "Contrast.h"

#include <QPalette>
#include <cmath>

namespace {
double Channel(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c)
{
    return 0.2126 * Channel(c.redF()) + 0.7152 * Channel(c.greenF()) +
           0.0722 * Channel(c.blueF());
}
}  // namespace

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDark(const QPalette& palette)
{
    return Luminance(palette.color(QPalette::Window)) < 0.2;
}

QColor LegibleOn(const QColor& colour, const QColor& background)
{
    if (Luminance(background) >= 0.2 || ContrastRatio(colour, background) >= LegibleContrast)
        return colour;
    float hue = 0, saturation = 0, lightness = 0, alpha = 1;
    colour.getHslF(&hue, &saturation, &lightness, &alpha);
    QColor lighter = colour;
    for (; lightness < 1; lightness = std::min(1.0f, lightness + 0.01f)) {
        lighter = QColor::fromHslF(hue, saturation, lightness, alpha);
        if (ContrastRatio(lighter, background) >= LegibleContrast)
            break;
    }
    return lighter;
}
