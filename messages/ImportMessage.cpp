#include "messages/ImportMessage.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"

namespace messages {

namespace {

// What a guess of the pairing cost, when one was made, as a line of its own
// at `at` in `text`.
std::string WithGuesses(std::string text, std::size_t at, const show::CarryOver& carried)
{
    if (carried.guessed == 0)
        return text;
    std::string left;
    for (const std::string& name : carried.namesLeft)
        left += (left.empty() ? "" : ", ") + name;
    return text.insert(
        at, "\n" + strings::FormatText(strings::kReimportGuessed, carried.guessed,
                                       left.empty() ? strings::kReimportNoNameLeft : left.c_str()));
}

} // namespace

std::string NullFireRecordsText(int nulls)
{
    return strings::FormatText(strings::kImportNullFireRecords, nulls);
}

std::string ReimportQuestion(const show::CarryOver& carried)
{
    const std::string text =
        strings::FormatText(strings::kReimportQuestion, carried.added, carried.removed,
                            carried.retimed, carried.kept, carried.fellBack);
    return WithGuesses(text, text.rfind('\n'), carried); // before what No does
}

std::string ReimportDoneText(const show::CarryOver& carried, int nulls)
{
    std::string text = strings::FormatText(strings::kReimportDone, carried.added, carried.removed,
                                           carried.retimed, carried.kept, carried.fellBack);
    text = WithGuesses(text, text.size(), carried);
    if (nulls > 0)
        text += "\n" + NullFireRecordsText(nulls);
    return text;
}

} // namespace messages
