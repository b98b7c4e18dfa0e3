// Dispatching one event notice to the handler bound to it.
#include "runtime/runtime.h"

namespace runtime {

bool Runtime::RaiseEvent(EventNotice& n) {
  if (suppression_counter_ > 0) return false;
  const LoadedWindow* w = Loaded(n.window_number);
  if (!w) FatalError("an event names window " + Hex(n.window_number) + ", which is not open");
  const FormDescription& form = *w->form;
  const Unit* unit = n.unit_number == 0 ? &form.Own() : form.FindUnit(n.unit_number);
  if (!unit)
    FatalError("an event names unit " + Hex(n.unit_number) + ", which window " +
               Hex(n.window_number) + " does not have");
  // Event-source links: the events of a unit may be looked up in another unit of its kind.
  for (size_t hops = 0; unit->event_source != 0 && hops < form.units.size(); ++hops) {
    const Unit* source = form.FindUnit(unit->event_source);
    if (!source || source->kind != unit->kind) break;
    unit = source;
  }
  const KindInfo* kind = FindKind(unit->kind);
  if (!kind || !kind->raises_events)
    FatalError("unit " + Hex(unit->number) + " is of a kind that raises no events");
  for (const EventBinding& b : unit->bindings) {
    if (b.event_index != n.event_index) continue;
    if (!b.handler) return false;  // an empty binding
    std::optional<int32_t> result = b.handler(n.args);
    if (result) {
      n.result_present = 1;
      n.result = *result;
    }
    return true;
  }
  return false;
}

}  // namespace runtime
