#pragma once

#include "Prompt.h"

#include <cstdio>
#include <optional>
#include <string>

// Picks the demo store whenever a file is asked for; any message means the
// picture would not show what it should, so it is printed and remembered.
class DemoPrompt final : public prompt::Prompt
{
public:
    explicit DemoPrompt(std::string store) : store_(std::move(store)) {}

    void ShowMessage(const std::string& text, prompt::MessageIcon /*icon*/) override
    {
        std::fprintf(stderr, "tavrin-screenshot: unexpected message: %s\n", text.c_str());
        failed = true;
    }
    bool AskYesNo(const std::string& /*text*/) override { return false; }
    std::optional<std::string> ChooseOpenFile(const prompt::FileChoice& /*choice*/) override
    {
        return store_;
    }
    std::optional<std::string> ChooseSaveFile(const prompt::FileChoice& /*choice*/) override
    {
        return std::nullopt;
    }

    bool failed = false;

private:
    std::string store_;
};
