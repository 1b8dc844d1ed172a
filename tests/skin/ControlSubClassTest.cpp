#include "components/FlatSkin/ControlSubClass.h"
#include "components/FlatBtn.h"
#include "components/FlatSkin.h"
#include "components/FlatSkin/SkinKinds.h"
#include "components/GlyphNavigator.h"
#include "support/Input.h"
#include "toolkit/app/Form.h"
#include "toolkit/app/PlatformMessages.h"
#include "toolkit/controls/ControlTag.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/SpeedButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Lets queued paints run and records released during them go.
void Settle()
{
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Counts the paints a widget receives.
struct TPaintCounter : QObject {
    explicit TPaintCounter(QWidget &widget) { widget.installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

// A shown form with an edit and a button on it, an edit in a group box and
// an edit on a panel, and a skin that is not active yet.
struct SkinForm {
    TForm form;
    QLineEdit *edit;
    TEdit *thinEdit;
    QPushButton *button;
    QGroupBox *groupBox;
    QLineEdit *groupEdit;
    TPanel *panel;
    QLineEdit *panelEdit;
    TFlatSkin *skin;

    SkinForm()
    {
        QWidget *client = form.ClientArea();
        edit = new QLineEdit(client);
        thinEdit = new TEdit(client);
        button = new QPushButton(QStringLiteral("Найти"), client);
        groupBox = new QGroupBox(client);
        groupEdit = new QLineEdit(groupBox);
        panel = new TPanel(client);
        panelEdit = new QLineEdit(panel);
        skin = new TFlatSkin(&form);
        form.SetClientSize(300, 200);
        thinEdit->setGeometry(140, 10, 100, 21);
        groupBox->setGeometry(10, 40, 120, 60);
        panel->setGeometry(140, 40, 120, 60);
        form.show();
        Settle();
    }

    std::vector<QWidget *> Controls() const { return {edit, thinEdit, button, groupBox, groupEdit, panel, panelEdit}; }
    int Records() const
    {
        int count = 0;
        for (QWidget *control : Controls())
            count += TControlSubClass::Of(*control) != nullptr;
        return count;
    }
};

QKeyEvent SpaceEvent(QEvent::Type type, bool autoRepeat)
{
    return QKeyEvent(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), autoRepeat);
}

} // namespace

TEST(SkinKinds, controlKindsAndContainersFollowTheSelection)
{
    TForm form;
    QWidget *client = form.ClientArea();
    QLineEdit edit(client);
    QPushButton button(client);
    TFlatGlyphButton glyphButton(client);
    TGlyphNavigator navigator(client);
    TPanel panel(client);
    QLineEdit panelEdit(&panel);
    QLineEdit loose;

    const TSkinControls all = TSkinControls::All();
    EXPECT_TRUE(QualifiesAsSkinnedKind(edit, all));
    EXPECT_FALSE(QualifiesAsSkinnedKind(edit, all.Without(scEdit)));
    EXPECT_TRUE(QualifiesAsSkinnedKind(button, all));
    // A flat glyph button is a button of its own, not a skinned kind.
    EXPECT_FALSE(QualifiesAsSkinnedKind(glyphButton, all));
    // The navigator bar qualifies as a panel and, by its name, as a button.
    EXPECT_TRUE(QualifiesAsSkinnedKind(navigator, all.Without(scPanel)));
    EXPECT_TRUE(QualifiesAsSkinnedKind(navigator, all.Without(scButton)));
    EXPECT_FALSE(QualifiesAsSkinnedKind(navigator, all.Without(scPanel).Without(scButton)));

    const TSkinContainers containers = TSkinContainers::All();
    EXPECT_EQ(SkinContainerOf(edit), &form);
    EXPECT_TRUE(QualifiesByContainer(edit, containers));
    EXPECT_FALSE(QualifiesByContainer(edit, containers.Without(sccForm)));
    EXPECT_TRUE(QualifiesByContainer(panelEdit, TSkinContainers().With(sccPanel)));
    EXPECT_FALSE(QualifiesByContainer(panelEdit, containers.Without(sccPanel)));
    EXPECT_FALSE(QualifiesByContainer(loose, containers));
}

TEST(SkinKinds, paintersRunInDispatchOrderWithOneOfEachAlternative)
{
    QWidget parent;
    QTextEdit richEdit(&parent);
    QLineEdit edit(&parent);
    QListWidget list(&parent);
    TGlyphNavigator navigator(&parent);
    TSpeedButton speedButton(&parent);
    QCheckBox checkBox(&parent);

    EXPECT_EQ(PaintersFor(richEdit), std::vector<TSkinPainter>{spRichEdit});
    EXPECT_EQ(PaintersFor(edit), std::vector<TSkinPainter>{spEdit});
    EXPECT_EQ(PaintersFor(list), std::vector<TSkinPainter>{spListFrame});
    EXPECT_EQ(PaintersFor(navigator), std::vector<TSkinPainter>{spPanel});
    EXPECT_EQ(PaintersFor(checkBox), std::vector<TSkinPainter>{spCheckBox});
    EXPECT_EQ(PaintersFor(speedButton), std::vector<TSkinPainter>{spSpeedButton});
    speedButton.hide();
    EXPECT_TRUE(PaintersFor(speedButton).empty());
}

TEST(ControlSubClass, activatingSubclassesQualifyingControlsOnceAndSparesExemptOnes)
{
    SkinForm f;
    SetControlTag(f.button, TFlatSkin::kExemptTag);
    SetControlTag(f.panel, TFlatSkin::kExemptTag);
    f.skin->SetActive(true);

    EXPECT_NE(TControlSubClass::Of(*f.edit), nullptr);
    EXPECT_NE(TControlSubClass::Of(*f.groupBox), nullptr);
    EXPECT_NE(TControlSubClass::Of(*f.groupEdit), nullptr);
    EXPECT_EQ(TControlSubClass::Of(*f.button), nullptr);
    // Exempt itself, and through it the edit it holds.
    EXPECT_EQ(TControlSubClass::Of(*f.panel), nullptr);
    EXPECT_EQ(TControlSubClass::Of(*f.panelEdit), nullptr);

    TControlSubClass *record = TControlSubClass::Of(*f.edit);
    EXPECT_EQ(record->FlatSkin(), f.skin);
    EXPECT_EQ(record->parent(), f.skin);
    f.skin->SkinWalk(true, true);
    EXPECT_EQ(TControlSubClass::Of(*f.edit), record);
}

TEST(ControlSubClass, formWithExemptTagKeepsItsControlsAndEmptyContainersSkinNothing)
{
    SkinForm exemptForm;
    SetControlTag(&exemptForm.form, TFlatSkin::kExemptTag);
    exemptForm.skin->SetActive(true);
    EXPECT_EQ(TControlSubClass::Of(*exemptForm.edit), nullptr);
    EXPECT_EQ(TControlSubClass::Of(*exemptForm.button), nullptr);
    EXPECT_NE(TControlSubClass::Of(*exemptForm.groupEdit), nullptr);

    SkinForm noContainers;
    noContainers.skin->SetSkinContainers(TSkinContainers());
    noContainers.skin->SetActive(true);
    EXPECT_EQ(noContainers.Records(), 0);
}

TEST(ControlSubClass, clearingActiveReleasesEveryRecordAndRestoresTheFrames)
{
    SkinForm f;
    f.skin->SetActive(true);
    ASSERT_EQ(f.Records(), 7);
    // What an edit painter does to the frame while the skin holds the edit.
    f.edit->setFrame(false);
    f.thinEdit->SetCtl3D(false);
    f.thinEdit->SetBorderStyle(TBorderStyle::bsNone);

    f.skin->SetActive(false);
    Settle();
    EXPECT_EQ(f.Records(), 0);
    EXPECT_TRUE(f.edit->hasFrame());
    EXPECT_TRUE(f.thinEdit->Ctl3D());
    EXPECT_EQ(f.thinEdit->BorderStyle(), TBorderStyle::bsSingle);
    EXPECT_TRUE(f.skin->findChildren<TControlSubClass *>().isEmpty());
}

TEST(ControlSubClass, changingTheSelectionWhileActiveKeepsSkinnedControlsAndAddsNewOnes)
{
    SkinForm f;
    f.skin->SetSkinControls(TSkinControls::All().Without(scButton));
    f.skin->SetActive(true);
    ASSERT_EQ(TControlSubClass::Of(*f.button), nullptr);
    TControlSubClass *editRecord = TControlSubClass::Of(*f.edit);

    f.skin->SetSkinControls(TSkinControls::All().Without(scEdit));
    Settle();
    EXPECT_NE(TControlSubClass::Of(*f.button), nullptr);
    // Still bound: the component was active again before the edit's next event.
    EXPECT_EQ(TControlSubClass::Of(*f.edit), editRecord);
}

TEST(ControlSubClass, recordSurvivesAChangeOfTheFrameSettings)
{
    SkinForm f;
    f.skin->SetActive(true);
    TControlSubClass *record = TControlSubClass::Of(*f.edit);
    ASSERT_NE(record, nullptr);

    record->SetExpectRecreate(true);
    f.edit->setFrame(false);
    f.edit->repaint();
    EXPECT_FALSE(record->ExpectRecreate()) << "the paint after the change reached the record";
    Settle();
    EXPECT_EQ(TControlSubClass::Of(*f.edit), record);
    // It was captured before the change, and is what the edit gets back.
    EXPECT_TRUE(record->SavedFrame().hasFrame);
}

TEST(ControlSubClass, flagsFollowFocusMouseAndSpaceWithOneRepaintPerSpacePress)
{
    SkinForm f;
    f.skin->SetActive(true);
    TControlSubClass *record = TControlSubClass::Of(*f.button);
    ASSERT_NE(record, nullptr);

    f.button->setFocus();
    EXPECT_TRUE(record->Hot());
    f.edit->setFocus();
    EXPECT_FALSE(record->Hot());

    SendMouse(f.button, QEvent::MouseButtonPress, QPoint(2, 2));
    EXPECT_TRUE(record->LeftButtonDown());
    SendMouse(f.button, QEvent::MouseButtonRelease, QPoint(2, 2));
    EXPECT_FALSE(record->LeftButtonDown());

    // A panel, which does nothing of its own with the space key: it is
    // painted once for the press, not for its repeats, and once for the release.
    record = TControlSubClass::Of(*f.panel);
    Settle();
    TPaintCounter paints(*f.panel);
    QKeyEvent press = SpaceEvent(QEvent::KeyPress, false);
    QApplication::sendEvent(f.panel, &press);
    Settle();
    EXPECT_EQ(paints.count, 1);
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeatRelease = SpaceEvent(QEvent::KeyRelease, true);
        QKeyEvent repeatPress = SpaceEvent(QEvent::KeyPress, true);
        QApplication::sendEvent(f.panel, &repeatRelease);
        QApplication::sendEvent(f.panel, &repeatPress);
        Settle();
    }
    EXPECT_TRUE(record->SpaceDown());
    EXPECT_EQ(paints.count, 1);
    QKeyEvent release = SpaceEvent(QEvent::KeyRelease, false);
    QApplication::sendEvent(f.panel, &release);
    Settle();
    EXPECT_FALSE(record->SpaceDown());
    EXPECT_EQ(paints.count, 2);
    // A new press paints again.
    QKeyEvent again = SpaceEvent(QEvent::KeyPress, false);
    QApplication::sendEvent(f.panel, &again);
    Settle();
    EXPECT_EQ(paints.count, 3);
}

