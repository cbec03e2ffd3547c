// The scripted prompt fails a test that meets a question or chooser it did
// not script, naming what was asked.
#include "tests/support/FakePrompt.h"

#include <gtest/gtest-spi.h>
#include <thread>

namespace {

TEST(FakePrompt, AnUnscriptedQuestionFailsTheTestAndAnswersNo)
{
    testsupport::FakePrompt prompt;
    bool answer = true;
    EXPECT_NONFATAL_FAILURE(answer = prompt.AskYesNo("save the show?"),
                            "unscripted question: \"save the show?\"");
    EXPECT_FALSE(answer);
    prompt.answers.push_back(true);
    EXPECT_TRUE(prompt.AskYesNo("save the show?"));
}

TEST(FakePrompt, AnUnscriptedChooserFailsTheTestAndIsCancelled)
{
    testsupport::FakePrompt prompt;
    prompt::FileChoice choice;
    choice.filters = {{"mdb files (*.mdb)", {"*.mdb"}}};
    choice.initialPath = "/shows";
    std::optional<std::string> chosen = "x";
    EXPECT_NONFATAL_FAILURE(chosen = prompt.ChooseOpenFile(choice),
                            "unscripted Open File chooser: \"mdb files (*.mdb) at /shows\"");
    EXPECT_EQ(chosen, std::nullopt);
    EXPECT_NONFATAL_FAILURE(prompt.ChooseSaveFile(choice), "unscripted Save File chooser");
    prompt.saveFiles.push_back("/shows/a.db");
    EXPECT_EQ(prompt.ChooseSaveFile(choice), "/shows/a.db");
}

TEST(FakePrompt, ACallFromAnotherThreadFailsTheTest)
{
    testsupport::FakePrompt prompt;
    prompt.openFiles.push_back("/shows/a.db");
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(
        std::thread([&] { prompt.ShowMessage("done", {}); }).join(),
        "message from another thread than the prompt's: \"done\"");
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(std::thread([&] { prompt.ChooseOpenFile({}); }).join(),
                                           "Open File chooser from another thread");
    EXPECT_EQ(prompt.offThread, 2);
    prompt.ShowMessage("here", prompt::MessageIcon::Information);
    EXPECT_EQ(prompt.offThread, 2);
}

} // namespace
