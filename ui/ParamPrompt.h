// The parameter prompt of the calculator and the generation dialog: one input box per
// parameter of a kind, titled with the caption and labelled with the parameter's name.
#pragma once

#include <QString>

#include "Stat_Lib.h"

class QWidget;

// Fills params (resized to the kind's count) from the answers to boxes over `owner`; false at
// the first answer that is cancelled or does not read as a number, and no further box is shown.
bool PromptParams(QWidget* owner, TDistKind kind, const QString& caption, char separator,
                  TVector& params);
