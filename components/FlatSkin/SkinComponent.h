#pragma once

#include <variant>

class QObject;
class TMenu;
class TMenuItem;

// One component a form owns, as the skin sees it: a menu, a menu item, or an
// object of the form's widget tree (controls, tool bars, control bars).
struct TSkinComponent {
    std::variant<TMenu *, TMenuItem *, QObject *> Target;
};
