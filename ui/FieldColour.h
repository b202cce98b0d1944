// Field colours that carry state: a rejected text, the current input, or neutral.
#pragma once

class QWidget;

enum class FieldColour { Neutral, Input, Rejected };

void SetFieldColour(QWidget* field, FieldColour colour);
