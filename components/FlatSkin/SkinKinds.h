#pragma once

#include "components/FlatSkin/SkinSets.h"

#include <vector>

class QObject;
class QWidget;

// The painters of the control skin, in the order a paint dispatch runs them.
enum TSkinPainter {
    spCombo,
    spLookupCombo,
    spRichEdit,
    spEdit,
    spCheckBox,
    spRadioButton,
    spBitBtn,
    spButton,
    spUpDown,
    spSpeedButton,
    spPanel,
    spGroupBox,
    spListFrame,
    spProgressBar,
    spHotKey,
};

// How a row of a kind table matches a class: the class and every class
// derived from it, or exactly that class.
enum TKindMatch { kmIs, kmNamed };

struct TKindTest {
    TKindMatch match;
    const char *className;
};

// Whether object's class passes the test.
bool MatchesKind(const QObject &object, const TKindTest &test);

// The control kinds of SkinControls: the object qualifies when a row whose
// element is in the set matches it. Rows are independent, so one object may
// qualify through several elements.
bool QualifiesAsSkinnedKind(const QObject &object, TSkinControls controls);

// The container of a control as the skin sees it: the form for a control in
// a form's client area, the scroll box for a control on a scroll area's
// content, otherwise the parent. nullptr without a parent.
const QWidget *SkinContainerOf(const QWidget &control);

// The container test: the control's container matches a row whose element is
// in the set. A control without a parent never qualifies.
bool QualifiesByContainer(const QWidget &control, TSkinContainers containers);

// The painters whose kind test holds for control, in dispatch order.
std::vector<TSkinPainter> PaintersFor(const QWidget &control);

// A control without a window of its own (it paints on its parent's surface).
bool IsGraphicControl(const QWidget &control);

// The kinds whose frame settings the painters change, saved at subclass time
// and put back when the control is given back.
bool KeepsFrameSettings(const QWidget &control);

// Push buttons, speed buttons and check boxes take a quick second click as a
// click.
bool TakesDoubleClickAsClick(const QWidget &control);

// Up-down controls repaint as the mouse moves over their arrows.
bool RepaintsOnMouseMove(const QWidget &control);
