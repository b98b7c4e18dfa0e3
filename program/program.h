// The program's routines.
#pragma once

#include <cstdint>

int32_t StartUp();
void InitGlobals();
void ProgramExit();
void MainWindowCreated();
void Label4Request(int32_t a, int32_t b);
void Button1Clicked();
