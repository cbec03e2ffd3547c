#include "tests/support/RaisedFailure.h"

#include <gtest/gtest.h>

namespace testsupport {

std::optional<show::Failure> RaisedFailure(const std::function<void()>& work,
                                           const std::string& unexpected)
{
    try {
        work();
    } catch (const show::Failure& failure) {
        return failure;
    }
    ADD_FAILURE() << unexpected;
    return std::nullopt;
}

} // namespace testsupport
