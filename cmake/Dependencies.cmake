# Imported targets for the Debian libraries behind the platform layer.
pkg_check_modules(ICU REQUIRED IMPORTED_TARGET icu-uc icu-i18n)
pkg_check_modules(PLIST REQUIRED IMPORTED_TARGET libplist-2.0)
pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
pkg_check_modules(PANGO REQUIRED IMPORTED_TARGET pangocairo)
pkg_check_modules(HARFBUZZ REQUIRED IMPORTED_TARGET harfbuzz)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(DUKTAPE REQUIRED IMPORTED_TARGET duktape)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
find_package(nlohmann_json 3 REQUIRED)
find_package(Threads REQUIRED)
find_program(MSGFMT msgfmt REQUIRED)
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
# Tests compress the answers of their local server.
pkg_check_modules(ZLIB REQUIRED IMPORTED_TARGET zlib)
# Exact sums of typed probabilities (Boost.Multiprecision, header only).
find_package(Boost 1.74 REQUIRED)
