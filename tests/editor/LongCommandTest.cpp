// The seams of long commands: a stop asked for while one works, its
// progress, and its questions asked on the thread that started it.
#include "editor/BackgroundCommand.h"
#include "editor/FireOneImport.h"
#include "editor/WatchedProgress.h"
#include "tests/editor/FireOneFiles.h"
#include "tests/editor/ShowCommandsFixture.h"

#include <filesystem>
#include <future>

namespace {

using editortest::FireRecord;

// The user's Cancel after `stopAt` steps, or at the commit.
class StoppingProgress final : public show::WorkProgress
{
public:
    explicit StoppingProgress(std::size_t stopAt) : stopAt_(stopAt) {}

    void Step(std::size_t done, std::size_t total) override
    {
        steps.emplace_back(done, total);
        if (steps.size() >= stopAt_)
            watched_.RequestStop();
        watched_.Step(done, total);
    }
    void BeforeCommit() override
    {
        watched_.RequestStop();
        watched_.BeforeCommit();
    }

    std::vector<std::pair<std::size_t, std::size_t>> steps;

private:
    std::size_t stopAt_;
    editor::WatchedProgress watched_;
};

class LongCommand : public editortest::ShowCommands
{
protected:
    bool Import(const std::string& path, show::WorkProgress& progress,
                editor::StorePlace place = editor::StorePlace::kAsTheFileAllows)
    {
        return ShowCommands::Import(path, place, &progress);
    }

    std::string FireOneFile(int records)
    {
        const std::string path = dir.File("fireone.db");
        editortest::MakeFireOneFile(path, editortest::ManyFireRecords(records));
        return path;
    }

    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(LongCommand, ACancelDuringAnImportLeavesNoStoreAndTheShowAsItWas)
{
    LoadEarlierShow();
    const std::string path = FireOneFile(50);
    const std::vector<std::string> before = Files();
    for (const editor::StorePlace place :
         {editor::StorePlace::kAsTheFileAllows, editor::StorePlace::kNewStore}) {
        if (place == editor::StorePlace::kNewStore)
            prompt.saveFiles.push_back(dir.File("new.db"));
        StoppingProgress cancel(10);
        EXPECT_THROW(Import(path, cancel, place), show::Cancelled);
        EXPECT_EQ(cancel.steps.size(), 10u) << "it stops at the step the stop came";
        CADODataBase check;
        ASSERT_TRUE(check.Open(store::ConnectionStringFor(path), "", ""));
        EXPECT_FALSE(store::HasLayoutTable(check)) << "the FireOne file got no half-made table";
        check.Close();
        EXPECT_EQ(Files(), before) << "no new store, no temporary file";
        EXPECT_TRUE(prompt.messages.empty()) << "a cancel is no failure to report";
        ExpectEarlierShowKept();
    }
}

TEST_F(LongCommand, AnImportCountsTheRecordsItWrites)
{
    StoppingProgress never(1000);
    ASSERT_THROW(Import(FireOneFile(40), never), show::Cancelled) << "stopped at the commit";
    ASSERT_EQ(never.steps.size(), 40u);
    EXPECT_EQ(never.steps.front(), std::make_pair(std::size_t{1}, std::size_t{40}));
    EXPECT_EQ(never.steps.back(), std::make_pair(std::size_t{40}, std::size_t{40}));
}

TEST_F(LongCommand, ACancelDuringSaveWritesNothing)
{
    const std::string path = OpenNewStore("five.db", editortest::FiveCues());
    const std::vector<std::string> before = editortest::HostNames(path);
    model.SetHostName({0, 2, 4}, "North");
    StoppingProgress cancel(1000); // stops at the commit, after every name was written
    editor::ShowContext show = Show();
    show.progress = &cancel;
    EXPECT_THROW(editor::SaveShowStore(show), show::Cancelled);
    EXPECT_EQ(cancel.steps.size(), 5u + 3u) << "five records read, three names written";
    EXPECT_EQ(editortest::HostNames(path), before);
    EXPECT_TRUE(model.AnyChanged()) << "the names are still unsaved";
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(WatchedProgress, AStopWinsBeforeTheCommitAndIsRefusedAfterIt)
{
    editor::WatchedProgress stopped;
    stopped.Step(3, 10);
    EXPECT_TRUE(stopped.RequestStop());
    EXPECT_THROW(stopped.Step(4, 10), show::Cancelled);
    EXPECT_THROW(stopped.BeforeCommit(), show::Cancelled);
    EXPECT_EQ(stopped.Done(), 4u);

    editor::WatchedProgress committing;
    committing.BeforeCommit();
    EXPECT_FALSE(committing.RequestStop()) << "what is being committed ends as it would have";
    EXPECT_NO_THROW(committing.Step(1, 1));
}

TEST(BackgroundCommand, AsksOnTheStartingThreadInTheCommandsOrder)
{
    testsupport::FakePrompt user; // fails a question from another thread
    user.answers = {true};
    auto answer = std::make_shared<bool>(false);
    editor::BackgroundCommand command(user, [answer](prompt::Prompt& prompt, show::WorkProgress&) {
        prompt.ShowMessage("one", prompt::MessageIcon::Information);
        *answer = prompt.AskYesNo("two?");
        prompt.ShowMessage("three", prompt::MessageIcon::Stop);
    });
    const auto never = std::chrono::steady_clock::time_point::max();
    const auto clock = [] { return std::chrono::steady_clock::now(); };
    editor::BackgroundCommand::News news;
    while ((news = command.WaitUntil(never, clock)) == editor::BackgroundCommand::News::kQuestion)
        command.AskPending();
    EXPECT_EQ(news, editor::BackgroundCommand::News::kFinished);
    EXPECT_EQ(user.MessageTexts(), (std::vector<std::string>{"one", "three"}));
    EXPECT_EQ(user.questions, std::vector<std::string>{"two?"});
    EXPECT_TRUE(*answer);
}

TEST(BackgroundCommand, ACancelledCommandIsNotWaitedForAndAsksNoMore)
{
    testsupport::FakePrompt user;
    auto started = std::make_shared<std::promise<void>>();
    std::promise<void> release;
    auto asked = std::make_shared<std::optional<bool>>();
    editor::BackgroundCommand command(
        user, [started, released = release.get_future().share(),
               asked](prompt::Prompt& prompt, show::WorkProgress& progress) {
            progress.Step(1, 0);
            started->set_value();
            released.wait_for(std::chrono::seconds(30));
            asked->emplace(prompt.AskYesNo("go on?"));
            progress.Step(2, 0); // raises the stop
            prompt.ShowMessage("never shown", prompt::MessageIcon::Stop);
        });
    started->get_future().wait();
    // A clock past the deadline: the caller would show its dialog now.
    const auto epoch = std::chrono::steady_clock::time_point{};
    EXPECT_EQ(command.WaitUntil(epoch, [epoch] { return epoch; }),
              editor::BackgroundCommand::News::kNone);
    EXPECT_EQ(command.Progress().Done(), 1u);
    EXPECT_TRUE(command.Cancel());
    release.set_value();
    const auto clock = [] { return std::chrono::steady_clock::now(); };
    EXPECT_EQ(command.WaitUntil(clock() + std::chrono::seconds(30), clock),
              editor::BackgroundCommand::News::kFinished);
    EXPECT_NO_THROW(command.RethrowFailure());
    EXPECT_EQ(*asked, std::optional<bool>(false)) << "answered No without the user";
    EXPECT_TRUE(user.questions.empty());
    EXPECT_TRUE(user.messages.empty());
}

} // namespace
