#pragma once
// Reading Results in tests: the value of one that must succeed, the failure text of one that must
// fail. A test then compares the value or the exact message.

#include "base/result.h"

#include <gtest/gtest.h>

#include <string>

namespace qel::test {

// The failure's text; "" (and a failed expectation) when it succeeded.
template <class T>
std::string failureText(const Result<T>& result)
{
    EXPECT_FALSE(result.ok()) << "expected a failure";
    return result.ok() ? std::string() : result.failureText();
}

// The value; T{} (and a failed expectation with the message) when it failed.
template <class T>
T valueOf(Result<T> result)
{
    EXPECT_TRUE(result.ok()) << (result.ok() ? std::string() : result.failureText());
    return result.ok() ? std::move(result).value() : T{};
}

// Expects success, showing the message when there is one.
inline void expectOk(const Status& status)
{
    EXPECT_TRUE(status.ok()) << (status.ok() ? std::string() : status.failureText());
}

} // namespace qel::test
