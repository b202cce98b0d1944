#include "FieldColour.h"

#include <QApplication>
#include <QWidget>

void SetFieldColour(QWidget* field, FieldColour colour)
{
    QPalette pal = field->palette();
    switch (colour) {
    case FieldColour::Input:
        pal.setColor(QPalette::Base, QColor(0, 255, 0));
        break;
    case FieldColour::Rejected:
        pal.setColor(QPalette::Base, QColor(255, 0, 0));
        break;
    case FieldColour::Neutral:
        pal.setColor(QPalette::Base, QApplication::palette(field).color(QPalette::Base));
        break;
    }
    field->setPalette(pal);
}
