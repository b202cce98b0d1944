// Comparisons shared by the window tests.
#pragma once

#include <QWidget>
#include <cstring>

#include "Stat_Lib.h"

// Two vectors of the same numbers, bit for bit.
inline bool SameBits(const TVector& a, const TVector& b)
{
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

// The widget that Tab moves focus to from w.
inline QWidget* NextTabStop(QWidget* w)
{
    do
        w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus));
    return w;
}
