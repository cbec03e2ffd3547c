#include "platform/WindowsText.h"

#include <windows.h>

namespace platform::windows {

namespace {
std::optional<std::wstring> ToWide(std::string_view utf8, DWORD flags)
{
    if (utf8.empty())
        return std::wstring();
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, flags, utf8.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, flags, utf8.data(), size, wide.data(), length);
    return wide;
}
} // namespace

std::wstring Wide(std::string_view utf8)
{
    return ToWide(utf8, 0).value_or(std::wstring());
}

std::optional<std::wstring> StrictWide(std::string_view utf8)
{
    return ToWide(utf8, MB_ERR_INVALID_CHARS);
}

std::string Narrow(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    const int size = static_cast<int>(utf16.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::string ErrorText(unsigned long code)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string words = length ? Narrow(std::wstring_view(text, length)) : std::string();
    LocalFree(text);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == '.'))
        words.pop_back();
    return words.empty() ? "Windows error " + std::to_string(code) : words;
}

} // namespace platform::windows
