// Floating-point invalid operation, division by zero and overflow are errors in Velmora.
// The numerics use plain IEEE arithmetic; evaluation entry points run inside a FloatScope,
// which clears the flags, and throw EMathError when one of the three was raised.
// Underflow and inexact pass silently.
#pragma once

#include <cfenv>
#include <stdexcept>
#include <string>
#include <type_traits>

class EMathError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Message texts shown to the user.
extern const char* const MsgInvalidOp;   // "Invalid floating point operation"
extern const char* const MsgZeroDivide;  // "Floating point division by zero"
extern const char* const MsgOverflow;    // "Floating point overflow"

// Saves the caller's flags and clears them; Check() throws for a raised error flag; the
// destructor puts the caller's flags back, so scopes nest without disturbing each other.
class FloatScope {
public:
    FloatScope();
    ~FloatScope();
    FloatScope(const FloatScope&) = delete;
    FloatScope& operator=(const FloatScope&) = delete;

    void Check() const;

private:
    std::fexcept_t saved_;
};

// The error flags (FE_INVALID, FE_DIVBYZERO, FE_OVERFLOW) raised since the last clear.
int RaisedFloatErrors();

// Throws the EMathError that the given flags stand for; does nothing for none.
void ThrowFloatError(int flags);

// Returns v after storing it in a volatile: the computation of v then takes place before
// whatever follows, such as a test of the flags. (The compiler may otherwise schedule
// arithmetic after a flag test that comes later in the source.)
template <class T>
T Settle(T v)
{
    volatile T settled = v;
    return settled;
}

// Runs f() with the flags cleared, puts the caller's flags back and returns the error flags
// that f() raised (0 for none); throws nothing of its own. f settles the values it forms.
template <class F>
int FloatErrorsOf(F&& f)
{
    std::fexcept_t saved;
    std::fegetexceptflag(&saved, FE_ALL_EXCEPT);
    std::feclearexcept(FE_ALL_EXCEPT);
    f();
    const int raised = RaisedFloatErrors();
    std::fesetexceptflag(&saved, FE_ALL_EXCEPT);
    return raised;
}

// Runs f() with the flags cleared and throws when it raised an error flag.
template <class F>
auto FloatChecked(F&& f) -> decltype(f())
{
    FloatScope scope;
    if constexpr (std::is_void_v<decltype(f())>) {
        f();
        scope.Check();
    } else {
        auto result = Settle(f());
        scope.Check();
        return result;
    }
}
