// The live units of the kinds: the platform handlers of a built window and its controls.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "runtime/runtime.h"

namespace runtime {

std::unique_ptr<platform::WindowHandler> MakeWindowUnit(Runtime& rt, uint32_t window_number);
// Nothing when the unit's kind cannot be built as a control.
std::unique_ptr<platform::WindowHandler> MakeControlUnit(Runtime& rt, uint32_t window_number,
                                                         const Unit& unit);
std::unique_ptr<platform::WindowHandler> MakeLabelUnit(Runtime& rt, uint32_t window_number,
                                                       const Unit& unit);
std::unique_ptr<platform::WindowHandler> MakeButtonUnit(Runtime& rt, uint32_t window_number,
                                                        const Unit& unit);

// Raises the common event (mouse, key, character, wheel) that a message stands for on a unit.
// The result says what the unit does next: true when a handler's result of 0 consumed the
// message. For characters a non-zero result replaces the character in *replacement.
bool RaiseCommonEvent(Runtime& rt, uint32_t window_number, uint32_t unit_number,
                      const platform::Message& m, int32_t* replacement = nullptr);
// Raises an event without arguments, unless the window has gone meanwhile.
void RaiseSimple(Runtime& rt, uint32_t window_number, uint32_t unit_number, int32_t index);

// The font of a font setting: the record's font, or the default GUI font.
platform::Font FontOf(const Bytes& record);

}  // namespace runtime
