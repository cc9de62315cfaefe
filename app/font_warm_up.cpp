#include "app/font_warm_up.h"

#include <fontconfig/fontconfig.h>

#include <locale.h>

namespace tintwell::app {

namespace {

void LoadFontconfig()
{
    // Fontconfig reads the numbers in its files through the C library's
    // locale, which Qt sets on the main thread meanwhile; a locale of this
    // thread's own keeps the two apart. Fontconfig reads a number the same
    // in any locale, so what it loads does not change.
    const locale_t own = newlocale(LC_ALL_MASK, "C", nullptr);
    if (own != nullptr)
        uselocale(own);

    // Qt's font database later finds this configuration loaded and uses it
    // as it is.
    FcInit();

    if (own != nullptr) {
        uselocale(LC_GLOBAL_LOCALE);
        freelocale(own);
    }
}

} // namespace

std::jthread WarmUpFonts()
{
    return std::jthread(&LoadFontconfig);
}

} // namespace tintwell::app
