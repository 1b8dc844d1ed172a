#include "components/FlatSkin/SkinKinds.h"

#include "toolkit/app/Form.h"

#include <QAbstractScrollArea>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>

#include <algorithm>
#include <cstring>

namespace {

// Where the toolkit has no class of its own for a kind yet, its row names
// the Qt widget that stands for it; rows that name classes the program does
// not have (TMaskEdit, TBitBtn, TFrame, ...) keep the design's names so that
// a class of that name is skinned as soon as it exists.
struct TControlKindRow {
    TSkinControl element;
    TKindTest test;
};

constexpr TControlKindRow kControlKindRows[] = {
    {scCombo, {kmIs, "QComboBox"}},     // TCustomCombo
    {scListBox, {kmIs, "QListWidget"}}, // TCustomListBox
    {scEdit, {kmIs, "QLineEdit"}},      // TCustomLabeledEdit, TEdit
    {scMaskEdit, {kmNamed, "TMaskEdit"}},
    {scMaskEdit, {kmNamed, "TDBEdit"}},
    {scMemo, {kmIs, "QPlainTextEdit"}},      // TCustomMemo
    {scMemo, {kmIs, "QTextEdit"}},           // TCustomMemo (a rich edit is a memo)
    {scRichEdit, {kmIs, "QTextEdit"}},       // TCustomRichEdit
    {scCheckBox, {kmIs, "QCheckBox"}},       // TCustomCheckBox
    {scRadioButton, {kmIs, "QRadioButton"}}, // TRadioButton
    {scButton, {kmNamed, "QPushButton"}},    // named TButton
    {scButton, {kmNamed, "TButton"}},
    {scButton, {kmNamed, "TGlyphNavigator"}},
    {scButton, {kmNamed, "TDBLookupComboBox"}},
    {scBitBtn, {kmNamed, "TBitBtn"}},
    {scSpeedButton, {kmIs, "TSpeedButton"}},
    {scUpDown, {kmNamed, "QSpinBox"}}, // named TUpDown
    {scUpDown, {kmNamed, "TUpDown"}},
    {scPanel, {kmIs, "TPanel"}},          // TCustomPanel
    {scGroupBox, {kmIs, "QGroupBox"}},    // TCustomGroupBox
    {scTreeView, {kmIs, "QTreeView"}},    // TCustomTreeView
    {scListView, {kmNamed, "QListView"}}, // TCustomListView; QListWidget is the list box
    {scListView, {kmNamed, "TListView"}},
    {scProgressBar, {kmIs, "QProgressBar"}}, // TProgressBar
    {scHotKey, {kmIs, "QKeySequenceEdit"}},  // TCustomHotKey
};

struct TContainerRow {
    TSkinContainer element;
    TKindTest test;
};

// Tested on SkinContainerOf(control). A page of a QTabWidget stands for a
// tab sheet; it is tested apart, having no class of its own.
constexpr TContainerRow kContainerRows[] = {
    {sccForm, {kmIs, "TForm"}},   // TCustomForm
    {sccFrame, {kmIs, "TFrame"}}, // TCustomFrame
    {sccFrame, {kmNamed, "TDBCtrlPanel"}},
    {sccToolbar, {kmIs, "TToolBar"}},
    {sccCoolbar, {kmIs, "TCoolBar"}},
    {sccControlbar, {kmIs, "TControlBar"}},
    {sccPanel, {kmIs, "TPanel"}},          // TCustomPanel
    {sccScrollBox, {kmIs, "QScrollArea"}}, // TScrollBox
    {sccGroupBox, {kmIs, "QGroupBox"}},    // TCustomGroupBox, and so radio groups
    {sccTabSheet, {kmIs, "QTabWidget"}},   // TTabControl
    {sccTabSheet, {kmNamed, "TdxTabSheet"}},
    {sccPageScroller, {kmIs, "TPageScroller"}},
};

struct TPainterRow {
    TSkinPainter painter;
    TKindTest test;
    // The row is passed over when this painter was already chosen ("a rich
    // edit, otherwise an edit"); the painter itself when there is none.
    TSkinPainter unlessChosen;
    bool visibleOnly;
};

constexpr TPainterRow kPainterRows[] = {
    {spCombo, {kmIs, "QComboBox"}, spCombo, false},
    {spLookupCombo, {kmNamed, "TDBLookupComboBox"}, spLookupCombo, false},
    {spRichEdit, {kmIs, "QTextEdit"}, spRichEdit, false},
    {spEdit, {kmIs, "QLineEdit"}, spRichEdit, false},
    {spEdit, {kmIs, "QPlainTextEdit"}, spRichEdit, false},
    {spCheckBox, {kmIs, "QCheckBox"}, spCheckBox, false},
    {spRadioButton, {kmIs, "QRadioButton"}, spRadioButton, false},
    {spBitBtn, {kmIs, "TBitBtn"}, spBitBtn, false},
    {spButton, {kmIs, "QPushButton"}, spBitBtn, false},
    {spUpDown, {kmIs, "QSpinBox"}, spUpDown, false},
    {spUpDown, {kmIs, "TUpDown"}, spUpDown, false},
    {spSpeedButton, {kmIs, "TSpeedButton"}, spSpeedButton, true},
    {spPanel, {kmIs, "TPanel"}, spPanel, false},
    {spGroupBox, {kmIs, "QGroupBox"}, spGroupBox, false},
    {spListFrame, {kmIs, "QListWidget"}, spListFrame, false},
    {spListFrame, {kmIs, "QTreeView"}, spListFrame, false},
    {spListFrame, {kmIs, "QListView"}, spListFrame, false},
    {spProgressBar, {kmIs, "QProgressBar"}, spProgressBar, false},
    {spHotKey, {kmIs, "QKeySequenceEdit"}, spHotKey, false},
};

constexpr TKindTest kFrameKeepingKinds[] = {
    {kmIs, "QLineEdit"},
    {kmIs, "QPlainTextEdit"},
    {kmIs, "QTextEdit"},            // edits
    {kmNamed, "TDBLookupComboBox"}, // its Ctl3D
    {kmIs, "QListWidget"},
    {kmIs, "QListView"},
    {kmIs, "QTreeView"}, // lists
};
constexpr TKindTest kDoubleClickKinds[] = {{kmIs, "QPushButton"}, {kmIs, "TSpeedButton"}, {kmIs, "QCheckBox"}};
constexpr TKindTest kUpDownKinds[] = {{kmNamed, "QSpinBox"}, {kmNamed, "TUpDown"}};

template <std::size_t N> bool MatchesAny(const QObject &object, const TKindTest (&tests)[N])
{
    for (const TKindTest &test : tests) {
        if (MatchesKind(object, test))
            return true;
    }
    return false;
}

bool IsTabPage(const QWidget &widget)
{
    const QWidget *stack = widget.parentWidget();
    return qobject_cast<const QStackedWidget *>(stack) && qobject_cast<const QTabWidget *>(stack->parentWidget());
}

} // namespace

