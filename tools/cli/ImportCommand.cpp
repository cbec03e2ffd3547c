#include "editor/FireOneImport.h"
#include "messages/FailureMessage.h"
#include "platform/FileIdentity.h"
#include "resources/strings/Strings.h"
#include "show/Show.h"
#include "store/ADODataBase.h"
#include "store/ADORecordset.h"
#include "tools/cli/CliCommon.h"
#include "tools/cli/CommandSetup.h"
#include "tools/cli/Commands.h"
#include "tools/cli/JsonOutput.h"
#include "tools/cli/TerminalPrompt.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace cli {

namespace {

struct ImportOptions
{
    std::string file;
    std::string store;
};

int RunImport(const ImportOptions& options)
{
    // The FireOne file is left as it is when a new store is named: it can
    // never be that store itself.
    if (platform::SameFile(options.file, options.store))
        throw UsageError(strings::kCliStoreIsFireOneFile);
    CADODataBase db;
    CADORecordset rs;
    std::string storePath;
    show::Show imported;
    TerminalPrompt prompt;
    prompt.AnswerOpenFile(options.file);
    if (!options.store.empty())
        prompt.AnswerSaveFile(options.store);
    editor::ShowContext context{db, rs, storePath, imported, prompt};
    // A show changed since the last import is brought up to date, and what
    // changed is said.
    bool showInGrid = false;
    try {
        showInGrid =
            editor::ImportFireOne(context,
                                  options.store.empty() ? editor::StorePlace::kAsTheFileAllows
                                                        : editor::StorePlace::kNewStore,
                                  editor::ShowUpdate::kUpdate);
    } catch (const show::Failure& failure) {
        PrintFailure(failure, messages::Doing::kImporting);
        return kFailure;
    }
    if (!showInGrid) {
        // The window says nothing for a file without FireData; a script
        // needs a reason.
        PrintError(strings::kCliNothingImported);
        return kFailure;
    }
    // Where the show now lives: the FireOne file itself, or the new store.
    std::cout << storePath << '\n';
    return OutputResult();
}

} // namespace

void AddImportCommand(CLI::App& app, CommandRun& run)
{
    const auto [command, options] =
        AddCommand(app, run, "import", strings::kCliImportHelp, RunImport);
    command->add_option("FILE", options->file, strings::kCliFileHelp)->required();
    command->add_option("--store", options->store, strings::kCliNewStoreHelp)->type_name("NEW");
}

} // namespace cli
