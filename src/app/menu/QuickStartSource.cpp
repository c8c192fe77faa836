#include "app/menu/QuickStartSource.h"

namespace {

QuickStartFactory& Factory()
{
    static QuickStartFactory factory;
    return factory;
}

} // namespace

void SetQuickStartFactory(QuickStartFactory factory)
{
    Factory() = std::move(factory);
}

std::unique_ptr<QuickStartSource> MakeQuickStartSource()
{
    return Factory() ? Factory()() : nullptr;
}
