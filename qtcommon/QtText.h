#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
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

// Texts of the core, in their order: column captions, filters.
inline QStringList ToQStringList(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list.push_back(ToQString(text));
    return list;
}

} // namespace qtcommon
