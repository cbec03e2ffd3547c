// tavrin-mdb-reader: reads one Access (Jet 3 or Jet 4) file, read-only, and
// writes what was asked on standard output (see MdbReaderProtocol.h).
//
//   tavrin-mdb-reader catalogue FILE
//   tavrin-mdb-reader table FILE TABLE
#include "platform/Console.h"
#include "store/ComError.h"
#include "store/mdbreader/AnswerWriter.h"
#include "store/mdbreader/MdbReader.h"

#include <cstdio>
#include <exception>
#include <new>
#include <string>

int main(int argc, char** argv)
{
    using namespace mdbreader;
    const std::string command = argc > 1 ? argv[1] : "";
    if (!((command == "catalogue" && argc == 3) || (command == "table" && argc == 4))) {
        std::fputs("usage: tavrin-mdb-reader catalogue FILE\n"
                   "       tavrin-mdb-reader table FILE TABLE\n",
                   stderr);
        return mdbproto::kExitUsage;
    }
    // libmdb prints diagnostics on standard output now and then: the answer
    // keeps the real one to itself, and libmdb's go where errors go.
    const int answerFd = platform::TakeBinaryStandardOutput();
    if (answerFd < 0)
        return mdbproto::kExitOutputFailed;
    AnswerWriter out(answerFd);
    try {
        try {
            if (command == "catalogue")
                WriteCatalogue(argv[2], out);
            else
                WriteTable(argv[2], argv[3], out);
            out.Finish();
            return mdbproto::kExitAnswered;
        } catch (const ado::_com_error& failure) {
            out.Fail(failure.what());
        } catch (const std::bad_alloc&) {
            out.Fail("the reader ran out of memory");
        } catch (const std::exception& error) {
            out.Fail(std::string("the reader failed: ") + error.what());
        }
        return mdbproto::kExitFailed;
    } catch (const OutputFailed&) {
        return mdbproto::kExitOutputFailed;
    }
}
