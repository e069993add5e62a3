#pragma once

#include <array>
#include <string_view>

// Step texts of the worked examples (values 4, 5, 3, 7, 4; probabilities 0.3, 0.25, 0.4, 0.04, 0.01) as the
// step cell hands them to the label, that is after the display post-processor.
namespace workedExample {

inline constexpr std::array<std::string_view, 23> sampleStatisticsSteps = {
    R"(n = 5)",
    R"()",
    R"(\bar{x} = \frac{1}{n} \cdot \sum_{i=1}^{n} x_i)",
    R"(= \frac{1}{5} \cdot \sum_{i=1}^{5} x_i)",
    R"(= \frac{1}{5} \cdot \left(x_1 +x_2 +x_3 +x_4 +x_5 \right))",
    R"(= \frac{1}{5} \cdot \left(4 +5 +3 +7 +4 \right))",
    R"(= \frac{1}{5} \cdot \left(23\right))",
    R"(= \frac{1}{5} \cdot 23)",
    R"(\bar{x} = 4.6)",
    R"()",
    R"(s^2 = \frac{1}{n - 1} \cdot \sum_{i=1}^{n} \left(x_i - \bar{x}\right)^2)",
    R"(= \frac{1}{5 - 1} \cdot \sum_{i=1}^{5} \left(x_i - 4.6\right)^2)",
    R"(= \frac{1}{5 - 1} \cdot \left(\left(x_1 - 4.6\right)^2 +\left(x_2 - 4.6\right)^2 +\left(x_3 - 4.6\right)^2 +\left(x_4 - 4.6\right)^2 +\left(x_5 - 4.6\right)^2 \right))",
    R"(= \frac{1}{5 - 1} \cdot \left(\left(4 - 4.6\right)^2 +\left(5 - 4.6\right)^2 +\left(3 - 4.6\right)^2 +\left(7 - 4.6\right)^2 +\left(4 - 4.6\right)^2 \right))",
    R"(=\frac{1}{4} \cdot \left(\left(-0.6\right)^2 +\left(0.4\right)^2 +\left(-1.6\right)^2 +\left(2.4\right)^2 +\left(-0.6\right)^2 \right))",
    R"(=\frac{1}{4} \cdot \left(0.36 +0.16 +2.56 +5.76 +0.36 \right))",
    R"(= \frac{1}{4} \cdot \left(9.2\right))",
    R"(= \frac{1}{4} \cdot 9.2)",
    R"(s^2 = 2.3)",
    R"()",
    R"(s = \sqrt{ \frac{1}{n - 1} \cdot \sum_{i=1}^{n} \left(x_i - \bar{x}\right)^2 })",
    R"(= \sqrt{ 2.3 })",
    R"(s \approx 1.51658)",
};

inline constexpr std::array<std::string_view, 21> randomVariableSteps = {
    R"(n = 5)",
    R"()",
    R"(E\left(X\right) = \sum_{i=1}^{n} x_i \cdot P\left(X = x_i\right))",
    R"(= \sum_{i=1}^{5} x_i \cdot P\left(X = x_i\right))",
    R"(= x_1 \cdot P\left(X = x_1\right) +x_2 \cdot P\left(X = x_2\right) +x_3 \cdot P\left(X = x_3\right) +x_4 \cdot P\left(X = x_4\right) +x_5 \cdot P\left(X = x_5\right))",
    R"(= 4 \cdot 0.3 +5 \cdot 0.25 +3 \cdot 0.4 +7 \cdot 0.04 +4 \cdot 0.01)",
    R"(=1.2 +1.25 +1.2 +0.28 +0.04)",
    R"(E\left(X\right) = 3.97)",
    R"()",
    R"(\sigma^2 = \sum_{i=1}^{n} \left(x_i - E\left(X\right)\right)^2 \cdot P\left(X=x_i\right))",
    R"(= \sum_{i=1}^{5} \left(x_i - 3.97\right)^2 \cdot P\left(X=x_i\right))",
    R"(= \left(x_1 - 3.97\right)^2 \cdot P\left(X=x_1\right) +\left(x_2 - 3.97\right)^2 \cdot P\left(X=x_2\right) +\left(x_3 - 3.97\right)^2 \cdot P\left(X=x_3\right) +\left(x_4 - 3.97\right)^2 \cdot P\left(X=x_4\right) +\left(x_5 - 3.97\right)^2 \cdot P\left(X=x_5\right))",
    R"(= \left(4 - 3.97\right)^2 \cdot 0.3 +\left(5 - 3.97\right)^2 \cdot 0.25 +\left(3 - 3.97\right)^2 \cdot 0.4 +\left(7 - 3.97\right)^2 \cdot 0.04 +\left(4 - 3.97\right)^2 \cdot 0.01)",
    R"(=\left(0.03\right)^2 \cdot 0.3 +\left(1.03\right)^2 \cdot 0.25 +\left(-0.97\right)^2 \cdot 0.4 +\left(3.03\right)^2 \cdot 0.04 +\left(0.03\right)^2 \cdot 0.01)",
    R"(=0.0009 \cdot 0.3 +1.0609 \cdot 0.25 +0.9409 \cdot 0.4 +9.1809 \cdot 0.04 +0.0009 \cdot 0.01)",
    R"(\approx0.00027 +0.26523 +0.37636 +0.36724 +0.00001)",
    R"(\sigma^2 \approx 1.0091)",
    R"()",
    R"(\sigma = \sqrt{ \sum_{i=1}^{n} \left(x_i - E\left(X\right)\right)^2 \cdot P\left(X=x_i\right) })",
    R"(\approx \sqrt{ 1.0091 })",
    R"(\sigma \approx 1.00454)",
};

// The input rewriting steps for the fields 1/2 and 0.25, and the input echoes as the history shows them.
inline constexpr std::array<std::string_view, 5> inputSteps = {
    R"(0.25 = \frac{0.25 \cdot 100}{1 \cdot 100} = \frac{25}{100})",
    R"(\frac{25}{100}= \frac{25 : 25}{100 : 25} = \frac{1}{4})",
    R"(x_i = [4;5;3;7;4])",
    R"(x_i = [4;5;3;7;4] \\ P\left(X = x_i\right) = [0.3;0.25;0.4;0.04;0.01])",
    R"(\text{The sum of all probabilities must be 1.})",
};

// The nine labels of the distribution-function view for the value 0.75; the brace is set at 46 points.
inline constexpr std::array<std::string_view, 8> distributionFunctionLabels = {
    R"(F(X) = )",       R"(0;)", R"(0.75;)", R"(1;)", R"(\quad x<0)", R"(\quad 0 \le x < 1)",
    R"(\quad 1 \le x)", R"(\{)",
};

} // namespace workedExample
