// Draws the pictures of the app's two introductions: each one a small sketch of the screen or the
// gesture its page explains. Usage: onboarding_images <output folder>; writes <name>@2x.png files.
#include <cairo.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr double side = 280; // points
constexpr double scale = 2;  // pixels per point
constexpr double pi = 3.14159265358979323846;

struct Colour {
    double r, g, b, a = 1;
};

const Colour violet{0.33, 0.29, 0.68};
const Colour darkBlue{0.0, 0.0, 0.32};
const Colour blue{0.1, 0.14, 0.49};
const Colour green{0.0, 0.9, 0.46};
const Colour white{0.97, 0.97, 0.99};
const Colour paper{1, 1, 1};
const Colour ink{0.13, 0.13, 0.2};
const Colour grey{0.62, 0.62, 0.68};
const Colour lightGrey{0.9, 0.9, 0.93};
const Colour red{0.85, 0.16, 0.2};

void use(cairo_t* cr, const Colour& c) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

// A filled circle, on a path of its own.
void disc(cairo_t* cr, double cx, double cy, double r, const Colour& c) {
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * pi);
    use(cr, c);
    cairo_fill(cr);
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
    cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void fillRounded(cairo_t* cr, double x, double y, double w, double h, double r, const Colour& c) {
    roundedRect(cr, x, y, w, h, r);
    use(cr, c);
    cairo_fill(cr);
}

