#pragma once
// The in-memory substitutes, with the services the routines take made of
// them, for tests, benchmarks and fuzzers: the registry through its
// journal, as the programs reach it.
#include "commands/CommandServices.h"
#include "common/modRegistry.h"
#include "platform/SubstitutePlatform.h"

struct SubstituteServices : platform::SubstitutePlatform {
    using SubstitutePlatform::SubstitutePlatform;

    modRegistry::Access Registry() { return {journal, text, messages}; }
    CommandServices Commands() { return {Registry(), files, graphics, windows}; }
};
