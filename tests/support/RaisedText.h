#pragma once

#include <functional>
#include <string>

namespace testsupport {

// What `work` raised as an `Error`, in the words `describe` takes from it;
// empty when it raised nothing. Other failures pass on to the test.
template <typename Error, typename Describe>
std::string RaisedText(const std::function<void()>& work, Describe describe)
{
    try {
        work();
    } catch (const Error& error) {
        return describe(error);
    }
    return {};
}

} // namespace testsupport
