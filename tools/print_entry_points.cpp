#include "tools/print_entry_points.h"

namespace tools {

PrintEntryPoints& printEntryPoints()
{
    static PrintEntryPoints table;
    return table;
}

} // namespace tools
