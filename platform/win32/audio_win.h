#pragma once
#include "platform/audio.h"

namespace platform::win32 {

class Win32Audio : public Audio {
public:
    bool mixerAvailable() override;
    std::unique_ptr<PeakMeter> openDefaultRenderMeter() override;
};

} // namespace platform::win32
