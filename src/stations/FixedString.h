#pragma once
// Protocol-bounded text held inline, so records stay one contiguous block.
// Holds at most N-1 characters and always ends with a NUL.
#include <cstddef>
#include <cstring>
#include <string_view>

namespace velmora {

template <std::size_t N>
class FixedString {
public:
    static constexpr std::size_t kCapacity = N - 1;

    FixedString() { data_[0] = '\0'; }
    FixedString(std::string_view text) { Assign(text); }  // NOLINT: implicit by design

    void Assign(std::string_view text) {
        size_ = text.size() < kCapacity ? text.size() : kCapacity;
        if (size_) std::memmove(data_, text.data(), size_);
        data_[size_] = '\0';
    }
    FixedString& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }
    void Clear() { Assign({}); }

    std::string_view View() const { return {data_, size_}; }
    const char* CStr() const { return data_; }
    std::size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }
    char operator[](std::size_t i) const { return i < size_ ? data_[i] : '\0'; }

    friend bool operator==(const FixedString& a, const FixedString& b) {
        return a.View() == b.View();
    }
    friend bool operator==(const FixedString& a, std::string_view b) { return a.View() == b; }

private:
    // Only the first size_ characters and the NUL after them are defined;
    // per-packet records are built for every line, so nothing else is cleared.
    char data_[N];
    std::size_t size_ = 0;
};

}  // namespace velmora
