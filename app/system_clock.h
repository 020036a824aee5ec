#pragma once
// The process's local clock.
#include "app/app_seams.h"

namespace novarel {

class SystemClock final : public Clock {
public:
    std::tm now() override;
};

}  // namespace novarel
