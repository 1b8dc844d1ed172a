#pragma once

// The menus a form uses, for code that works with every kind: the base with
// its items, the main menu that shows on a bar and the menu that pops up on
// demand. The bar and the popup windows sit between them, above the base and
// below the two menus that create them, and never include this header.
#include "toolkit/menus/MainMenu.h"
#include "toolkit/menus/MenuBase.h"
#include "toolkit/menus/MenuItem.h"
#include "toolkit/menus/PopupMenu.h"
