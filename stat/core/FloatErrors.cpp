#include "FloatErrors.h"

const char* const MsgInvalidOp = "Invalid floating point operation";
const char* const MsgZeroDivide = "Floating point division by zero";
const char* const MsgOverflow = "Floating point overflow";

void ThrowFloatError(int flags)
{
    // A division by zero or an overflow comes first: the invalid operation that often follows
    // (an infinity times zero, say) is its consequence, while a NaN raises nothing further.
    if (flags & FE_DIVBYZERO)
        throw EMathError(MsgZeroDivide);
    if (flags & FE_OVERFLOW)
        throw EMathError(MsgOverflow);
    if (flags & FE_INVALID)
        throw EMathError(MsgInvalidOp);
}
