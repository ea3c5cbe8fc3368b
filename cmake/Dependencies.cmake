find_package(PkgConfig REQUIRED)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(SDL2_IMAGE REQUIRED IMPORTED_TARGET SDL2_image)
pkg_check_modules(SDL2_TTF REQUIRED IMPORTED_TARGET SDL2_ttf)
pkg_check_modules(SDL2_MIXER REQUIRED IMPORTED_TARGET SDL2_mixer)
pkg_check_modules(JSONCPP REQUIRED IMPORTED_TARGET jsoncpp)
pkg_check_modules(PUGIXML REQUIRED IMPORTED_TARGET pugixml)
pkg_check_modules(SOUNDTOUCH REQUIRED IMPORTED_TARGET soundtouch)
# Text in every script: font fallback, bidirectional order, script properties, line breaking
# by words (ICU).
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
pkg_check_modules(FRIBIDI REQUIRED IMPORTED_TARGET fribidi)
pkg_check_modules(HARFBUZZ REQUIRED IMPORTED_TARGET harfbuzz)
# Also the names of languages in their own language, for the caption language choice. The
# reader loads the library at run time; the tests link it.
pkg_check_modules(ICU_UC REQUIRED IMPORTED_TARGET icu-uc)
# Books kept as one file: a ZIP archive, read with minizip over zlib (which libpng loads
# anyway); the tests and the book maker write archives with libzip.
# Only minizip's library is taken: its folder of headers holds a zip.h that would hide
# libzip's, so the reader includes <minizip/unzip.h>.
pkg_check_modules(MINIZIP REQUIRED minizip)
pkg_check_modules(ZLIB REQUIRED IMPORTED_TARGET zlib)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)
