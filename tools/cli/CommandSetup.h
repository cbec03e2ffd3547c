#pragma once

#include "resources/strings/Strings.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/Commands.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <string>

namespace cli {

// A subcommand whose command line fills one `Options` and whose run is
// `body` over them; the caller adds the options. Every subcommand made here
// takes --verbose.
template <class Options> struct Command
{
    CLI::App* app;
    std::shared_ptr<Options> options;
};

template <class Options>
Command<Options> AddCommand(CLI::App& parent, CommandRun& run, const char* name, const char* help,
                            int (*body)(const Options&))
{
    auto options = std::make_shared<Options>();
    CLI::App* command = parent.add_subcommand(name, help);
    command->add_flag("--verbose", VerboseOutput(), strings::kCliVerboseHelp);
    command->callback([options, &run, body] { run = [options, body] { return body(*options); }; });
    return {command, options};
}

// A command whose first argument is the show store (`Options::store`).
template <class Options>
Command<Options> AddStoreCommand(CLI::App& parent, CommandRun& run, const char* name,
                                 const char* help, int (*body)(const Options&))
{
    Command<Options> command = AddCommand(parent, run, name, help, body);
    command.app->add_option("STORE", command.options->store, strings::kCliStoreHelp)->required();
    return command;
}

// What the commands that only read a store take: the store and --json.
struct StoreReadOptions
{
    std::string store;
    bool json = false;
};

inline void AddReadCommand(CLI::App& parent, CommandRun& run, const char* name, const char* help,
                           int (*body)(const StoreReadOptions&))
{
    const Command<StoreReadOptions> command = AddStoreCommand(parent, run, name, help, body);
    command.app->add_flag("--json", command.options->json, strings::kCliJsonHelp);
}

// An option that must be given, with its value's name in the help.
inline CLI::Option* AddRequiredOption(CLI::App& command, const char* name, std::string& value,
                                      const char* help, const char* valueName)
{
    return command.add_option(name, value, help)->type_name(valueName)->required();
}

} // namespace cli
