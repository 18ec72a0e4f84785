#pragma once
// The exports of a component library, written for a component class C (a ComponentBase subclass
// declared at global scope) in one source of the library:
//
//   VESSANT_COMPONENT_EXPORTS(C)   // "CreateKeshInterface1_C", "VesDefaultClassName" ("C"),
//                                  // "GetVesBuiltVersionInfo"
//
// A library offering several classes writes VESSANT_COMPONENT_FACTORY for each and
// VESSANT_COMPONENT_LIBRARY once, naming the class a host takes when it is given none.

#include "bridge/kesh_interface1.h"
#include "sdk/kesh_component_adapter.h"

#define VESSANT_COMPONENT_FACTORY(Class)                         \
    KESH_EXPORT KeshInterface1* CreateKeshInterface1_##Class() { \
        return ::orvan::KeshComponentAdapter::Create<Class>();   \
    }

#define VESSANT_COMPONENT_LIBRARY(DefaultClass)                                                          \
    KESH_EXPORT const char* VesDefaultClassName() { return #DefaultClass; }                              \
    KESH_EXPORT const KeshBuiltVersion* GetVesBuiltVersionInfo() {                                       \
        static const KeshBuiltVersion built = {kKeshVersionMajor, kKeshVersionMinor, kKeshVersionBuild}; \
        return &built;                                                                                   \
    }

#define VESSANT_COMPONENT_EXPORTS(Class) \
    VESSANT_COMPONENT_FACTORY(Class)     \
    VESSANT_COMPONENT_LIBRARY(Class)
