#include "platform/math/MathParser.h"
#include "platform/math/MathRenderer.h"
#include "platform/math/MathTypesetter.h"

#include "tests/math/WorkedExampleFormulas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

constexpr double scale = 2;
constexpr double margin = 12;

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;

MathDisplayNode typeset(std::string_view latex, double size = 20) {
    const MathParseResult result = MathParser::parse(latex);
    EXPECT_TRUE(result.formula) << latex;
    return MathTypesetter(*MathFont::latinModernMath(size)).typeset(result.formula.value_or(MathFormula{}));
}

// Formulas stacked on white, one below the other, at twice the point size.
Surface render(const std::vector<MathDisplayNode>& formulas, const MathFont& font, std::uint32_t color) {
    double width = 0;
    double height = margin;
    for (const MathDisplayNode& formula : formulas) {
        width = std::max<double>(width, formula.width);
        height += formula.ascent + formula.descent + margin;
    }
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32,
                                               static_cast<int>((width + 2 * margin) * scale),
                                               static_cast<int>(height * scale)),
                    cairo_surface_destroy);
    cairo_t* cr = cairo_create(surface.get());
    cairo_scale(cr, scale, scale);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    double y = margin;
    for (const MathDisplayNode& formula : formulas) {
        MathRenderer::draw(cr, formula, font, margin, y + formula.ascent, color);
        y += formula.ascent + formula.descent + margin;
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface.get());
    return surface;
}

template <typename Steps> void writeStepSet(const Steps& steps, const std::string& name) {
    std::vector<MathDisplayNode> formulas;
    for (std::string_view step : steps)
        formulas.push_back(typeset(step));
    const Surface surface = render(formulas, *MathFont::latinModernMath(20), 0x000000FF);
    const std::filesystem::path path = std::filesystem::path(OMBREL_BINARY_DIR) / ("math_" + name + ".png");
    std::filesystem::create_directories(path.parent_path());
    ASSERT_EQ(cairo_surface_write_to_png(surface.get(), path.c_str()), CAIRO_STATUS_SUCCESS);
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
}

struct Pixel {
    int red, green, blue;
};

Pixel pixel(cairo_surface_t* surface, int x, int y) {
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const std::uint32_t argb =
        *reinterpret_cast<const std::uint32_t*>(data + y * cairo_image_surface_get_stride(surface) + x * 4);
    return {static_cast<int>(argb >> 16 & 0xFF), static_cast<int>(argb >> 8 & 0xFF),
            static_cast<int>(argb & 0xFF)};
}

// Counts pixels of the rectangle (in points) that are clearly not white.
int inkedPixels(cairo_surface_t* surface, double x0, double y0, double x1, double y1, bool (*test)(Pixel)) {
    int count = 0;
    for (int y = static_cast<int>(y0 * scale); y < static_cast<int>(y1 * scale); ++y)
        for (int x = static_cast<int>(x0 * scale); x < static_cast<int>(x1 * scale); ++x)
            if (test(pixel(surface, x, y)))
                ++count;
    return count;
}

bool isDark(Pixel p) {
    return p.red < 128 && p.green < 128 && p.blue < 128;
}
bool isRed(Pixel p) {
    return p.red > 160 && p.green < 100 && p.blue < 100;
}
bool isNotWhite(Pixel p) {
    return p.red < 240 || p.green < 240 || p.blue < 240;
}

} // namespace

TEST(MathRenderer, WritesOnePictureForEachWorkedExample) {
    writeStepSet(workedExample::sampleStatisticsSteps, "sample_statistics_steps");
    writeStepSet(workedExample::randomVariableSteps, "random_variable_steps");
    writeStepSet(workedExample::inputSteps, "input_and_history");

    std::vector<MathDisplayNode> labels;
    for (std::string_view text : workedExample::distributionFunctionLabels)
        labels.push_back(typeset(text, text == R"(\{)" ? 46 : 20));
    const Surface surface = render(labels, *MathFont::latinModernMath(20), 0x000000FF);
    const auto path = std::filesystem::path(OMBREL_BINARY_DIR) / "math_distribution_function.png";
    ASSERT_EQ(cairo_surface_write_to_png(surface.get(), path.c_str()), CAIRO_STATUS_SUCCESS);
}

TEST(MathRenderer, InkStaysInsideTheFormulaBox) {
    const MathDisplayNode formula = typeset(R"(\frac{1}{5} \cdot \left(23\right)^2)");
    const Surface surface = render({formula}, *MathFont::latinModernMath(20), 0x000000FF);
    const double top = margin;
    const double bottom = margin + formula.ascent + formula.descent;
    const double right = margin + formula.width;
    EXPECT_GT(inkedPixels(surface.get(), margin, top, right, bottom, isDark), 200);
    const double w = cairo_image_surface_get_width(surface.get()) / scale;
    const double h = cairo_image_surface_get_height(surface.get()) / scale;
    EXPECT_EQ(inkedPixels(surface.get(), 0, 0, w, top - 1, isNotWhite), 0);
    EXPECT_EQ(inkedPixels(surface.get(), 0, bottom + 1, w, h, isNotWhite), 0);
    EXPECT_EQ(inkedPixels(surface.get(), 0, 0, margin - 1, h, isNotWhite), 0);
    EXPECT_EQ(inkedPixels(surface.get(), right + 1, 0, w, h, isNotWhite), 0);
}

TEST(MathRenderer, FractionRuleIsASolidLineOnTheAxis) {
    const MathDisplayNode formula = typeset(R"(\frac{1}{2})");
    const Surface surface = render({formula}, *MathFont::latinModernMath(20), 0x000000FF);
    const double axis =
        margin + formula.ascent - MathFont::latinModernMath(20)->constant(HB_OT_MATH_CONSTANT_AXIS_HEIGHT);
    const int row = static_cast<int>(axis * scale);
    const int first = static_cast<int>((margin + 0.12 * 20) * scale) + 1;
    const int last = static_cast<int>((margin + formula.width - 0.12 * 20) * scale) - 1;
    for (int x = first; x < last; ++x)
        EXPECT_TRUE(isDark(pixel(surface.get(), x, row))) << x;
}

TEST(MathRenderer, OwnColoursOverrideTheTextColour) {
    const MathDisplayNode formula = typeset(R"(8 \color{red}{8})");
    const Surface surface = render({formula}, *MathFont::latinModernMath(20), 0x0000FFFF);
    const double middle = margin + formula.width / 2;
    const double bottom = margin + formula.ascent + formula.descent;
    const auto isBlue = [](Pixel p) { return p.blue > 160 && p.red < 100 && p.green < 100; };
    EXPECT_GT(inkedPixels(surface.get(), margin, margin, middle, bottom, isBlue), 20);
    EXPECT_EQ(inkedPixels(surface.get(), margin, margin, middle, bottom, isRed), 0);
    EXPECT_GT(inkedPixels(surface.get(), middle, margin, margin + formula.width, bottom, isRed), 20);
}
