#pragma once

class QObject;

// The integer Tag every component carries for its program's own use. It is
// the dynamic property "Tag", so that layouts can set it on any control or
// form; an object without one has Tag 0.
int ControlTag(const QObject *object);
void SetControlTag(QObject *object, int tag);
