#pragma once
// The text toolkit: Text, Bytes, TextArray and the operations on them.

#include "text/extract.h"
#include "text/lists.h"
#include "text/primitives.h"
#include "text/types.h"
