#include "viewer/later_windows.h"

namespace laterwindows {

Hooks& hooks()
{
    static Hooks table;
    return table;
}

} // namespace laterwindows
