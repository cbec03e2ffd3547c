// tavrin-mdb-reader: reads one Access (Jet 3 or Jet 4) file, read-only, and
// writes what was asked on standard output (see MdbReaderProtocol.h).
//
//   tavrin-mdb-reader catalogue FILE
//   tavrin-mdb-reader table FILE TABLE
#include "platform/Console.h"
#include "store/access/Unreadable.h"
#include "store/mdbreader/AnswerWriter.h"
#include "store/mdbreader/MdbReader.h"

#include <cstdio>
#include <exception>
#include <new>
#include <string>

int main(int nativeArgc, char** nativeArgv)
{
    using namespace mdbreader;
    // The file's path in UTF-8 (read in UTF-16 on Windows).
    platform::Utf8Arguments arguments(nativeArgc, nativeArgv);
    const int argc = arguments.argc();
    char** argv = arguments.argv();
    const std::string command = argc > 1 ? argv[1] : "";
    if (!((command == "catalogue" && argc == 3) || (command == "table" && argc == 4))) {
        std::fputs("usage: tavrin-mdb-reader catalogue FILE\n"
                   "       tavrin-mdb-reader table FILE TABLE\n",
                   stderr);
        return mdbproto::kExitUsage;
    }
    // The answer is bytes: "\n" must not become "\r\n" on Windows.
    platform::MakeStandardOutputBinary();
    AnswerWriter out(stdout);
    try {
        try {
            if (command == "catalogue")
                WriteCatalogue(argv[2], out);
            else
                WriteTable(argv[2], argv[3], out);
            out.Finish();
            return mdbproto::kExitAnswered;
        } catch (const jet::Unreadable& failure) {
            out.Fail(failure.what());
        } catch (const std::bad_alloc&) {
            out.Fail("the reader ran out of memory");
        } catch (const OutputFailed&) {
            throw;
        } catch (const std::exception& error) {
            out.Fail(std::string("the reader failed: ") + error.what());
        }
        return mdbproto::kExitFailed;
    } catch (const OutputFailed&) {
        return mdbproto::kExitOutputFailed;
    }
}
