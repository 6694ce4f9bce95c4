#pragma once
// Failures as values the compiler watches. Whatever can fail on a path a user's program or file can
// reach returns a Result<T> (or a Status, when there is no value) that carries either the value or
// the Failure with the exact text the user will see. Both are [[nodiscard]], so a dropped failure
// does not compile quietly.
//
//     Result<float> width = evalNumber(ctx, op);   // either a float or the message
//     float w = TRY(evalNumber(ctx, op));          // hands a failure straight back to our caller
//     TRY(storeNumber(ctx, w, destination));       // the same for a Status

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace qel {

// What went wrong, as the complete text the user is shown.
class [[nodiscard]] Failure {
public:
    explicit Failure(std::string text) : text_(std::move(text)) {}

    const std::string& text() const& { return text_; }
    std::string text() && { return std::move(text_); }

private:
    std::string text_;
};

// Either a T or a Failure.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : v_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : v_(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return *std::get_if<0>(&v_); }
    const T& value() const& { return *std::get_if<0>(&v_); }
    T value() && { return std::move(*std::get_if<0>(&v_)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }

    const Failure& failure() const& { return *std::get_if<1>(&v_); }
    Failure failure() && { return std::move(*std::get_if<1>(&v_)); }

private:
    std::variant<T, Failure> v_;
};

// Success without a value, or a Failure.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure)) {}

    bool ok() const { return !failure_.has_value(); }
    explicit operator bool() const { return ok(); }
    void value() const {}

    const Failure& failure() const& { return *failure_; }
    Failure failure() && { return std::move(*failure_); }

private:
    std::optional<Failure> failure_;
};

using Status = Result<void>;

// A success with no value, for `return success();` where a Status is expected.
inline Status success() { return {}; }

} // namespace qel

// Evaluates a Result or Status; on failure returns the Failure from the enclosing function (whose
// return type takes a Failure), otherwise gives the value. A GNU statement expression, as GCC and
// Clang both provide; __extension__ keeps -Wpedantic quiet about it.
#define TRY(...)                                                                                                       \
    __extension__({                                                                                                    \
        auto&& qelTryResult_ = (__VA_ARGS__);                                                                          \
        if (!qelTryResult_.ok()) [[unlikely]]                                                                          \
            return std::move(qelTryResult_).failure();                                                                 \
        std::move(qelTryResult_).value();                                                                              \
    })
