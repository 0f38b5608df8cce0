// SPDX-License-Identifier: MIT
#pragma once

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
    void clear() { bytes_.clear(); }

    template <typename T>
    requires std::is_arithmetic_v<T> || std::is_enum_v<T>
    void add(T value) {
        char bits[sizeof(T)];
        std::memcpy(bits, &value, sizeof(T));
        bytes_.append(bits, sizeof(T));
    }
    void add(std::string_view text);
    // Every property of a control, its name and index included.
    void add(const ShapeControl& shape);
    void add(const LineControl& line);
    void add(const LabelControl& label);
    void add(const PictureControl& picture);
    void add(const TimerControl& timer);
    void add(const MenuItem& item);  // with its submenu

    friend bool operator==(const FormState&, const FormState&) = default;

  private:
    std::string bytes_;
};

}  // namespace vorl
