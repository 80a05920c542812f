#pragma once
// The application object: fixes the executable folder when it is made, makes
// sure only one instance runs, and runs the main window modally.
#include "platform/text.h"

class CKVX_GMouseApp {
public:
    static constexpr const char16_t* kInstanceMutex = u"CKVX_GMouseM9X4App";

    CKVX_GMouseApp();

    // Always false: the process ends when it returns, after the main window
    // closed or at once for a second instance.
    bool InitInstance();

    const Text& executableFolder() const { return executableFolder_; }

private:
    void restoreFirstInstance();
    void runMainWindow();

    Text executableFolder_;
};

namespace kvx {
// The process's one application object and its start; the Windows entry point calls it.
CKVX_GMouseApp& theApp();
int runApplication();
}
