#include "platform/Gbk.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>

namespace platform {

namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));
constexpr std::size_t kConversionFailed = static_cast<std::size_t>(-1);

class Converter
{
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (cd_ != kNoConverter)
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::optional<std::string> Convert(std::string_view in)
    {
        if (cd_ == kNoConverter)
            return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        // No byte of either side grows to more than three: room for all of it.
        std::string out(in.size() * 3 + 4, '\0');
        char* inPtr = const_cast<char*>(in.data()); // iconv's signature; it does not write
        std::size_t inLeft = in.size();
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        const std::size_t irreversible = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
        if (irreversible == kConversionFailed || irreversible != 0 || inLeft != 0)
            return std::nullopt;
        if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == kConversionFailed)
            return std::nullopt;
        out.resize(out.size() - outLeft);
        return out;
    }

private:
    iconv_t cd_;
};

} // namespace

// One converter per thread and direction: opening one costs more than a
// frame's worth of conversion, and a converter must not be shared.
std::optional<std::string> Utf8ToGbk(std::string_view utf8)
{
    if (IsAscii(utf8))
        return std::string(utf8);
    thread_local Converter converter("GBK", "UTF-8");
    return converter.Convert(utf8);
}

std::optional<std::string> GbkToUtf8(std::string_view gbk)
{
    if (IsAscii(gbk))
        return std::string(gbk);
    thread_local Converter converter("UTF-8", "GBK");
    return converter.Convert(gbk);
}

} // namespace platform
