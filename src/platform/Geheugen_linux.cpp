#include "platform/Geheugen.h"

#include <malloc.h>

namespace Vamox {

void GeheugenTeruggeven()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace Vamox
