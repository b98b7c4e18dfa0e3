// What the program supplies to the run time: its entry routine and its table of handlers by key.
#pragma once

#include <cstdint>
#include <span>

#include "runtime/handlers.h"

int32_t StartUp();
std::span<const runtime::HandlerEntry> ProgramHandlers();
