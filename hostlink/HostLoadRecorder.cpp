#include "hostlink/HostLoadRecorder.h"

#include "show/HostLoadLog.h"

#include <algorithm>

namespace hostlink {

HostLoadRecorder::HostLoadRecorder(std::string storePath) : storePath_(std::move(storePath)) {}

std::optional<show::Failure> HostLoadRecorder::Record(const store::HostLoadRecord& record)
{
    const std::lock_guard lock(mutex_);
    if (accessStore_)
        return std::nullopt;
    std::optional<show::Failure> warning = show::RecordHostLoad(storePath_, record);
    if (!warning)
        return std::nullopt;
    accessStore_ = warning->Code() == show::FailureCode::kHostLoadsAccessStore;
    const bool said =
        std::any_of(warnings_.begin(), warnings_.end(), [&warning](const show::Failure& w) {
            return w.Code() == warning->Code() && w.Detail() == warning->Detail();
        });
    if (said)
        return std::nullopt;
    warnings_.push_back(*warning);
    return warning;
}

std::vector<show::Failure> HostLoadRecorder::Warnings() const
{
    const std::lock_guard lock(mutex_);
    return warnings_;
}

} // namespace hostlink
