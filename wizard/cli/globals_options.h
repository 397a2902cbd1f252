// The global options of orvella-config (--library, --fw, --mem) and how they set the globals.
#pragma once

#include <string>
#include <vector>

#include "wizard/cli/command.h"

namespace cli {

// Applies "--option VALUE" pairs; throws UsageError for an unknown option or a bad value.
void applyGlobalOptions(const std::vector<std::string>& pairs, GlobalOptions& globals);

}  // namespace cli
