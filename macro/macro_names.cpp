#include "macro/macro_names.h"

namespace macro {

namespace {

bool isReservedDeviceName(TextView name)
{
    // Windows opens these devices whatever the folder or extension.
    TextView base = name.substr(0, name.find(u'.'));
    while (!base.empty() && base.back() == u' ')
        base.remove_suffix(1);
    static const char* const fixed[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* d : fixed)
        if (text::equalsIgnoreCase(base, T(d)))
            return true;
    if (base.size() == 4 && base[3] >= u'0' && base[3] <= u'9')
        return text::equalsIgnoreCase(base.substr(0, 3), u"COM") || text::equalsIgnoreCase(base.substr(0, 3), u"LPT");
    return false;
}

} // namespace

bool isSafeGroupName(TextView name)
{
    if (name.empty() || name.find(u"..") != TextView::npos)
        return false;
    for (char16_t c : name)
        if (c < 0x20 || c == 0x7F || TextView(u"<>:\"/\\|?*").find(c) != TextView::npos)
            return false;
    return !isReservedDeviceName(name);
}

} // namespace macro
