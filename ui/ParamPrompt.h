// The parameter prompt of the calculator and the generation dialog: one input box per
// parameter of a kind, titled with the caption and labelled with the parameter's name.
#pragma once

#include <QString>

#include "Stat_Lib.h"

class QWidget;

// How a prompt ended: every parameter read, a box cancelled, or an answer that does not read
// as a number. No further box is shown after the last two.
enum class TPromptEnd { Read, Cancelled, Unreadable };

// Fills params (resized to the kind's count) from the answers to boxes over `owner`. A value
// the kind cannot take is refused with a message that names the parameter and its range, and
// the same box is asked again with the answer kept for editing.
TPromptEnd PromptParams(QWidget* owner, TDistKind kind, const QString& caption, char separator,
                        TVector& params);
