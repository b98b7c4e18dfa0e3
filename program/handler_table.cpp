// The handler keys the form descriptions store, resolved to the program's routines.
#include "program/program.h"
#include "runtime/program_interface.h"

std::span<const runtime::HandlerEntry> ProgramHandlers() {
  static constexpr runtime::HandlerEntry kHandlers[] = {
      runtime::Handler<&Label4Request>(0x00, "Label4Request"),
      runtime::Handler<&Button1Clicked>(0x0B, "Button1Clicked"),
      runtime::Handler<&MainWindowCreated>(0x45, "MainWindowCreated"),
  };
  return kHandlers;
}
