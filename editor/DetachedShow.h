#pragma once

#include "editor/ShowContext.h"
#include "show/Show.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"

#include <string>

namespace editor {

// What a show command works on when it runs off the window's thread: a store
// connection and recordset of its own, a copy of the window's store path and,
// for a command that reads the show (Save), a copy of the show, unsaved names
// included. The window takes back what the command made of them (HandBack)
// before each question the command asks and once it ended, so that at every
// question the window stands as it would have with the command on its own
// thread; a cancelled command is never handed back.
class DetachedShow
{
public:
    enum class Copy
    {
        kPathOnly, // the command only loads a show (import, Open)
        kShow,     // it reads the show as the window holds it
    };

    DetachedShow(const show::Show& show, const std::string& storePath, Copy copy);
    DetachedShow(const DetachedShow&) = delete;
    DetachedShow& operator=(const DetachedShow&) = delete;

    ShowContext Context(prompt::Prompt& prompt, show::WorkProgress& progress);
    // On the window's thread, while the command waits for an answer or once
    // it `ended`: the window's show and path become the command's. An ended
    // command's show is moved, not copied: a show of 100 000 cues is never
    // held twice.
    void HandBack(show::Show& show, std::string& storePath, bool ended);

private:
    CADODataBase db_;
    CADORecordset rs_;
    std::string storePath_;
    show::Show model_;
    show::Show::Subscription watch_;
    bool replaced_ = false; // a new show, since the last hand-back
    bool saved_ = false;    // names stored, since the last hand-back
};

} // namespace editor