TEST(ControlSubClass, composedPictureKeepsTheControlsOwnPaintingInsideThePaintersFrame)
{
    SkinForm plain;
    SkinForm skinned;
    skinned.skin->SetActive(true);
    // No text cursor in either edit.
    skinned.button->setFocus();
    skinned.form.repaint();
    Settle();
    // The edit painter draws the outermost ring only.
    const QRect inside = plain.edit->rect().adjusted(1, 1, -1, -1);
    EXPECT_EQ(skinned.edit->grab().toImage().copy(inside), plain.edit->grab().toImage().copy(inside));
    EXPECT_NE(skinned.edit->grab().toImage(), plain.edit->grab().toImage());
}

// Where no painter draws, the composed picture is the control's own, also
// where the control leaves its surface to what lies beneath.
TEST(ControlSubClass, composingLeavesWhatNoPainterDrawsAsTheControlPaintedIt)
{
    TForm form;
    form.SetClientSize(200, 100);
    auto *label = new QLabel(QStringLiteral("Поиск"), form.ClientArea());
    label->setGeometry(10, 10, 120, 40);
    auto *bare = new QWidget(form.ClientArea());
    bare->setGeometry(10, 60, 50, 20);
    form.show();
    Settle();
    const QImage before = form.grab().toImage();

    TFlatSkin skin(&form);
    skin.SetActive(true);
    ASSERT_TRUE(PaintersFor(*label).empty());
    auto *record = new TControlSubClass(skin, *label);
    new TControlSubClass(skin, *bare);
    label->repaint();
    ASSERT_EQ(TControlSubClass::Of(*label), record);
    form.repaint();
    EXPECT_EQ(form.grab().toImage(), before);
}

TEST(ControlSubClass, recordsAndControlsGoInEitherOrder)
{
    {
        SkinForm f;
        f.skin->SetActive(true);
        QPointer<TControlSubClass> record = TControlSubClass::Of(*f.edit);
        delete f.edit;
        Settle();
        EXPECT_TRUE(record.isNull());
        f.form.repaint();
    }
    {
        SkinForm f;
        f.skin->SetActive(true);
        f.edit->setFrame(false);
        delete f.skin;
        EXPECT_EQ(f.Records(), 0);
        EXPECT_TRUE(f.edit->hasFrame());
        f.edit->setFocus();
        f.form.repaint();
        Settle();
    }
}
