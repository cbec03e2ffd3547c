#pragma once

#include "hostlink/ui/ConversationWorker.h"
#include "hostlink/ui/HostDialogOptions.h"
#include "messages/FailureMessage.h"

#include <QDialog>
#include <optional>
#include <string>
#include <utility>

class QLineEdit;
class QSize;

namespace prompt {
class Prompt;
}

// What closing a host dialog does while a conversation runs: it waits for
// the end, or asks the conversation to stop first; with a question, only
// after Yes (No: it goes on and the dialog stays).
struct ClosingWhileWorking
{
    bool stops = false;
    const char* question = nullptr;
};

// What every host dialog has in common: the prompt it talks through, its
// options (where each host is, the show store a chooser starts at and the
// gate it must pass), the socket layer it starts and releases, the worker
// its conversations with hosts run on, and closing, which waits for a
// conversation to end (stopping it, or asking first, as the dialog says):
// nothing goes on talking to a host after its dialog. A dialog that only
// opens others (the Host Plan) starts no conversation and no socket layer:
// it is never working, and closes at once. Every question and message is
// asked on the window's thread.
class CHostDialog : public QDialog
{
    Q_OBJECT

public:
    ~CHostDialog() override;

    // A conversation runs, or its result is being shown.
    bool IsWorking() const { return busy_; }
    // The dialog's Cancel: asks the running conversation to stop.
    void OnCancel() { worker_.RequestStop(); }
    // The dialog's own close button: releases the socket layer and closes
    // with OK; during a conversation, closes once it has ended.
    void CloseWithButton();

protected:
    using Options = hostlink::HostDialogOptions;

    CHostDialog(prompt::Prompt& prompt, QWidget* parent, hostlink::HostDialogOptions options,
                ClosingWhileWorking closing = {});

    prompt::Prompt& UserPrompt() { return prompt_; }
    const hostlink::HostDialogOptions& DialogOptions() const { return options_; }
    hostlink::ConversationWorker& Worker() { return worker_; }

    // No help button beside the title; the size drawn, in dialog units, or
    // what the controls need when that is more.
    void FitDrawnSize(const QSize& dialogUnits);
    // The Open File chooser for a show store; nothing when it was cancelled.
    std::optional<std::string> ChooseStore();
    // Whether the store chosen may be read: the gate's word, asked here.
    bool StoreMayBeRead(const std::string& path) const;
    // A failure's message, in the words of what the dialog was doing.
    void ShowFailure(const show::Failure& failure, messages::Doing doing);
    // The host code typed in `edit`; nothing, after the dialog's own warning
    // for an empty text or one outside 1..252.
    std::optional<int> TypedHostCode(const QLineEdit& edit, const char* empty,
                                     const char* outOfRange);
    // The first host code, "1", offered in `edit`.
    static void OfferFirstHostCode(QLineEdit& edit);

    // In a rehearsal, a line at the top of the dialog saying where its
    // datagrams go: the host of the code typed in `hostCode` and its
    // address, following the typing; without one, where every host is.
    // Outside a rehearsal nothing.
    void ShowRehearsalNote(QLineEdit* hostCode);

    // Starts the socket layer as the options say; when it cannot be had,
    // shows `failure` (each dialog's own text) with the warning icon. True
    // when it started; it is released by the close button, or at the end.
    bool StartSocketLayer(const char* failure);
    bool SocketLayerStarted() const { return socketLayerStarted_; }

    // Runs `conversation(stop)` on the worker, then `finished(result)` on the
    // window's thread, then a close asked for meanwhile. Nothing while a
    // conversation runs.
    template <typename Conversation, typename Finished>
    void Converse(Conversation conversation, Finished finished)
    {
        if (busy_)
            return;
        busy_ = true;
        worker_.Run(std::move(conversation),
                    [this, finished = std::move(finished)](auto result) mutable {
                        finished(std::move(result)); // still busy while it is shown
                        AfterConversation();
                    });
    }
    // Esc and the title bar's close box: as the button, without the release.
    void reject() override;
    // From the derived destructor, before its widgets go: the conversation
    // is stopped and must not outlive what it writes to.
    void EndWork();

private:
    enum class PendingClose
    {
        kNone,
        kButton,
        kReject
    };

    // Closes now, as `how` says.
    void Close(PendingClose how);
    // Closing asked for while a conversation runs.
    void CloseWhenEnded(PendingClose how);
    void AfterConversation();
    void ReleaseSocketLayer();

    prompt::Prompt& prompt_;
    hostlink::HostDialogOptions options_;
    ClosingWhileWorking closing_;
    bool socketLayerStarted_ = false;
    hostlink::ConversationWorker worker_{*this};
    bool busy_ = false;
    PendingClose pendingClose_ = PendingClose::kNone;
};
