#pragma once
// Breaks the layering on purpose: a record reaching up into the editing layer.
#include "core/editing/Loaded.h"
