#pragma once

#include "prompt/Prompt.h"

#include <deque>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

// A prompt that records every message and question and answers from a script.
// An unscripted question or file choice fails the test (and answers No/cancel):
// a test scripts every question and chooser it expects. So does any call from
// another thread than the one that made the prompt: a user is asked on the
// window's thread only.
class FakePrompt : public prompt::Prompt
{
public:
    struct Message
    {
        std::string text; // with the details after it, as a one-text prompt shows them
        prompt::MessageIcon icon;
        std::string details = {};
    };

    std::vector<Message> messages;
    std::vector<std::string> questions;
    std::vector<prompt::AnswerButtons> threeWayButtons; // of each AskYesNoCancel
    std::vector<prompt::FileChoice> openChoices;
    std::vector<prompt::FileChoice> saveChoices;

    std::deque<bool> answers;                         // for AskYesNo, in order
    std::deque<prompt::Answer> threeWayAnswers;       // for AskYesNoCancel, in order
    std::deque<std::optional<std::string>> openFiles; // for ChooseOpenFile
    std::deque<std::optional<std::string>> saveFiles; // for ChooseSaveFile
    int unscripted = 0;                               // calls with no scripted answer
    int offThread = 0; // calls from another thread than the one that made the prompt

    // The messages' texts, in the order shown.
    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> texts;
        for (const Message& message : messages)
            texts.push_back(message.text);
        return texts;
    }

    void ShowMessage(const std::string& text, prompt::MessageIcon icon) override
    {
        CheckThread("message", text);
        messages.push_back({text, icon});
    }
    void ShowMessage(const std::string& text, prompt::MessageIcon icon,
                     const std::string& details) override
    {
        Prompt::ShowMessage(text, icon, details);
        messages.back().details = details;
    }
    bool AskYesNo(const std::string& text) override
    {
        CheckThread("question", text);
        questions.push_back(text);
        if (answers.empty()) {
            Unscripted("question", text);
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    prompt::Answer AskYesNoCancel(const std::string& text, prompt::AnswerButtons buttons) override
    {
        CheckThread("three-way question", text);
        questions.push_back(text);
        threeWayButtons.push_back(buttons);
        if (threeWayAnswers.empty()) {
            Unscripted("three-way question", text);
            return prompt::Answer::Cancel;
        }
        const prompt::Answer answer = threeWayAnswers.front();
        threeWayAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> ChooseOpenFile(const prompt::FileChoice& choice) override
    {
        CheckThread("Open File chooser", choice.initialPath);
        openChoices.push_back(choice);
        return Next(openFiles, "Open File chooser", choice);
    }
    std::optional<std::string> ChooseSaveFile(const prompt::FileChoice& choice) override
    {
        CheckThread("Save File chooser", choice.initialPath);
        saveChoices.push_back(choice);
        return Next(saveFiles, "Save File chooser", choice);
    }

private:
    void CheckThread(const char* what, const std::string& text)
    {
        if (std::this_thread::get_id() == owner_)
            return;
        ++offThread;
        ADD_FAILURE() << what << " from another thread than the prompt's: \"" << text << "\"";
    }

    void Unscripted(const char* what, const std::string& text)
    {
        ++unscripted;
        ADD_FAILURE() << "unscripted " << what << ": \"" << text << "\"";
    }

    std::optional<std::string> Next(std::deque<std::optional<std::string>>& queue, const char* what,
                                    const prompt::FileChoice& choice)
    {
        if (queue.empty()) {
            std::string filters;
            for (const prompt::FileFilter& filter : choice.filters)
                filters += (filters.empty() ? "" : ";;") + filter.label;
            Unscripted(what, filters + " at " + choice.initialPath);
            return std::nullopt;
        }
        auto answer = queue.front();
        queue.pop_front();
        return answer;
    }

    std::thread::id owner_ = std::this_thread::get_id();
};

} // namespace testsupport
