// The points of the pivots' laws.
#include "ChiStudent.h"
#include "F.h"
#include "Normal.h"
#include "Pivots.h"

L NormalPoint(double p)
{
    return NormalStdSoundInverse({}, p);
}

L Chi2Point(double degrees, double p)
{
    return Chi2SoundInverse({degrees}, p);
}

L StudentPoint(double degrees, double p)
{
    return StudentSoundInverse({degrees}, p);
}

L FPoint(double n, double m, double p)
{
    return FSoundInverse({n, m}, p);
}
