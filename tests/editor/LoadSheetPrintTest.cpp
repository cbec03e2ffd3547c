// "File" > "Print Load Sheets...": a host plan that cannot be used prints
// nothing, rather than sheets with blank codes.
#include "editor/ui/LoadSheetPrint.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/Cue.h"
#include "tests/editor/ShowStoreFiles.h"
#include "tests/support/FakePrompt.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(LoadSheetPrint, APlanThatCannotBeUsedIsSaidAndNothingIsPrinted)
{
    testsupport::TempDir dir;
    const std::string store = dir.File("show.db");
    editortest::MakeShowStore(store, {editortest::Cue(0, "A1"), editortest::Cue(1, "B2")});
    testsupport::RunSql(store, "CREATE TABLE tb_HostPlan(HostName, HostCode)");
    testsupport::RunSql(store, "INSERT INTO tb_HostPlan VALUES('A1', NULL)");
    testsupport::FakePrompt prompt;
    editor::PrintStoreLoadSheets(store, prompt, nullptr); // a preview would wait for the user
    EXPECT_EQ(prompt.MessageTexts(),
              std::vector<std::string>{
                  strings::FormatText(strings::kPlanUnsound, 1) + "\n" +
                  strings::FormatText(strings::kPlanProblemCodeInvalid, "A1", "NULL")});
}

} // namespace
