#include "store/access/Unreadable.h"

namespace jet {

void Refuse(const std::string& why)
{
    throw Unreadable(why);
}

void Place::Fail(const std::string& what) const
{
    Refuse("table '" + table + "', page " + std::to_string(page) + ": " + what);
}

} // namespace jet
