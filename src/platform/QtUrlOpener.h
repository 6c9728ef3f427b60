#pragma once

#include "platform/DesktopServices.h"

namespace mivo {

class QtUrlOpener final : public UrlOpener {
public:
    void open(const QString& target) override;
};

} // namespace mivo