bool MatchesKind(const QObject &object, const TKindTest &test)
{
    if (test.match == kmNamed)
        return std::strcmp(object.metaObject()->className(), test.className) == 0;
    return object.inherits(test.className);
}

bool QualifiesAsSkinnedKind(const QObject &object, TSkinControls controls)
{
    for (const TControlKindRow &row : kControlKindRows) {
        if (controls.Contains(row.element) && MatchesKind(object, row.test))
            return true;
    }
    return false;
}

const QWidget *SkinContainerOf(const QWidget &control)
{
    const QWidget *parent = control.parentWidget();
    if (!parent)
        return nullptr;
    if (auto *form = qobject_cast<const TForm *>(parent->parentWidget()); form && form->ClientArea() == parent)
        return form;
    // A scroll area's content lies in its viewport.
    if (const QWidget *viewport = parent->parentWidget()) {
        if (auto *scrollArea = qobject_cast<const QScrollArea *>(viewport->parentWidget());
            scrollArea && scrollArea->widget() == parent)
            return scrollArea;
    }
    return parent;
}

bool QualifiesByContainer(const QWidget &control, TSkinContainers containers)
{
    const QWidget *container = SkinContainerOf(control);
    if (!container)
        return false;
    if (containers.Contains(sccTabSheet) && IsTabPage(*container))
        return true;
    for (const TContainerRow &row : kContainerRows) {
        if (containers.Contains(row.element) && MatchesKind(*container, row.test))
            return true;
    }
    return false;
}

std::vector<TSkinPainter> PaintersFor(const QWidget &control)
{
    std::vector<TSkinPainter> painters;
    auto chosen = [&painters](TSkinPainter painter) {
        return std::find(painters.begin(), painters.end(), painter) != painters.end();
    };
    for (const TPainterRow &row : kPainterRows) {
        if (chosen(row.painter) || chosen(row.unlessChosen))
            continue;
        if (row.visibleOnly && control.isHidden())
            continue;
        if (MatchesKind(control, row.test))
            painters.push_back(row.painter);
    }
    return painters;
}

bool IsGraphicControl(const QWidget &control)
{
    return control.inherits("TGraphicControl");
}

bool KeepsFrameSettings(const QWidget &control)
{
    return MatchesAny(control, kFrameKeepingKinds);
}

bool TakesDoubleClickAsClick(const QWidget &control)
{
    return MatchesAny(control, kDoubleClickKinds);
}

bool RepaintsOnMouseMove(const QWidget &control)
{
    return MatchesAny(control, kUpDownKinds);
}
