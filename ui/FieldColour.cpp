#include "FieldColour.h"

#include <QComboBox>
#include <QWidget>

void SetFieldColour(QWidget* field, FieldColour colour)
{
    if (colour == FieldColour::Neutral) {
        field->setPalette(QPalette());  // the window's colours again, whatever its palette
        return;
    }
    QPalette pal = field->palette();
    pal.setColor(QPalette::Base, colour == FieldColour::Input ? QColor(0, 255, 0) : QColor(255, 0, 0));
    // Black reads on bright green and red in every palette (a dark one's text is white).
    pal.setColor(QPalette::Text, QColor(0, 0, 0));
    // A list without typing paints its face in the button colour, its text in ButtonText.
    if (qobject_cast<QComboBox*>(field)) {
        pal.setColor(QPalette::Button, pal.color(QPalette::Base));
        pal.setColor(QPalette::ButtonText, pal.color(QPalette::Text));
    }
    field->setPalette(pal);
}
