#include "store/engine/MdbReaderProcess.h"

#include "store/ComError.h"
#include "store/engine/MdbReaderStream.h"

namespace store {

namespace {
constexpr std::size_t kPieceBytes = std::size_t{1} << 20;
}

void RaiseReaderFailure(const std::string& reason)
{
    throw ado::_com_error(ado::E_FAIL, "Access database reader", reason);
}

MdbReaderRun RunMdbReader(const std::string& program, const std::vector<std::string>& arguments,
                          const MdbReaderLimits& limits)
{
    MdbReaderStream reader(program, arguments, limits);
    MdbReaderRun run;
    while (reader.Read(run.output, kPieceBytes)) {
    }
    run.exitStatus = reader.End();
    return run;
}

} // namespace store
