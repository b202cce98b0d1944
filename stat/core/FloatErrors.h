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
// arithmetic) and MXCSR (double arithmetic). Reading them and clearing every x87 flag are
// cheap status instructions; setting x87 flags other than none needs the whole x87
// environment. Only the error flags are ever cleared: on this machine class an x87 operation
// that raises inexact while its flag is clear waits some 45 ns for microcode, so clearing
// inexact would make the next extended operation pay that.
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

    // The error flags raised in either unit (FE_ macros).
    int RaisedErrors() const { return static_cast<int>((x87_ | sse_) & Errors); }

    // Puts these error flags back in place of those of `now`, the current flags, leaving the
    // others (inexact, underflow) as they are.
    void RestoreErrorsFrom(const FloatFlags& now) const
    {
        const unsigned x87 = (now.x87_ & ~Errors) | (x87_ & Errors);
        const unsigned sse = (now.sse_ & ~Errors) | (sse_ & Errors);
        if (x87 != now.x87_) {
            if (x87 == 0)
                asm volatile("fnclex");
            else
                SetX87(x87);
        }
        if (sse != now.sse_)
            SetSse(sse);
    }

    // These flags without their errors.
    FloatFlags WithoutErrors() const { return FloatFlags(x87_ & ~Errors, sse_ & ~Errors); }

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

// Saves the caller's error flags and starts with them clear; End() puts them back and gives
// the error flags raised inside (the destructor puts them back when End was not reached), so
// scopes nest without disturbing each other. Only the error flags are ever tested or set:
// inexact and underflow pass, raised inside or not, and the flags need setting at the start
// only when the caller has an error flag raised, at the end only when the scope raised one
// that the caller did not have.
class FloatScope {
public:
    FloatScope() : saved_(FloatFlags::Current())
    {
        if (saved_.RaisedErrors())
            saved_.WithoutErrors().RestoreErrorsFrom(saved_);
    }
    ~FloatScope()
    {
        if (!ended_)
            saved_.RestoreErrorsFrom(FloatFlags::Current());
    }
    FloatScope(const FloatScope&) = delete;
    FloatScope& operator=(const FloatScope&) = delete;

    int End()
    {
        const FloatFlags now = FloatFlags::Current();
        ended_ = true;
        saved_.RestoreErrorsFrom(now);
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
