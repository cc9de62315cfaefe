# The Debian package, built with `cpack` from a configured build tree. Its
# dependencies come from scanning the binary's shared libraries. The release
# preset, which scripts/package builds, carries Debian's hardening flags.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tintwell)
set(CPACK_PACKAGE_VENDOR "The Tintwell developers")
set(CPACK_PACKAGE_CONTACT "The Tintwell developers <maintainers@tintwell.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small desktop colour picker")
# One string: set() with several would join them with semicolons.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Tintwell mixes a colour from red, green and blue sliders and shows it as a\n"
    "swatch, each channel in decimal and hexadecimal, and the packed colour\n"
    "value in decimal and BBGGRR hexadecimal. It takes colours from the screen,\n"
    "on X11 and through the desktop portal on Wayland, and copies, pastes and\n"
    "drags them as #RRGGBB, rgb() or CSS colour names.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The desktop entry's actions call the running program with gapplication.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libglib2.0-bin)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tintwell.org/")
set(CPACK_STRIP_FILES ON)
include(CPack)
