#pragma once
// The services the routines take, made of the in-memory substitutes, for
// tests, benchmarks and fuzzers: the registry through its journal, as the
// programs reach it.
#include "commands/CommandServices.h"
#include "common/modRegistry.h"
#include "platform/SubstitutePlatform.h"

inline modRegistry::Access RegistryOf(platform::SubstitutePlatform& sub) {
    return {sub.journal, sub.text, sub.messages};
}

inline CommandServices CommandsOf(platform::SubstitutePlatform& sub) {
    return {RegistryOf(sub), sub.files, sub.graphics, sub.windows};
}
