#include "bridge/resource_filter_impl.h"

#include "orvan/resource_filter.h"

namespace vessant {

VesKesh1_ResourceFilterImpl::VesKesh1_ResourceFilterImpl(orvan::VesResourceFilter* filter_) : filter(filter_) {}

void VesKesh1_ResourceFilterImpl::Depth(int depth) {
    if (filter != nullptr) filter->QualificationLevels(depth);
}

int VesKesh1_ResourceFilterImpl::Depth() { return filter != nullptr ? filter->QualificationLevels() : -1; }

void VesKesh1_ResourceFilterImpl::Levels(int levels) {
    if (filter != nullptr) filter->LevelsDown(levels);
}

int VesKesh1_ResourceFilterImpl::Levels() { return filter != nullptr ? filter->LevelsDown() : 0; }

void VesKesh1_ResourceFilterImpl::NamesOnly(bool namesOnly) {
    if (filter != nullptr) filter->NamesOnly(namesOnly);
}

bool VesKesh1_ResourceFilterImpl::NamesOnly() { return filter != nullptr && filter->NamesOnly(); }

// Adding copies the name; a failed allocation must not unwind into the component.
void VesKesh1_ResourceFilterImpl::AddExcludedName(const char* name) {
    if (filter == nullptr || name == nullptr) return;
    try {
        filter->Exclude(name);
    } catch (...) {
    }
}

unsigned VesKesh1_ResourceFilterImpl::ExcludedNameCount() { return filter != nullptr ? filter->ExcludedCount() : 0; }

const char* VesKesh1_ResourceFilterImpl::ExcludedName(unsigned index) {
    return filter != nullptr ? filter->Excluded(index) : nullptr;
}

void VesKesh1_ResourceFilterImpl::AddIncludedName(const char* name) {
    if (filter == nullptr || name == nullptr) return;
    try {
        filter->Include(name);
    } catch (...) {
    }
}

unsigned VesKesh1_ResourceFilterImpl::IncludedNameCount() { return filter != nullptr ? filter->IncludedCount() : 0; }

const char* VesKesh1_ResourceFilterImpl::IncludedName(unsigned index) {
    return filter != nullptr ? filter->Included(index) : nullptr;
}

bool VesKesh1_ResourceFilterImpl::Accepts(const char* name) { return filter == nullptr || filter->Accepts(name); }

}  // namespace vessant
