#pragma once
// Failures as values the compiler watches. Whatever can fail on a path a user's program or file can
// reach returns a Result<T> (or a Status, when there is no value) that carries either the value or
// the Failure with the exact text the user will see. Both are [[nodiscard]], so a dropped failure
// does not compile quietly.
//
//     Result<float> width = evalNumber(ctx, op);   // either a float or the message
//     float w = TRY(evalNumber(ctx, op));          // hands a failure straight back to our caller
//     TRY(storeNumber(ctx, w, destination));       // the same for a Status

#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>

namespace qel {

// What went wrong, as the complete text the user is shown. It is one pointer wide, so a Result
// costs its value and a null pointer when nothing went wrong: the run loop's common case.
class [[nodiscard]] Failure {
public:
    explicit Failure(std::string text) : text_(std::make_unique<std::string>(std::move(text))) {}

    const std::string& text() const& { return *text_; }
    std::string text() && { return std::move(*text_); }

    // The text's ownership, for a result that travels in registers (the run loop's line result).
    std::string* release() && { return text_.release(); }
    static Failure adopt(std::string* text) { return Failure(std::unique_ptr<std::string>(text)); }

private:
    template <class>
    friend class Result;
    explicit Failure(std::unique_ptr<std::string> text) : text_(std::move(text)) {}

    std::unique_ptr<std::string> text_;
};

// Either a T or a Failure.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)), hasValue_(true) {}
    Result(Failure failure) : failure_(std::move(failure.text_)) {}
    Result(Result&& other) noexcept : failure_(std::move(other.failure_)), hasValue_(other.hasValue_)
    {
        if (hasValue_)
            new (&value_) T(std::move(other.value_));
    }
    Result& operator=(Result&&) = delete;
    ~Result()
    {
        if (hasValue_)
            value_.~T();
    }

    bool ok() const { return hasValue_; }
    explicit operator bool() const { return ok(); }

    T& value() & { return value_; }
    const T& value() const& { return value_; }
    T value() && { return std::move(value_); }
    const T& operator*() const& { return value_; }
    T& operator*() & { return value_; }
    const T* operator->() const { return &value_; }

    const std::string& failureText() const { return *failure_; }
    Failure failure() && { return Failure(std::move(failure_)); }
    // A copy of the failure, for a result that is only inspected.
    Failure failure() const& { return Failure(*failure_); }

private:
    union {
        T value_;
    };
    std::unique_ptr<std::string> failure_;
    bool hasValue_ = false;
};

// Success without a value, or a Failure.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure.text_)) {}

    bool ok() const { return !failure_; }
    explicit operator bool() const { return ok(); }
    void value() const {}

    const std::string& failureText() const { return *failure_; }
    Failure failure() && { return Failure(std::move(failure_)); }
    Failure failure() const& { return Failure(*failure_); }

private:
    std::unique_ptr<std::string> failure_;
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
