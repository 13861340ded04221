// The hosted machine's own tests use the shared machine fixture under their namespace.
#pragma once

#include "common/machine_fixture.h"

namespace tavlin::hosted::testing {
using namespace tavlin::test;
}  // namespace tavlin::hosted::testing
