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

// Tool bars (scToolbar) and control bars (scControlbar): activating gives a
// tool bar with buttons DrawToolButton and a control bar DrawBandGrip, unless
// they have handlers of their own and OverrideOwnerDraw is clear;
// deactivating takes the skin's handlers away. A tool bar is made flat either
// way, and both are repainted when repaint is set.
void SkinToolbarOrControlBar(TFlatSkin &skin, QObject &component, bool activate, bool repaint);
