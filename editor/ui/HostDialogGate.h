#pragma once

#include <functional>
#include <string>

class QWidget;

namespace prompt {
class Prompt;
}

namespace show {
struct ShowCheckReport;
}

namespace editor {

// What the main window checks before one of its host dialogs reads the show
// store the user chose there: when it is the window's own store and the grid
// holds unsaved host names, whether to save them first; and before a
// download, the show check, whose errors stop it unless the designer
// chooses "Download anyway".
class HostDialogGate
{
public:
    struct Window
    {
        prompt::Prompt& prompt;
        QWidget* owner;
        std::string currentStore;
        std::function<bool()> unsaved; // the grid holds unsaved host names
        std::function<bool()> save;    // Save; true when every name was written
    };

    explicit HostDialogGate(Window window) : window_(std::move(window)) {}

    // True when the download may go on with `path`. Warnings alone let it go
    // on and are passed to `showWarnings`.
    bool BeforeDownload(const std::string& path,
                        const std::function<void(const std::string&)>& showWarnings);
    // True when Host Settings may read its host names from `path`.
    bool BeforeHostSettings(const std::string& path);
    // True when any other reader of `path` (`next` says which) may go on.
    bool BeforeReading(const std::string& path, const char* next);

private:
    bool ErrorsAccepted(const std::string& path, const show::ShowCheckReport& report);

    Window window_;
};

} // namespace editor
