#pragma once
// The key conversions and names of one interface language. The main window
// keeps one for the current language; a caller may also make one on the
// stack. A plain object: it holds nothing but the language index.
#include "keys/key_names.h"
#include "keys/key_tables.h"
#include "platform/text.h"

namespace keys {

class MacVkAndText {
public:
    explicit MacVkAndText(int language = 0) : language_(language) {}

    int language() const { return language_; }
    void setLanguage(int language) { language_ = language; }

    int deviceFromVk(int vk, int mode = kModeKeys) const
    {
        return keys::deviceFromVk(language_, vk, mode);
    }
    int vkFromDevice(int code, int mode = kModeKeys) const
    {
        return keys::vkFromDevice(language_, code, mode);
    }
    int keyOfPosition(int position) const { return keys::keyOfPosition(language_, position); }
    Text keyName(int code, int mode, const Text& pseudo1, const Text& pseudo2,
                 const Text& pseudo3, const Text& button4 = Text(),
                 const Text& button5 = Text()) const
    {
        return keys::keyName(language_, code, mode, pseudo1, pseudo2, pseudo3, button4, button5);
    }

private:
    int language_;
};

} // namespace keys
