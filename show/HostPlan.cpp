#include "show/HostPlan.h"

#include "show/HostCode.h"
#include "show/HostNameRules.h"
#include "show/StoreOpening.h"
#include "store/ADODataBase.h"
#include "store/FieldText.h"
#include "store/StoreCloser.h"
#include "store/Transaction.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <set>
#include <tuple>

namespace show {

namespace {

// A stored code as the user can recognise it: a text in quotes.
std::string CodeText(const ado::Variant& code)
{
    if (code.IsEmptyOrNull())
        return "NULL";
    if (code.vt() == ado::VT_BSTR)
        return "'" + code.bstrVal() + "'";
    return code.Describe();
}

// The whole number a stored code holds, if it holds one.
std::optional<int> WholeCode(const ado::Variant& code)
{
    int value = 0;
    if (code.IsEmptyOrNull() || !store::FieldToInteger(code, value))
        return std::nullopt;
    return value;
}

// A refused change: its lone problem as it stands, else all of them.
[[noreturn]] void Refuse(std::vector<Failure> problems)
{
    if (problems.size() == 1 && problems.front().Code() != FailureCode::kPlanCodeInvalid)
        throw problems.front();
    throw Failure(FailureCode::kPlanUnsound).WithProblems(std::move(problems));
}

// The entries of a sound plan, by host code, with their names trimmed: a
// plan written by another program may hold a name with blanks around it,
// which is the same host name as without.
std::vector<HostPlanEntry> Entries(const std::vector<HostPlanRow>& rows)
{
    std::vector<HostPlanEntry> entries;
    std::set<std::string> named;
    for (const HostPlanRow& row : rows) {
        const std::optional<int> code = WholeCode(row.HostCode);
        std::string name = TrimHostName(row.HostName);
        if (code && *code >= kLowestHostCode && *code <= kHighestHostCode &&
            named.insert(name).second)
            entries.push_back({std::move(name), *code});
    }
    std::stable_sort(
        entries.begin(), entries.end(),
        [](const HostPlanEntry& a, const HostPlanEntry& b) { return a.HostCode < b.HostCode; });
    return entries;
}

// Whether two readings hold the same rows, in whatever order.
bool SameRows(std::vector<HostPlanRow> a, std::vector<HostPlanRow> b)
{
    const auto order = [](const HostPlanRow& x, const HostPlanRow& y) {
        return std::tuple(x.HostName, static_cast<int>(x.HostCode.vt()), x.HostCode.Describe()) <
               std::tuple(y.HostName, static_cast<int>(y.HostCode.vt()), y.HostCode.Describe());
    };
    std::sort(a.begin(), a.end(), order);
    std::sort(b.begin(), b.end(), order);
    return a == b;
}

// An open store that can hold a plan; raises kPlanNotSaved, kPlanAccessStore.
void OpenForPlan(CADODataBase& db, const std::string& storePath)
{
    OpenStoreFile(db, storePath, FailureCode::kPlanNotSaved);
    if (db.GetConnection()->IsReadOnlyFormat())
        throw Failure(FailureCode::kPlanAccessStore);
}

// Runs `change` on the rows the store holds inside one write transaction and
// writes the plan it returns. Raises Failure; the access layer's failures as
// kPlanNotSaved.
template <typename Change>
std::vector<HostPlanEntry> RewritePlan(const std::string& storePath, Change change)
{
    CADODataBase db;
    store::StoreCloser closer(db);
    return StoreWork(
        [&] {
            OpenForPlan(db, storePath);
            // BEGIN IMMEDIATE: the rows read below are the ones replaced.
            store::Transaction transaction(*db.GetConnection());
            const std::vector<HostPlanEntry> plan = change(store::ReadHostPlanRows(db));
            store::ReplaceHostPlan(db, plan);
            transaction.Commit();
            return plan;
        },
        FailureCode::kPlanNotSaved);
}

} // namespace

std::vector<Failure> PlanProblems(const std::vector<HostPlanRow>& rows)
{
    std::vector<Failure> problems;
    std::map<int, std::string> byCode;
    std::set<std::string> named;
    std::set<std::string> twice;
    for (const HostPlanRow& row : rows) {
        // Names equal once trimmed are one name.
        const std::string name = TrimHostName(row.HostName);
        if (!named.insert(name).second && twice.insert(name).second)
            problems.push_back(Failure(FailureCode::kPlanNameTwice).WithName(row.HostName));
        const std::optional<int> code = WholeCode(row.HostCode);
        if (!code) {
            problems.push_back(Failure(FailureCode::kPlanCodeInvalid)
                                   .WithName(row.HostName)
                                   .WithOther(CodeText(row.HostCode)));
            continue;
        }
        if (*code < kLowestHostCode || *code > kHighestHostCode) {
            problems.push_back(
                Failure(FailureCode::kPlanCodeOutOfRange).WithRow(*code).WithName(row.HostName));
            continue;
        }
        const auto [taken, added] = byCode.emplace(*code, row.HostName);
        if (!added && TrimHostName(taken->second) != name)
            problems.push_back(Failure(FailureCode::kPlanCodeTaken)
                                   .WithRow(*code)
                                   .WithName(taken->second)
                                   .WithOther(row.HostName));
    }
    return problems;
}

std::vector<HostPlanRow> PlanRows(const std::vector<HostPlanEntry>& plan)
{
    std::vector<HostPlanRow> rows;
    for (const HostPlanEntry& entry : plan)
        rows.push_back({entry.HostName, ado::Variant::I4(entry.HostCode)});
    return rows;
}

std::vector<std::string> UnusedPlanNames(const std::vector<HostPlanEntry>& plan,
                                         const std::map<std::string, int>& showHosts)
{
    std::vector<std::string> unused;
    for (const HostPlanEntry& entry : plan)
        if (!showHosts.contains(entry.HostName))
            unused.push_back(entry.HostName);
    return unused;
}

std::vector<HostPlanEntry> PlanWithStoredNames(std::vector<HostPlanEntry> plan)
{
    for (HostPlanEntry& entry : plan) {
        // A name of blanks is empty once stored: refused as an empty name is.
        const std::string& judged = TrimHostName(entry.HostName).empty() ? "" : entry.HostName;
        CheckHostName(judged);
        entry.HostName = TrimHostName(entry.HostName);
    }
    return plan;
}

StoredPlan ReadHostPlan(const std::string& storePath)
{
    CADODataBase db;
    store::StoreCloser closer(db);
    StoredPlan stored;
    StoreWork(
        [&] {
            OpenStoreFile(db, storePath, FailureCode::kPlanNotRead);
            stored.rows = store::ReadHostPlanRows(db);
        },
        FailureCode::kPlanNotRead);
    stored.problems = PlanProblems(stored.rows);
    stored.entries = Entries(stored.rows);
    return stored;
}

std::vector<HostPlanEntry> ReadHostPlanChecked(const std::string& storePath)
{
    StoredPlan stored = ReadHostPlan(storePath);
    if (!stored.problems.empty())
        throw Failure(FailureCode::kPlanUnsound).WithProblems(std::move(stored.problems));
    return stored.entries;
}

std::vector<HostPlanEntry> SaveHostPlan(const std::string& storePath,
                                        const std::vector<HostPlanEntry>& plan,
                                        const std::vector<HostPlanRow>& asRead)
{
    const std::vector<HostPlanRow> rows = PlanRows(PlanWithStoredNames(plan));
    if (std::vector<Failure> problems = PlanProblems(rows); !problems.empty())
        Refuse(std::move(problems));
    return RewritePlan(storePath, [&](const std::vector<HostPlanRow>& stored) {
        if (!SameRows(stored, asRead))
            throw Failure(FailureCode::kPlanChanged);
        return Entries(rows);
    });
}

std::vector<HostPlanEntry> ChangeHostPlan(const std::string& storePath,
                                          const std::vector<HostPlanEntry>& typed,
                                          const std::vector<std::string>& remove)
{
    const std::vector<HostPlanEntry> set = PlanWithStoredNames(typed);
    return RewritePlan(storePath, [&](std::vector<HostPlanRow> rows) {
        const auto named = [](const std::string& name) {
            return [&name](const HostPlanRow& row) { return row.HostName == name; };
        };
        for (const std::string& name : remove)
            if (std::none_of(rows.begin(), rows.end(), named(name)))
                throw Failure(FailureCode::kPlanNameAbsent).WithName(name);
        // Every row of a name goes, so that a name held twice is mended too.
        for (const HostPlanEntry& entry : set) {
            std::erase_if(rows, named(entry.HostName));
            rows.push_back({entry.HostName, ado::Variant::I4(entry.HostCode)});
        }
        for (const std::string& name : remove)
            std::erase_if(rows, named(name));
        if (std::vector<Failure> problems = PlanProblems(rows); !problems.empty())
            Refuse(std::move(problems));
        return Entries(rows);
    });
}

} // namespace show
