#pragma once

#include "platform/errors/ErrorManager.h"
#include "platform/ini/IniManager.h"

#include <cstdint>

// The program's globals, alive for the whole run.
extern errors::ErrorManager GlobalErrors;
extern ini::IniManager INIMgr;
// Full-window dragging as it was found at start: 1 on.
extern std::int32_t SavedDragSetting;

// The program from start to end: sets up the error and INI managers,
// switches full-window dragging off while the main window runs if it was
// on, and switches it on again afterwards.
void ProgramBody();

// What the platform does around the program body in a process: installs
// the platform's message boxes, turns SIGINT and SIGTERM into a close
// request and registers the installed components, then runs the program
// body. Needs the Qt application object. Returns the process's exit code.
int RunProgram();
