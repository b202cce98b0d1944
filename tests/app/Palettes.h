// The two palettes the windows are tried in: Fusion's own light one, and Fusion with a dark
// colour scheme as a dark desktop theme gives it.
#pragma once

#include <QApplication>
#include <QPalette>
#include <QStyle>

enum class Scheme { Light, Dark };

inline QPalette DarkPalette()
{
    QPalette p;
    const QColor window(53, 53, 53), base(42, 42, 42), text(230, 230, 230);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, QColor(255, 80, 80));
    p.setColor(QPalette::Light, QColor(80, 80, 80));
    p.setColor(QPalette::Midlight, QColor(66, 66, 66));
    p.setColor(QPalette::Mid, QColor(70, 70, 70));
    p.setColor(QPalette::Dark, QColor(35, 35, 35));
    p.setColor(QPalette::Shadow, QColor(20, 20, 20));
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(42, 130, 218));
    p.setColor(QPalette::PlaceholderText, QColor(140, 140, 140));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(127, 127, 127));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(127, 127, 127));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(127, 127, 127));
    return p;
}

// Fusion in the scheme's palette while it lives; the previous style and palette after.
class PaletteScope {
public:
    explicit PaletteScope(Scheme scheme)
        : style_(QApplication::style()->name()), palette_(QApplication::palette())
    {
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(scheme == Scheme::Dark ? DarkPalette()
                                                        : QApplication::style()->standardPalette());
    }
    ~PaletteScope()
    {
        QApplication::setStyle(style_);
        QApplication::setPalette(palette_);
    }
    PaletteScope(const PaletteScope&) = delete;
    PaletteScope& operator=(const PaletteScope&) = delete;

private:
    QString style_;
    QPalette palette_;
};
