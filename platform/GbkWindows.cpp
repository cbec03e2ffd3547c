#include "platform/Gbk.h"
#include "platform/WindowsText.h"

#include <windows.h>

namespace platform {

namespace {
constexpr UINT kGbk = 936;
} // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8)
{
    if (IsAscii(utf8))
        return std::string(utf8);
    const std::optional<std::wstring> wide = windows::StrictWide(utf8);
    if (!wide)
        return std::nullopt;
    if (wide->empty())
        return std::string();
    const int size = static_cast<int>(wide->size());
    // No best fit (Ω as O, say) and no default character: a character GBK
    // does not have is refused, as iconv refuses it.
    BOOL substituted = FALSE;
    const int length = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide->data(), size, nullptr,
                                           0, nullptr, &substituted);
    if (length <= 0 || substituted)
        return std::nullopt;
    std::string gbk(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide->data(), size, gbk.data(), length, nullptr,
                        &substituted);
    if (substituted)
        return std::nullopt;
    return gbk;
}

std::optional<std::string> GbkToUtf8(std::string_view gbk)
{
    if (IsAscii(gbk))
        return std::string(gbk);
    if (gbk.empty())
        return std::string();
    const int size = static_cast<int>(gbk.size());
    const int length =
        MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), size, wide.data(), length);
    return windows::Narrow(wide);
}

} // namespace platform
