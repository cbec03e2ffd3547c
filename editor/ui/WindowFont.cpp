#include "editor/ui/WindowFont.h"

#include "qtcommon/QtText.h"
#include "resources/strings/Strings.h"

#include <QFont>
#include <QStringList>

namespace editor {

void InstallFontFallbacks()
{
    static const bool installed = [] {
        QFont::insertSubstitutions(qtcommon::ToQString(strings::kGridFont),
                                   {QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                                    QStringLiteral("WenQuanYi Micro Hei"),
                                    QStringLiteral("Noto Sans CJK SC"),
                                    QStringLiteral("Droid Sans Fallback")});
        return true;
    }();
    (void)installed;
}

} // namespace editor
