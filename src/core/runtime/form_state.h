// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/runtime/controls.h"

namespace vorl {

// A form's controls and variables written out as bytes: numbers by their
// bits, so that the sign of a zero and a NaN count too, texts with their
// lengths. Two equal states are the same form to the bit.
class FormState {
  public:
    void clear() { size_ = 0; }

    template <typename T>
    requires std::is_arithmetic_v<T> || std::is_enum_v<T>
    void add(T value) { std::memcpy(reserve(sizeof(T)), &value, sizeof(T)); }
    void add(std::string_view text);
    // Every property of a control, its name and index included.
    void add(const ShapeControl& shape);
    void add(const LineControl& line);
    void add(const LabelControl& label);
    void add(const PictureControl& picture);
    void add(const TimerControl& timer);
    void add(const MenuItem& item);  // with its submenu

    friend bool operator==(const FormState& a, const FormState& b) {
        return std::string_view(a.bytes_.data(), a.size_) ==
               std::string_view(b.bytes_.data(), b.size_);
    }

  private:
    // Room for n more bytes at the end; the buffer only grows, so a state
    // written out on every tick allocates nothing after the first.
    char* reserve(std::size_t n) {
        if (bytes_.size() - size_ < n) {
            grow(n);
        }
        char* end = bytes_.data() + size_;
        size_ += n;
        return end;
    }
    void grow(std::size_t n);
    // Several numbers at once, from a record with no padding.
    template <typename Record>
    void addRecord(const Record& record) {
        std::memcpy(reserve(sizeof record), &record, sizeof record);
    }

    std::string bytes_;
    std::size_t size_ = 0;
};

}  // namespace vorl
