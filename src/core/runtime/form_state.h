// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/runtime/controls.h"

namespace vorl {

// A form's controls and variables written out as bytes: numbers by their
// bits in the machine's order, so that the sign of a zero and a NaN count
// too, texts with their lengths. Two equal states are the same form to the
// bit.
class FormState {
  public:
    void clear() { size_ = 0; }
    std::string_view bytes() const { return {bytes_.data(), size_}; }

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
        return a.bytes() == b.bytes();
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

// Reads back what a FormState wrote, trusting none of it: every read checks
// that the bytes are there and that the value is one a control can hold. The
// first failure is kept as the reason, and every read after it fails too.
class FormStateReader {
  public:
    explicit FormStateReader(std::string_view bytes) : rest_(bytes) {}

    template <typename T>
    requires std::is_arithmetic_v<T> &&(!std::is_same_v<T, bool>)bool read(T& value) {
        const char* bytes = take(sizeof(T));
        if (bytes == nullptr) {
            return false;
        }
        std::memcpy(&value, bytes, sizeof(T));
        return true;
    }
    bool read(bool& flag);  // one byte, 0 or 1
    bool read(std::string& text);
    // A control's name and index must be the ones `control` has already; its
    // other properties are read into it.
    bool read(ShapeControl& shape);
    bool read(LineControl& line);
    bool read(LabelControl& label);
    bool read(PictureControl& picture);
    bool read(TimerControl& timer);
    bool read(MenuItem& item);  // the submenu must have the same items too

    // Reads a number and checks it against `expected`.
    template <typename T>
    bool expect(T expected, const char* what) {
        T value{};
        return read(value) && (value == expected || fail(std::string("not ") + what));
    }

    bool atEnd() const { return rest_.empty(); }
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    // Records the reason, unless one is kept already; returns false.
    bool fail(std::string reason);

  private:
    // The next n bytes, stepped over; null when fewer are left or a read
    // has failed already.
    const char* take(std::size_t n);
    bool readName(const std::string& name, int index);
    // The four-byte fields of a control's record: a finite float, a flag,
    // and an enumeration whose values run from 0 to `last`.
    bool readTwips(float& value);
    bool readFlag32(bool& flag);
    template <typename Enum>
    bool readChoice(Enum& value, Enum last);

    std::string_view rest_;
    std::string error_;
};

}  // namespace vorl