void strokeRounded(cairo_t* cr, double x, double y, double w, double h, double r, const Colour& c,
                   double width) {
    roundedRect(cr, x, y, w, h, r);
    use(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

enum class Align { left, centre };

// Text in Lato, its box's top left (or top centre) at (x, y).
void text(cairo_t* cr, const std::string& words, double x, double y, double size, const Colour& c,
          Align align = Align::left, bool bold = false) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    std::string font = std::string(bold ? "Lato Heavy " : "Lato ") + std::to_string(size) + "px";
    PangoFontDescription* description = pango_font_description_from_string(font.c_str());
    pango_layout_set_font_description(layout, description);
    pango_layout_set_text(layout, words.c_str(), -1);
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    use(cr, c);
    cairo_move_to(cr, align == Align::centre ? x - width / 2.0 : x, y);
    pango_cairo_show_layout(cr, layout);
    pango_font_description_free(description);
    g_object_unref(layout);
}

// A phone seen from the front: its screen is the returned rectangle's area.
void phone(cairo_t* cr, double x, double y, double w, double h) {
    fillRounded(cr, x - 6, y - 6, w + 12, h + 12, 22, ink);
    fillRounded(cr, x, y, w, h, 16, paper);
}

void toolbar(cairo_t* cr, double x, double y, double w, const std::string& title, bool menuIcon = true) {
    cairo_save(cr);
    roundedRect(cr, x, y, w, 40, 16);
    cairo_clip(cr);
    use(cr, darkBlue);
    cairo_rectangle(cr, x, y, w, 12);
    cairo_fill(cr);
    use(cr, violet);
    cairo_rectangle(cr, x, y + 12, w, 28);
    cairo_fill(cr);
    cairo_restore(cr);
    if (menuIcon) {
        use(cr, white);
        for (int i = 0; i < 3; ++i) {
            cairo_rectangle(cr, x + 10, y + 19 + i * 5, 14, 2);
        }
        cairo_fill(cr);
    }
    text(cr, title, x + (menuIcon ? 32 : 10), y + 17, 12, white, Align::left, true);
}

void tabs(cairo_t* cr, double x, double y, double w, int selected) {
    use(cr, blue);
    cairo_rectangle(cr, x, y, w, 20);
    cairo_fill(cr);
    text(cr, "Input", x + w / 4, y + 4, 9, white, Align::centre);
    text(cr, "Result", x + 3 * w / 4, y + 4, 9, white, Align::centre);
    use(cr, green);
    cairo_rectangle(cr, x + selected * w / 2, y + 18, w / 2, 2);
    cairo_fill(cr);
}

// A ring where a finger touches.
void touch(cairo_t* cr, double x, double y) {
    cairo_new_path(cr);
    cairo_arc(cr, x, y, 13, 0, 2 * pi);
    use(cr, Colour{green.r, green.g, green.b, 0.28});
    cairo_fill_preserve(cr);
    use(cr, green);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
}

void arrow(cairo_t* cr, double x1, double y1, double x2, double y2, const Colour& c) {
    use(cr, c);
    cairo_set_line_width(cr, 3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    cairo_stroke(cr);
    double angle = std::atan2(y2 - y1, x2 - x1);
    cairo_move_to(cr, x2, y2);
    cairo_line_to(cr, x2 - 10 * std::cos(angle - 0.5), y2 - 10 * std::sin(angle - 0.5));
    cairo_line_to(cr, x2 - 10 * std::cos(angle + 0.5), y2 - 10 * std::sin(angle + 0.5));
    cairo_close_path(cr);
    cairo_fill(cr);
}

void inputRow(cairo_t* cr, double x, double y, double w, int number, const std::string& value,
              const std::string& probability, bool active) {
    text(cr, std::to_string(number), x + 6, y + 7, 10, grey);
    strokeRounded(cr, x + 22, y + 3, w / 2 - 28, 22, 4, active ? blue : grey, active ? 2 : 1);
    text(cr, value.empty() ? "x" : value, x + 28, y + 7, 11, value.empty() ? grey : ink);
    if (!probability.empty()) {
        strokeRounded(cr, x + w / 2, y + 3, w / 2 - 8, 22, 4, grey, 1);
        text(cr, probability, x + w / 2 + 6, y + 7, 11, probability == "P(X)" ? grey : ink);
    }
}

// An open line through the points, with round ends and joins.
void polyline(cairo_t* cr, const std::vector<std::pair<double, double>>& points, const Colour& c,
              double width) {
    cairo_new_path(cr);
    for (const auto& [px, py] : points) {
        cairo_line_to(cr, px, py);
    }
    use(cr, c);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// The app's keypad: digits, the point and the two operators, the delete key, and the check key that
// calculates across the last two columns of the bottom row.
void keypad(cairo_t* cr, double x, double y, double w, const std::string& touched) {
    const std::vector<std::vector<std::string>> rows{
        {"7", "8", "9", "delete"}, {"4", "5", "6", "/"}, {"1", "2", "3", "-"}, {"0", ".", "check"}};
    const double gap = 2;
    const double kw = (w - 4 - 3 * gap) / 4;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        int column = 0;
        for (const std::string& key : rows[row]) {
            const int span = key == "check" ? 2 : 1;
            const double kx = x + 2 + column * (kw + gap);
            const double ky = y + row * 20;
            const double width = span * kw + (span - 1) * gap;
            const double cx = kx + width / 2;
            const double cy = ky + 9;
            const bool digit = key.size() == 1 && key[0] >= '0' && key[0] <= '9';
            fillRounded(cr, kx, ky, width, 18, 3,
                        key == "check"    ? green
                        : key == "delete" ? darkBlue
                        : digit           ? blue
                                          : violet);
            if (key == "delete") {
                polyline(cr, {{cx + 5, cy}, {cx - 5, cy}}, white, 1.6);
                polyline(cr, {{cx - 1, cy - 4}, {cx - 5, cy}, {cx - 1, cy + 4}}, white, 1.6);
            } else if (key == "check") {
                polyline(cr, {{cx - 5, cy}, {cx - 1.5, cy + 3.5}, {cx + 5, cy - 3.5}}, white, 1.6);
            } else {
                text(cr, key, cx, ky + 2, 10, white, Align::centre, true);
            }
            if (key == touched) {
                touch(cr, cx, cy);
            }
            column += span;
        }
    }
}

void playButton(cairo_t* cr, double cx, double cy, double r) {
    disc(cr, cx, cy, r, red);
    use(cr, paper);
    cairo_move_to(cr, cx - r * 0.35, cy - r * 0.5);
    cairo_line_to(cr, cx + r * 0.55, cy);
    cairo_line_to(cr, cx - r * 0.35, cy + r * 0.5);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void videoThumbnail(cairo_t* cr, double x, double y, double s, const std::string& label) {
    fillRounded(cr, x, y, s, s, 8, darkBlue);
    // A hint of a chart inside the video.
    use(cr, Colour{green.r, green.g, green.b, 0.6});
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, x + 8, y + s - 12);
    cairo_curve_to(cr, x + s * 0.35, y + s * 0.2, x + s * 0.6, y + s * 0.9, x + s - 8, y + s * 0.35);
    cairo_stroke(cr);
    playButton(cr, x + s / 2, y + s / 2, s * 0.16);
    if (!label.empty()) {
        fillRounded(cr, x + 5, y + 5, 22, 14, 3, paper);
        text(cr, label, x + 16, y + 6, 9, ink, Align::centre, true);
    }
}

// A closed or open padlock centred at (cx, cy).
void padlock(cairo_t* cr, double cx, double cy, double s, bool open, const Colour& c) {
    use(cr, c);
    cairo_new_path(cr);
    cairo_set_line_width(cr, s * 0.13);
    double shackle = s * 0.28;
    double lift = open ? s * 0.18 : 0;
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx + (open ? s * 0.3 : 0), cy - s * 0.05 - lift, shackle, pi, 2 * pi);
    cairo_line_to(cr, cx + (open ? s * 0.3 : 0) + shackle, cy + s * 0.05 - lift);
    cairo_move_to(cr, cx + (open ? s * 0.3 : 0) - shackle, cy - s * 0.05 - lift);
    cairo_line_to(cr, cx + (open ? s * 0.3 : 0) - shackle, cy + s * 0.05 - (open ? lift * 0.2 : 0));
    cairo_stroke(cr);
    fillRounded(cr, cx - s * 0.4, cy, s * 0.8, s * 0.6, s * 0.08, c);
}

// The pictures, each on a transparent square.

void welcome(cairo_t* cr) {
    phone(cr, 70, 14, 140, 252);
    toolbar(cr, 70, 14, 140, "Ombrel");
    tabs(cr, 70, 54, 140, 1);
    double y = 82;
    for (const char* step : {"Your Input", "Mean", "Variance", "Result"}) {
        text(cr, step, 80, y, 9, violet, Align::left, true);
        fillRounded(cr, 80, y + 14, 100 - (y - 82) / 4, 5, 2, lightGrey);
        fillRounded(cr, 80, y + 22, 70, 5, 2, lightGrey);
        y += 40;
    }
    text(cr, "σ² ≈ 1.23", 140, 240, 13, ink, Align::centre, true);
    disc(cr, 232, 60, 26, green);
    text(cr, "Σ", 232, 42, 28, paper, Align::centre, true);
    disc(cr, 46, 200, 22, blue);
    text(cr, "E(X)", 46, 191, 12, paper, Align::centre, true);
}

void typingValues(cairo_t* cr) {
    phone(cr, 50, 14, 180, 252);
    toolbar(cr, 50, 14, 180, "Stochastics");
    inputRow(cr, 56, 62, 168, 1, "4", "", false);
    inputRow(cr, 56, 90, 168, 2, "5", "", false);
    inputRow(cr, 56, 118, 168, 3, "3", "", true);
    text(cr, "+", 140, 146, 16, violet, Align::centre, true);
    touch(cr, 140, 155);
    keypad(cr, 54, 184, 172, "3");
}

void modeAndCalculate(cairo_t* cr) {
    phone(cr, 50, 14, 180, 252);
    toolbar(cr, 50, 14, 180, "Stochastics");
    strokeRounded(cr, 58, 60, 164, 20, 5, violet, 1.5);
    fillRounded(cr, 140, 60, 82, 20, 5, violet);
    text(cr, "Sample", 99, 64, 9, violet, Align::centre, true);
    text(cr, "Variable", 181, 64, 9, paper, Align::centre, true);
    touch(cr, 181, 70);
    inputRow(cr, 56, 88, 168, 1, "4", "0.3", false);
    inputRow(cr, 56, 116, 168, 2, "5", "0.25", false);
    inputRow(cr, 56, 144, 168, 3, "3", "0.45", false);
    keypad(cr, 54, 184, 172, "check");
}

void resultPage(cairo_t* cr) {
    phone(cr, 50, 14, 180, 252);
    toolbar(cr, 50, 14, 180, "Stochastics");
    tabs(cr, 50, 54, 180, 1);
    text(cr, "Expected value", 60, 82, 10, violet, Align::left, true);
    text(cr, "E(X) = Σ xᵢ · P(X = xᵢ) = 3.8", 60, 98, 10, ink);
    text(cr, "Variance", 60, 122, 10, violet, Align::left, true);
    text(cr, "σ² = Σ (xᵢ − E(X))² · P(X = xᵢ)", 60, 138, 10, ink);
    videoThumbnail(cr, 60, 166, 64, "");
    videoThumbnail(cr, 132, 166, 64, "");
    disc(cr, 208, 240, 14, green);
    arrow(cr, 208, 246, 208, 233, paper);
    touch(cr, 208, 240);
}

void sideMenu(cairo_t* cr) {
    phone(cr, 50, 14, 180, 252);
    toolbar(cr, 50, 14, 180, "Stochastics");
    cairo_save(cr);
    roundedRect(cr, 50, 14, 180, 252, 16);
    cairo_clip(cr);
    use(cr, Colour{0, 0, 0, 0.35});
    cairo_rectangle(cr, 50, 14, 180, 252);
    cairo_fill(cr);
    use(cr, violet);
    cairo_rectangle(cr, 50, 14, 128, 252);
    cairo_fill(cr);
    use(cr, darkBlue);
    cairo_rectangle(cr, 50, 14, 128, 40);
    cairo_fill(cr);
    cairo_restore(cr);
    text(cr, "Ombrel", 60, 30, 12, white, Align::left, true);
    double y = 62;
    for (const char* row : {"Stochastics", "History", "Introduction", "Privacy Policy"}) {
        text(cr, row, 60, y, 10, white);
        y += 22;
    }
    use(cr, blue);
    cairo_rectangle(cr, 50, y + 2, 128, 16);
    cairo_fill(cr);
    text(cr, " Visit us:", 54, y + 4, 9, white);
    text(cr, "Join us on Discord", 60, y + 24, 10, white);
    text(cr, "Rate this App", 60, y + 46, 10, white);
    touch(cr, 86, 88);
}

void videoIntroduction(cairo_t* cr) {
    videoThumbnail(cr, 60, 30, 160, "");
    text(cr, "Recommended video if unclear", 140, 210, 14, violet, Align::centre, true);
    text(cr, "Short tutorials for your calculation", 140, 234, 11, grey, Align::centre);
}

void videoUnlock(cairo_t* cr) {
    videoThumbnail(cr, 60, 20, 160, "");
    fillRounded(cr, 60, 20, 160, 160, 8, Colour{0.08, 0.08, 0.2, 0.82});
    padlock(cr, 140, 80, 60, false, white);
    text(cr, "Touch to unlock", 140, 150, 12, white, Align::centre, true);
    touch(cr, 150, 100);
    fillRounded(cr, 60, 196, 160, 56, 8, lightGrey);
    text(cr, "YouTube Privacy Policy", 140, 204, 10, ink, Align::centre, true);
    text(cr, "Accept", 140, 230, 11, Colour{0.1, 0.45, 0.95}, Align::centre, true);
}

void videoSwipe(cairo_t* cr) {
    videoThumbnail(cr, 10, 70, 110, "");
    videoThumbnail(cr, 130, 70, 110, "");
    videoThumbnail(cr, 250, 70, 110, "");
    arrow(cr, 210, 220, 90, 220, violet);
    touch(cr, 200, 220);
    text(cr, "swipe", 150, 234, 11, grey, Align::centre);
    touch(cr, 75, 125);
}

void videoLanguages(cairo_t* cr) {
    videoThumbnail(cr, 16, 60, 76, "DE");
    videoThumbnail(cr, 102, 60, 76, "DE");
    videoThumbnail(cr, 188, 60, 76, "EN");
    arrow(cr, 40, 170, 240, 170, violet);
    text(cr, "your language first", 90, 186, 11, ink, Align::centre);
    text(cr, "then English", 226, 186, 11, ink, Align::centre);
}

void videoPrivacyButton(cairo_t* cr) {
    for (int i = 0; i < 2; ++i) {
        double cx = i == 0 ? 80 : 200;
        disc(cr, cx, 110, 44, i == 0 ? green : violet);
        padlock(cr, cx, 100, 44, i == 0, white);
    }
    arrow(cr, 128, 110, 152, 110, ink);
    touch(cr, 80, 118);
    text(cr, "consent given", 80, 168, 11, ink, Align::centre);
    text(cr, "withdrawn", 200, 168, 11, ink, Align::centre);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::vector<std::pair<std::string, std::function<void(cairo_t*)>>> pictures{
        {"main_onboarding_1", welcome},
        {"single_onboarding_2", typingValues},
        {"single_onboarding_3", modeAndCalculate},
        {"single_onboarding_4", resultPage},
        {"main_onboarding_4", sideMenu},
        {"onboarding_youtube_1", videoIntroduction},
        {"onboarding_youtube_2", videoUnlock},
        {"onboarding_youtube_3", videoSwipe},
        {"onboarding_youtube_4", videoLanguages},
        {"onboarding_youtube_5", videoPrivacyButton}};
    for (const auto& [name, draw] : pictures) {
        int pixels = static_cast<int>(side * scale);
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels, pixels);
        cairo_t* cr = cairo_create(surface);
        cairo_scale(cr, scale, scale);
        // The videos of the swipe picture run past the edge, as in the row they show.
        cairo_rectangle(cr, 0, 0, side, side);
        cairo_clip(cr);
        draw(cr);
        cairo_destroy(cr);
        std::string path = std::string(argv[1]) + "/" + name + "@2x.png";
        cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
        cairo_surface_destroy(surface);
        if (status != CAIRO_STATUS_SUCCESS) {
            std::fprintf(stderr, "could not write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
