#include "show/HostPlan.h"

#include "resources/strings/FormatText.h"
#include "resources/strings/Strings.h"
#include "show/HostCode.h"
#include "store/ADODataBase.h"
#include "store/LayoutTable.h"

#include <algorithm>
#include <exception>

namespace show {

namespace {

// Closes the store on every way out.
struct OpenStore
{
    CADODataBase db;
    ~OpenStore()
    {
        try {
            db.Close();
        } catch (const std::exception&) {
            // the connection is gone either way
        }
    }
};

} // namespace

std::string PlanRefusal(const std::vector<HostPlanEntry>& plan)
{
    std::map<int, const HostPlanEntry*> byCode;
    for (const HostPlanEntry& entry : plan) {
        if (entry.HostCode < kLowestHostCode || entry.HostCode > kHighestHostCode)
            return strings::FormatText(strings::kPlanCodeOutOfRange, entry.HostCode);
        const auto [taken, added] = byCode.emplace(entry.HostCode, &entry);
        if (!added)
            return strings::FormatText(strings::kPlanCodeTaken, entry.HostCode,
                                       taken->second->HostName.c_str(), entry.HostName.c_str());
    }
    return {};
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

std::vector<HostPlanEntry> ChangedPlan(std::vector<HostPlanEntry> plan,
                                       const std::vector<HostPlanEntry>& set,
                                       const std::vector<std::string>& remove)
{
    const auto named = [&plan](const std::string& name) {
        return std::find_if(plan.begin(), plan.end(),
                            [&name](const HostPlanEntry& e) { return e.HostName == name; });
    };
    for (const HostPlanEntry& change : set) {
        if (const auto found = named(change.HostName); found != plan.end())
            found->HostCode = change.HostCode;
        else
            plan.push_back(change);
    }
    for (const std::string& name : remove)
        if (const auto found = named(name); found != plan.end())
            plan.erase(found);
    std::stable_sort(plan.begin(), plan.end(), [](const HostPlanEntry& a, const HostPlanEntry& b) {
        return a.HostCode < b.HostCode;
    });
    return plan;
}

StoredPlan LoadHostPlan(const std::string& storePath)
{
    StoredPlan stored;
    OpenStore store;
    try {
        if (!store.db.Open(store::ConnectionStringFor(storePath), "", "")) {
            stored.error = strings::FormatText(strings::kPlanReadFailed,
                                               store.db.GetLastErrorDescription().c_str());
            return stored;
        }
        stored.entries = store::ReadHostPlan(store.db);
        stored.read = true;
    } catch (const std::exception& error) {
        stored.error = strings::FormatText(strings::kPlanReadFailed, error.what());
    }
    return stored;
}

std::string SaveHostPlan(const std::string& storePath, const std::vector<HostPlanEntry>& plan)
{
    if (std::string refusal = PlanRefusal(plan); !refusal.empty())
        return refusal;
    OpenStore store;
    try {
        if (!store.db.Open(store::ConnectionStringFor(storePath), "", ""))
            return strings::FormatText(strings::kPlanSaveFailed,
                                       store.db.GetLastErrorDescription().c_str());
        if (store.db.GetConnection()->IsReadOnlyFormat())
            return strings::kPlanAccessStore;
        store::WriteHostPlan(store.db, plan);
    } catch (const std::exception& error) {
        return strings::FormatText(strings::kPlanSaveFailed, error.what());
    }
    return {};
}

} // namespace show
