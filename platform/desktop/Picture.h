#pragma once

#include "platform/core/String.h"

#include <cstdint>
#include <memory>

namespace platform {

// An image; copies share it. A default Picture is none.
class Picture {
  public:
    Picture() = default;
    explicit operator bool() const { return static_cast<bool>(m_image); }
    // Size in points; 0 for none.
    std::int64_t Width() const;
    std::int64_t Height() const;

    // The image file of that name among the application's resources; where a screen has twice
    // the density or more, a "<base>@2x" twin, when present, is taken instead. None when the
    // file cannot be loaded.
    static Picture _OpenFromApp(const String& name);

    struct Image; // the platform's pixels

    const Image* image() const { return m_image.get(); }

  private:
    std::shared_ptr<const Image> m_image;
};

} // namespace platform
