#pragma once

#include <boost/multiprecision/cpp_int.hpp>

#include <span>
#include <string>

// A rational number held exactly: numerator over a positive denominator, not necessarily reduced
// (reducing costs a greatest common divisor of long numbers, and nothing here needs the reduced form).
class ExactNumber {
  public:
    // Room for 256 bits in place: the numbers of typed tables rarely need more, and a long number
    // allocates as cpp_int does.
    using Integer = boost::multiprecision::number<boost::multiprecision::cpp_int_backend<256>>;

    // The value rounded at some fraction places: scaled / 10^places, and whether that is the value.
    struct Rounded {
        Integer scaled;
        bool isExact = true;
    };

    ExactNumber(Integer numerator = 0, Integer denominator = 1);

    const Integer& numerator() const { return numerator_; }
    const Integer& denominator() const { return denominator_; }

    static Integer powerOfTen(unsigned exponent);
    // The sum of many terms: a power of ten in their denominators is kept apart until the end, and equal
    // denominators are not multiplied, so that typed decimals do not pile up a common denominator.
    static ExactNumber sum(std::span<const ExactNumber> terms);

    bool isInteger() const;
    // The integer part, rounded toward zero.
    Integer truncated() const;
    int sign() const;
    bool isBelow(const ExactNumber& other) const;
    bool operator==(const ExactNumber& other) const;

    friend ExactNumber operator-(const ExactNumber& a, const ExactNumber& b);
    friend ExactNumber operator*(const ExactNumber& a, const ExactNumber& b);

    Rounded roundedHalfAwayFromZero(unsigned places) const { return rounded(places, false); }
    Rounded roundedHalfToEven(unsigned places) const { return rounded(places, true); }
    // The square root rounded half away from zero at the places (the number must not be negative); exact
    // when its square is the number.
    Rounded squareRootRoundedHalfAwayFromZero(unsigned places) const;
    // The number rounded half to even at the places, without trailing zeros and without exponent.
    std::string decimalText(unsigned places) const;
    // The text of scaled / 10^places, as decimalText writes it.
    static std::string decimalText(const Integer& scaled, unsigned places);
    // That text appended to another, which keeps its room from row to row.
    static void appendDecimalText(std::string& text, const Integer& scaled, unsigned places);

  private:
    Rounded rounded(unsigned places, bool halfToEven) const;

    Integer numerator_;
    Integer denominator_;
};
