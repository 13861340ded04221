// A property of a control that tells its owner when a new value is assigned.
// It reads like the value it holds (it converts to it, compares with it, and a
// text property offers the string's reading members), so code that only reads a
// control's state does not care that the field notifies.
#pragma once

#include <concepts>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace tavlin {

// What a property tells when its value changes.
class TChangeSink {
public:
    virtual void PropertyChanged() = 0;

protected:
    ~TChangeSink() = default;
};

// A text or a list: its reading members are offered on the property too.
template <typename T>
concept ReadableRange = requires(const T& v, std::size_t i) {
    v.begin();
    v.end();
    v.size();
    v.empty();
    v[i];
};

template <typename T>
class TProperty {
public:
    explicit TProperty(TChangeSink* owner, T value = T{}) : owner_(owner), value_(std::move(value)) {}
    TProperty(const TProperty&) = delete;

    // Assigning the value it already has tells nothing.
    TProperty& operator=(T value) {
        if constexpr (std::equality_comparable<T>) {
            if (value_ == value) return *this;
        }
        value_ = std::move(value);
        if (owner_) owner_->PropertyChanged();
        return *this;
    }
    TProperty& operator=(const TProperty& other) { return *this = other.value_; }
    template <typename U>
        requires std::constructible_from<T, U&&> && (!std::same_as<std::remove_cvref_t<U>, T>) &&
                 (!std::same_as<std::remove_cvref_t<U>, TProperty>)
    TProperty& operator=(U&& value) {
        return *this = T(std::forward<U>(value));
    }

    operator const T&() const { return value_; }
    operator std::string_view() const
        requires std::same_as<T, std::string>
    {
        return value_;
    }
    const T& get() const { return value_; }
    const T* operator->() const { return &value_; }

    TProperty& operator+=(const T& more) { return *this = value_ + more; }
    TProperty& operator-=(const T& less)
        requires std::integral<T>
    {
        return *this = static_cast<T>(value_ - less);
    }

    friend bool operator==(const TProperty& a, const TProperty& b)
        requires std::equality_comparable<T>
    {
        return a.value_ == b.value_;
    }
    friend bool operator==(const TProperty& a, const T& b)
        requires std::equality_comparable<T>
    {
        return a.value_ == b;
    }
    // A number compares with any number, as the plain field would.
    template <typename U>
        requires std::is_arithmetic_v<T> && std::is_arithmetic_v<U> && (!std::same_as<T, U>)
    friend bool operator==(const TProperty& a, const U& b) {
        return a.value_ == b;
    }

    // The reading members of a text or a list.
    bool empty() const
        requires ReadableRange<T>
    {
        return value_.empty();
    }
    std::size_t size() const
        requires ReadableRange<T>
    {
        return value_.size();
    }
    std::size_t length() const
        requires std::same_as<T, std::string>
    {
        return value_.size();
    }
    const char* c_str() const
        requires std::same_as<T, std::string>
    {
        return value_.c_str();
    }
    const char* data() const
        requires std::same_as<T, std::string>
    {
        return value_.data();
    }
    std::string substr(std::size_t pos = 0, std::size_t count = std::string::npos) const
        requires std::same_as<T, std::string>
    {
        return value_.substr(pos, count);
    }
    std::size_t find(const std::string& what, std::size_t pos = 0) const
        requires std::same_as<T, std::string>
    {
        return value_.find(what, pos);
    }
    std::size_t find(char what, std::size_t pos = 0) const
        requires std::same_as<T, std::string>
    {
        return value_.find(what, pos);
    }
    decltype(auto) front() const
        requires ReadableRange<T>
    {
        return value_.front();
    }
    decltype(auto) back() const
        requires ReadableRange<T>
    {
        return value_.back();
    }
    decltype(auto) operator[](std::size_t i) const
        requires ReadableRange<T>
    {
        return value_[i];
    }
    auto begin() const
        requires ReadableRange<T>
    {
        return value_.begin();
    }
    auto end() const
        requires ReadableRange<T>
    {
        return value_.end();
    }
    friend std::string operator+(const TProperty& a, const std::string& b)
        requires std::same_as<T, std::string>
    {
        return a.value_ + b;
    }
    friend std::string operator+(const std::string& a, const TProperty& b)
        requires std::same_as<T, std::string>
    {
        return a + b.value_;
    }
    friend std::string operator+(const TProperty& a, const char* b)
        requires std::same_as<T, std::string>
    {
        return a.value_ + b;
    }
    friend std::string operator+(const char* a, const TProperty& b)
        requires std::same_as<T, std::string>
    {
        return a + b.value_;
    }

    friend std::ostream& operator<<(std::ostream& out, const TProperty& p)
        requires requires(std::ostream& o, const T& v) { o << v; }
    {
        return out << p.value_;
    }

private:
    TChangeSink* owner_;
    T value_;
};

}  // namespace tavlin
