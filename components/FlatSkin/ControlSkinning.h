#pragma once

class QObject;
class TFlatSkin;

// The per-component decision for an object of a form's widget tree: a
// control of a kind in SkinControls whose container is of a kind in
// SkinContainers gets a TControlSubClass owned by skin when activating
// (unless it or its container carries the exempt tag, or it runs a record
// already), and is repainted when repaint is set, deactivating too: its
// record then lets go at the control's next event.
void SkinControl(TFlatSkin &skin, QObject &component, bool activate, bool repaint);

// Tool bars and control bars: made flat and painted by the skin once their
// painting exists; nothing is done with them yet.
void SkinToolbarOrControlBar(TFlatSkin &skin, QObject &component, bool activate, bool repaint);
