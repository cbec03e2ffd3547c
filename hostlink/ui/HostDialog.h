#pragma once

#include "hostlink/ui/ConversationWorker.h"
#include "hostlink/ui/HostDialogOptions.h"
#include "messages/FailureMessage.h"

#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <utility>

class QLineEdit;

namespace prompt {
class Prompt;
}

// What the host dialogs have in common: the prompt they talk through (message
// boxes of their own, or the one given), the show store they ask for and the
// gate it must pass, the socket layer they start and release, the worker
// their conversations with hosts run on, and closing, which waits for a
// conversation to end: nothing goes on talking to a host after its dialog.
// Every question and message is asked on the window's thread.
class CHostDialog : public QDialog
{
    Q_OBJECT

public:
    ~CHostDialog() override;

    // A conversation runs, or its result is being shown.
    bool IsWorking() const { return busy_; }

protected:
    explicit CHostDialog(QWidget* parent);
    CHostDialog(prompt::Prompt& prompt, QWidget* parent, hostlink::HostDialogOptions options);

    prompt::Prompt& UserPrompt() { return *prompt_; }
    const hostlink::HostDialogOptions& Options() const { return options_; }
    hostlink::ConversationWorker& Worker() { return worker_; }

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

    // Starts the socket layer as the options say; true when it started.
    bool StartSocketLayer();
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
    // The dialog's own close button: releases the socket layer and closes
    // with OK; during a conversation, closes once it has ended.
    void CloseWithButton();
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

    // Closing during a conversation: whether to stop it or let it end.
    virtual void BeforeClosingWhileWorking() {}
    void AfterConversation();

    std::unique_ptr<prompt::Prompt> ownPrompt_;
    prompt::Prompt* prompt_ = nullptr;
    hostlink::HostDialogOptions options_;
    bool socketLayerStarted_ = false;
    hostlink::ConversationWorker worker_{*this};
    bool busy_ = false;
    PendingClose pendingClose_ = PendingClose::kNone;
};
