#pragma once
// Automation access: Variant values, ComObject handles, creation by programmatic
// identifier and late-bound calls by member name.

#include "automation/dispatch.h"
#include "automation/variant.h"
