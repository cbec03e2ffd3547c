#pragma once

#include <string>
#include <vector>

// A command-line program's arguments and standard streams.
namespace platform {

// The line end the standard streams write for "\n": the CRT's text mode
// makes it "\r\n" on Windows, as Windows consoles and tools expect; files
// the program writes itself keep "\n" on both.
#ifdef _WIN32
inline constexpr char kLineEnd[] = "\r\n";
#else
inline constexpr char kLineEnd[] = "\n";
#endif

// The program's arguments as UTF-8, argv[0] first. On Windows they are read
// in UTF-16 (the narrow ones went through the ANSI code page); elsewhere
// they are taken as they came.
class Utf8Arguments
{
public:
    Utf8Arguments(int argc, char** argv);
    Utf8Arguments(const Utf8Arguments&) = delete;
    Utf8Arguments& operator=(const Utf8Arguments&) = delete;

    int argc() const { return static_cast<int>(texts_.size()); }
    char** argv() { return pointers_.data(); }

private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;
};

// Makes the standard streams carry UTF-8 text: a Windows console shows it
// (its code page becomes UTF-8 while the program runs), and a write to a
// closed pipe fails like any other write instead of raising SIGPIPE.
void PrepareStandardStreams();

// Whether standard error is a terminal (a console on Windows), which shows a
// line that is rewritten in place.
bool StandardErrorIsTerminal();

// Whether standard output is a pipe whose reader has gone (`| head`): what
// is left unwritten was not wanted, which is no failure to report.
bool StandardOutputReaderGone();

// Standard output writes its bytes as they are ("\n" stays "\n" on Windows).
void MakeStandardOutputBinary();

} // namespace platform
