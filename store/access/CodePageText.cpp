#include "store/access/CodePageText.h"

#include "store/access/Unreadable.h"
#include "store/access/Utf8.h"

namespace jet {

namespace {
constexpr std::uint16_t kWestern = 1252;

bool IsMultiByte(std::uint16_t codePage)
{
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 ||
           codePage == 951;
}
} // namespace

CodePageText::CodePageText(std::uint16_t codePage)
{
    if (IsMultiByte(codePage))
        Refuse("it is an Access 97 file whose texts are in code page " + std::to_string(codePage) +
               ", which this reader does not convert");
    high_ = CodePageHighHalf(codePage);
    if (!high_)
        high_ = CodePageHighHalf(kWestern);
}

std::string CodePageText::ToUtf8(std::string_view stored) const
{
    std::string text;
    text.reserve(stored.size());
    for (const char c : stored) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            text.push_back(c);
        else if (const std::uint16_t unit = high_[byte - 0x80])
            AppendUtf8(text, unit);
        else
            text.push_back('?');
    }
    return text;
}

} // namespace jet
