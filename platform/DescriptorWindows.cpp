#include "platform/UniqueHandle.h"

#include <io.h>

namespace platform {

void DescriptorTraits::Close(int fd)
{
    _close(fd);
}

} // namespace platform
