// Floating-point invalid operation, division by zero and overflow are errors in Velmora.
// The numerics use plain IEEE arithmetic; evaluation entry points run inside a FloatScope,
// which starts with these flags clear, and throw EMathError when one of the three was raised.
// Underflow and inexact pass silently.
#pragma once

#include <cfenv>
#include <cstdint>
#include <type_traits>

#include "Stat_Lib.h"

// Message texts shown to the user.
extern const char* const MsgInvalidOp;   // "Invalid floating point operation"
extern const char* const MsgZeroDivide;  // "Floating point division by zero"
extern const char* const MsgOverflow;    // "Floating point overflow"

// The flags of both floating-point units of this thread: the x87 status word (extended
// arithmetic) and MXCSR (double arithmetic). Reading and clearing them are cheap status
// instructions; only setting x87 flags other than none needs the whole x87 environment.
class FloatFlags {
public:
    static constexpr unsigned Errors = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

    static FloatFlags Current()
    {
        std::uint16_t status;
        std::uint32_t csr;
        asm volatile("fnstsw %0" : "=am"(status));
        asm volatile("stmxcsr %0" : "=m"(csr));
        return FloatFlags(status & FE_ALL_EXCEPT, csr & FE_ALL_EXCEPT);
    }

    // The flags raised in either unit (FE_ macros), and the error flags among them.
    int Raised() const { return static_cast<int>(x87_ | sse_); }
    int RaisedErrors() const { return static_cast<int>((x87_ | sse_) & Errors); }

    // Clears the flags of both units, these being the current ones.
    void Clear() const
    {
        if (x87_)
            asm volatile("fnclex");
        if (sse_)
            SetSse(0);
    }

    // Puts these flags back in place of `now`, the current ones.
    void RestoreFrom(const FloatFlags& now) const
    {
        if (now.x87_ != x87_) {
            if (x87_ == 0)
                asm volatile("fnclex");
            else
                SetX87(x87_);
        }
        if (now.sse_ != sse_)
            SetSse(sse_);
    }

private:
    FloatFlags(unsigned x87, unsigned sse) : x87_(x87), sse_(sse) {}

    static void SetSse(unsigned flags)
    {
        std::uint32_t csr;
        asm volatile("stmxcsr %0" : "=m"(csr));
        csr = (csr & ~static_cast<std::uint32_t>(FE_ALL_EXCEPT)) | flags;
        asm volatile("ldmxcsr %0" : : "m"(csr));
    }

    // The x87 status word is set only through the whole environment.
    static void SetX87(unsigned flags)
    {
        struct {
            std::uint16_t control, pad0, status, pad1;
            std::uint32_t rest[5];
        } env;
        asm volatile("fnstenv %0" : "=m"(env));
        env.status = static_cast<std::uint16_t>((env.status & ~FE_ALL_EXCEPT) | flags);
        asm volatile("fldenv %0" : : "m"(env));
    }

    unsigned x87_, sse_;
};

// The error flags (FE_INVALID, FE_DIVBYZERO, FE_OVERFLOW) raised since the last clear.
inline int RaisedFloatErrors()
{
    return FloatFlags::Current().RaisedErrors();
}

// Throws the EMathError that the given flags stand for; does nothing for none.
void ThrowFloatError(int flags);

// Saves the caller's flags and starts with the error flags clear; End() puts the caller's
// flags back and gives the error flags raised inside (the destructor puts them back when End
// was not reached), so scopes nest without disturbing each other.
// Only the error flags are ever tested: when the caller has none raised, its other flags
// (inexact, underflow) are left in place, and the flags need setting at the end only when the
// scope raised one that the caller did not have.
class FloatScope {
public:
    FloatScope() : saved_(FloatFlags::Current())
    {
        if (saved_.RaisedErrors())
            saved_.Clear();
    }
    ~FloatScope()
    {
        if (!ended_)
            saved_.RestoreFrom(FloatFlags::Current());
    }
    FloatScope(const FloatScope&) = delete;
    FloatScope& operator=(const FloatScope&) = delete;

    int End()
    {
        const FloatFlags now = FloatFlags::Current();
        ended_ = true;
        saved_.RestoreFrom(now);
        return now.RaisedErrors();
    }

    // Ends the scope and throws for an error flag raised inside it.
    void Close() { ThrowFloatError(End()); }

private:
    FloatFlags saved_;
    bool ended_ = false;
};

// Returns v after storing it in a volatile: the computation of v then takes place before
// whatever follows, such as a test of the flags. (The compiler may otherwise schedule
// arithmetic after a flag test that comes later in the source.)
template <class T>
T Settle(T v)
{
    volatile T settled = v;
    return settled;
}

// Runs f() with the error flags clear, puts the caller's flags back and returns the error
// flags that f() raised (0 for none); throws nothing of its own. f settles the values it forms.
template <class F>
int FloatErrorsOf(F&& f)
{
    FloatScope scope;
    f();
    return scope.End();
}

// Runs f() with the error flags clear and throws when it raised one.
template <class F>
auto FloatChecked(F&& f) -> decltype(f())
{
    FloatScope scope;
    if constexpr (std::is_void_v<decltype(f())>) {
        f();
        scope.Close();
    } else {
        auto result = Settle(f());
        scope.Close();
        return result;
    }
}
