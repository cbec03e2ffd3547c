#include "platform/UniqueHandle.h"

#include <unistd.h>

namespace platform {

void DescriptorTraits::Close(int fd)
{
    ::close(fd);
}

} // namespace platform
