#include "ui/pages/page.h"

namespace ui {

Text variantSuffix(int variant)
{
    switch (variant) {
    case kVariantDark: return u"_dark";
    case kVariantDark2: return u"_dark2";
    default: return Text();
    }
}

} // namespace ui
