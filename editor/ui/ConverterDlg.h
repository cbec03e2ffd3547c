#pragma once

#include "editor/ShowContext.h"
#include "hostlink/ui/HostDialogOptions.h"
#include "messages/FailureMessage.h"
#include "show/Show.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class ConverterDlg;
}
namespace prompt {
class Prompt;
}
namespace hostlink {
class RehearsalHosts;
}
class CVSFlexGrid;
namespace editor {
class ShowStatusDisplay;
class HostDialogGate;
class CDesignerTools;
class LongWork;
} // namespace editor

// The main window: the cue grid, the menus and the toolbar, and the show store
// the grid came from. Commands arrive by their fixed numbers (OnCommand).
class CConverterDlg : public QMainWindow
{
    Q_OBJECT

public:
    // Talks to the user through message boxes and file dialogs of its own.
    explicit CConverterDlg(QWidget* parent = nullptr);
    // Talks to the user through `prompt` (a scripted one, in tests).
    explicit CConverterDlg(prompt::Prompt& prompt, QWidget* parent = nullptr);
    ~CConverterDlg() override;

    void OnCommand(int id);

    // Opens the show store `path` exactly as "Corvane Database" would, with
    // its checks and messages (the program's command line).
    void OpenStoreFile(const std::string& path);

    const std::string& CurrentStorePath() const { return m_strStorePath; }
    bool IsStoreOpen() const { return m_db.IsOpen(); }
    // The show's host names differ from what was last loaded or saved.
    bool HasUnsavedHostNames() const;
    const show::Show& Show() const { return m_show; }

    // Where the host dialogs find their hosts (tests: on loopback).
    void SetHostDialogOptions(hostlink::HostDialogOptions options);
    // The rehearsal (Tools > Rehearsal, `tavrin --rehearse`): every host
    // dialog's host code N at 127.0.0.1, port 10061 + N, with the waits of
    // the options above; the title and the status bar say so. Turning it
    // off ends the virtual hosts it started.
    void SetRehearsal(bool on);
    bool InRehearsal() const { return m_rehearsal; }
    // The host dialogs' options as they are now: the rehearsal's in one.
    hostlink::HostDialogOptions HostOptions() const;
    // The virtual hosts Tools > Start Virtual Hosts started; none before.
    hostlink::RehearsalHosts* VirtualHosts() { return m_virtualHosts.get(); }
    editor::CDesignerTools& DesignerTools() { return *m_tools; }
    // The long commands: the import, Open, Save and the show check.
    editor::LongWork& LongCommands() { return *m_longWork; }

protected:
    void closeEvent(QCloseEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void SetUpWindow();
    void SetUpKeyboard();
    void ConnectCommands();
    editor::ShowContext Context();
    // Runs a show command off the window's thread, on a copy of what it
    // works on, saying `doing` once it takes long (see editor::LongWork).
    // The failure it raises is shown here, as one met while `failing`. True
    // when it ended without one; false too when the user cancelled it, the
    // window then as it was. `readsShow`: the command reads the show (Save),
    // not only loads one.
    bool RunShowCommand(const char* doing, messages::Doing failing, bool readsShow,
                        std::function<void(editor::ShowContext&)> command);
    // Open and the FireOne import: after the question about unsaved names,
    // `command` brings another show into the window.
    void ReplaceShow(const char* doing, messages::Doing failing,
                     std::function<void(editor::ShowContext&)> command);
    bool SaveHostNames();
    editor::HostDialogGate DialogGate();
    void ScheduleStatus();
    void ShowStatus();
    // Reads what the hosts of the current store's plan hold, then shows the
    // status: after a load, a save or a host dialog, not after every edit.
    void ShowHostStates();

    // Asks before unsaved host names would be lost to `next`; true to go on.
    bool MayDropUnsavedNames(const char* next);
    void OnOpen();
    void OnSave();
    void OnClose();
    void OnExit();
    void OnAbout();
    void OnFireOneImport();
    void OnAssignHost();
    void OnDownload();
    void OnHostSettings();
    void OnCheckShow();
    void OnHostPlan();
    void OnLoadAllHosts();
    void OnVirtualHosts();
    std::optional<std::string> FieldStorePath();
    // A dialog on the field's store (the plan, the field load), `next` being
    // what the unsaved-names question calls it; the hosts' states afresh after.
    template <typename FieldDialog> void OpenFieldDialog(const char* next);
    void OnShowChanged(const show::ShowChange& change);
    void OnEscape();
    void OnGridRowCountChanged(int rows);
    void OnGridBeforeEdit(int row, int column, bool* cancel);
    void OnGridMouseDown(short button);

    std::unique_ptr<Ui::ConverterDlg> ui;
    std::unique_ptr<prompt::Prompt> m_ownPrompt;
    prompt::Prompt* m_prompt = nullptr;
    bool m_comStarted = false;

    show::Show m_show; // what the grid shows
    show::Show::Subscription m_showSubscription;
    CVSFlexGrid* m_grid = nullptr;
    CADODataBase m_db;
    CADORecordset m_rs;
    std::string m_strStorePath;

    std::unique_ptr<editor::ShowStatusDisplay> m_status;
    QTimer m_statusTimer; // one status update after a burst of cell changes
    std::optional<int> m_hostsNotCurrent;
    hostlink::HostDialogOptions m_hostOptions;
    bool m_rehearsal = false;
    std::unique_ptr<hostlink::RehearsalHosts> m_virtualHosts; // they end with the window
    editor::CDesignerTools* m_tools = nullptr;
    // Last: it goes first, waiting for cancelled commands that are still ending.
    std::unique_ptr<editor::LongWork> m_longWork;
};
