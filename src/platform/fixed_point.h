#pragma once

#include <compare>
#include <cstdint>

namespace vorl {

// A velocity in twips per tick, held as a count of units of 0.0001.
// Sums, differences and negation saturate at the int64 range, so absurd
// velocities stay defined instead of wrapping.
class Fixed {
  public:
    constexpr Fixed() = default;
    static constexpr Fixed fromUnits(std::int64_t units) { return Fixed(units); }
    constexpr std::int64_t units() const { return units_; }

    friend Fixed operator+(Fixed a, Fixed b);
    friend Fixed operator-(Fixed a, Fixed b);
    Fixed operator-() const;

    friend constexpr auto operator<=>(Fixed a, Fixed b) = default;

  private:
    constexpr explicit Fixed(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

inline constexpr double kFixedScale = 10000.0;

// Nearest multiple of 0.0001, ties to even; saturates, NaN gives 0.
Fixed toFixed(double x);
double asDouble(Fixed v);
float toFloat(Fixed v);
Fixed floatToFixed(float f);
// The exact product rounded to four decimals, ties to even; saturates.
Fixed mulFixed(Fixed a, Fixed b);
// |v|, saturating at the top of the range.
Fixed absFixed(Fixed v);

}  // namespace vorl
