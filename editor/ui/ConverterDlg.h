#pragma once

#include "ADODataBase.h"
#include "ADORecordset.h"
#include "ShowContext.h"

#include <QMainWindow>
#include <memory>
#include <optional>
#include <string>

namespace Ui {
class ConverterDlg;
}
namespace prompt {
class Prompt;
}
class CVSFlexGrid;

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

    const std::string& CurrentStorePath() const { return m_strStorePath; }
    bool IsStoreOpen() const { return m_db.IsOpen(); }

protected:
    void closeEvent(QCloseEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void SetUpWindow();
    void ConnectCommands();
    editor::ShowContext Context();

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
    std::optional<std::string> FieldStorePath();
    void OnGridRowCountChanged(int rows);
    void OnGridBeforeEdit(int row, int column, bool* cancel);
    void OnGridMouseDown(short button);

    std::unique_ptr<Ui::ConverterDlg> ui;
    std::unique_ptr<prompt::Prompt> m_ownPrompt;
    prompt::Prompt* m_prompt = nullptr;
    bool m_comStarted = false;

    CVSFlexGrid* m_grid = nullptr;
    CADODataBase m_db;
    CADORecordset m_rs;
    std::string m_strStorePath;
};
