#pragma once
#include "platform/Graphics.h"

namespace platform {

class WinGraphics : public IGraphics {
public:
    std::unique_ptr<IDibSection> CreateDibSection(const BitmapInfoHeader& header) override;
};

}  // namespace platform
