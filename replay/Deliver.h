// A window event of a script line handed to the engine, as the window would hand it.
#pragma once

#include "Game.h"
#include "ScriptLine.h"

// Menus, clicks, keys and pointer moves; "load" and the close box belong to whoever runs the
// program. Returns true for a click that the window would not deliver (the engine ignores it).
bool deliver(Game& game, const ScriptLine& line);
