#include "qtcommon/FileDialogFilters.h"

#include "qtcommon/QtText.h"

namespace qtcommon {

QStringList FileDialogFilters(const prompt::FileChoice& choice)
{
    QStringList filters;
    for (const prompt::FileFilter& filter : choice.filters) {
        QString text = ToQString(filter.label);
        if (!text.contains(QLatin1Char('('))) {
            QStringList patterns;
            for (const std::string& pattern : filter.patterns)
                patterns << ToQString(pattern);
            text += QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
        }
        filters << text;
    }
    return filters;
}

} // namespace qtcommon
