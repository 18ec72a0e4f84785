#pragma once
// The player's resource filter as a component sees it, for the length of one GetResources call.
// Without a filter it reads as the defaults and ignores changes.

#include "bridge/kesh_interface1.h"

namespace orvan {
class VesResourceFilter;
}

namespace vessant {

class VesKesh1_ResourceFilterImpl : public KeshInterface1::ResourceFilter {
public:
    explicit VesKesh1_ResourceFilterImpl(orvan::VesResourceFilter* filter);

    // Depth is the filter's qualification level count, Levels its levels still to descend.
    void Depth(int depth) override;
    int Depth() override;
    void Levels(int levels) override;
    int Levels() override;
    void NamesOnly(bool namesOnly) override;
    bool NamesOnly() override;
    void AddExcludedName(const char* name) override;
    unsigned ExcludedNameCount() override;
    const char* ExcludedName(unsigned index) override;
    void AddIncludedName(const char* name) override;
    unsigned IncludedNameCount() override;
    const char* IncludedName(unsigned index) override;
    bool Accepts(const char* name) override;

private:
    orvan::VesResourceFilter* filter;
};

}  // namespace vessant
