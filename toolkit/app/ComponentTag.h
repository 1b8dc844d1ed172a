#pragma once

class QObject;

// Every component carries an integer Tag for the program's own use. Menus
// and menu items hold it as a member; controls and forms hold it as the
// dynamic property "Tag", so that a layout file can set it like any other
// setting. An object without the property has Tag 0.
int ComponentTag(const QObject *component);
void SetComponentTag(QObject *component, int tag);
