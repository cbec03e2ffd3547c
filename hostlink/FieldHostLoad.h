#pragma once

#include "hostlink/FieldLoad.h"

#include <functional>

namespace hostlink {

// One host of a field load from start to end, on the calling thread: its
// name, then the show. Every change goes to `report`.
FieldHostState LoadOneFieldHost(const FieldLoadRequest& field, const FieldHost& host,
                                const std::function<void(const FieldHostState&)>& report);

} // namespace hostlink
