#pragma once
// One RAII owner for every OS handle kind. A kind is described by a traits type:
//   struct traits { using type = ...; static type invalid() noexcept; static void close(type) noexcept; };

#include <utility>

namespace corvane {

template <typename Traits>
class owner {
public:
    using type = typename Traits::type;

    owner() noexcept : value_(Traits::invalid()) {}
    explicit owner(type value) noexcept : value_(value) {}
    ~owner() { reset(); }

    owner(const owner&) = delete;
    owner& operator=(const owner&) = delete;
    owner(owner&& other) noexcept : value_(other.release()) {}
    owner& operator=(owner&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    type get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::invalid(); }

    type release() noexcept { return std::exchange(value_, Traits::invalid()); }
    void reset(type value = Traits::invalid()) noexcept {
        type old = std::exchange(value_, value);
        if (old != Traits::invalid()) Traits::close(old);
    }

private:
    type value_;
};

}  // namespace corvane
