#include "FieldColour.h"

#include <QApplication>
#include <QComboBox>
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
        pal.setColor(QPalette::Button, QApplication::palette(field).color(QPalette::Button));
        field->setPalette(pal);
        return;
    }
    // A list without typing paints its face in the button colour.
    if (qobject_cast<QComboBox*>(field))
        pal.setColor(QPalette::Button, pal.color(QPalette::Base));
    field->setPalette(pal);
}
