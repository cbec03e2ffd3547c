#pragma once

#include <QString>
#include <string>

namespace qtcommon {

// The core keeps UTF-8 texts; Qt keeps UTF-16.
inline QString ToQString(const std::string& text)
{
    return QString::fromStdString(text);
}
inline QString ToQString(const char* text)
{
    return QString::fromUtf8(text);
}
inline std::string ToStdString(const QString& text)
{
    return text.toStdString();
}

} // namespace qtcommon
