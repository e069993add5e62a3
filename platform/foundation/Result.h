#pragma once

#include <optional>
#include <string>
#include <utility>

// The outcome of an operation that can fail in an expected way: a value, or an error description.
template <typename T> class Result {
  public:
    static Result success(T value) { return Result(std::move(value), {}); }
    static Result failure(std::string description) { return Result(std::nullopt, std::move(description)); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }

    // Only valid when ok().
    const T& value() const& { return *value_; }
    T& value() & { return *value_; }
    T&& value() && { return std::move(*value_); }
    const T& operator*() const& { return *value_; }
    T& operator*() & { return *value_; }
    const T* operator->() const { return &*value_; }
    T* operator->() { return &*value_; }

    // Empty when ok().
    const std::string& error() const { return error_; }

  private:
    Result(std::optional<T> value, std::string error) : value_(std::move(value)), error_(std::move(error)) {}

    std::optional<T> value_;
    std::string error_;
};
