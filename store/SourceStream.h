#pragma once

#include "store/ComError.h"
#include "store/engine/DatabaseEngine.h"

#include <functional>
#include <string>

namespace store {

// Runs `stream`, which reads a table or a query of `source` into the sink it
// is given: `sink` itself, watched. A failure of the reading is raised as
// `unread` makes it from the text a recordset opened on `source` would
// record; one that `sink` raised passes on as it is. The rows come as they
// are read, never held all at once.
void StreamSource(const std::string& source, const RowSink& sink,
                  const std::function<void(const RowSink&)>& stream,
                  const std::function<void(const std::string& text)>& unread);

} // namespace store
