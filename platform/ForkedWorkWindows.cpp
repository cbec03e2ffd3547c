#include "platform/ForkedWork.h"

namespace platform {

bool RunForked(const std::function<int()>& work)
{
    try {
        return work() == 0;
    } catch (...) { // the work's own failure, said by the work
        return false;
    }
}

} // namespace platform
