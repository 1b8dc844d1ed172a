#pragma once

#include "components/FlatSkin/SkinManagerLink.h"

#include <QObject>
#include <QPointer>

#include <vector>

class QWidget;
class TFlatFrameRequest;
class TForm;
class TPopupMenuWindow;

// The one skin manager of the process. It knows every TFlatSkin that has
// loaded, and skins the forms that carry no TFlatSkin of their own (adopted
// forms) with the settings of one of them, the current component: the first
// active one that does not have DisableSubclassing.
//
// Its hook is an event filter on the application object, which sees every
// event of the process: it serves the flat-frame requests the menu painter
// posts (those of a popup window being shown at once), notes forms as they come (their first event) and go, and walks the
// forms still pending once control is back in the event loop.
class TFlatSkinManager : public QObject, public TFlatSkinManagerLink
{
    Q_OBJECT

public:
    TFlatSkinManager();
    ~TFlatSkinManager() override;
    TFlatSkinManager(const TFlatSkinManager &) = delete;
    TFlatSkinManager &operator=(const TFlatSkinManager &) = delete;

    void Register(TFlatSkin &component) override;
    void Unregister(TFlatSkin &component) override;
    void Notify(TFlatSkin &component, const TSkinComponent &inserted, TOperation operation) override;
    void HandOver(TFlatSkin &component) override;
    bool HoldsNoComponent() const override;

    TFlatSkin *CurrentComponent() const;
    // Forms noted since the last hook run, and forms walked by their own
    // component or adopted; forms that went are dropped from both.
    std::vector<TForm *> PendingForms() const;
    std::vector<TForm *> SkinnedForms() const;

    // Walks the pending forms that are not skinned yet with the current
    // component, then forgets them.
    void AdoptPendingForms();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Shown popup windows ask for their frame as their rows are drawn. The
    // rows are drawn once as the window is shown, before the window system
    // maps it, and the requests served at once: the first picture of the
    // window on the screen is already framed.
    void FrameBeforeMapping(TPopupMenuWindow &window);
    void ServeWaitingFrameRequests();
    void ServeFrameRequest(const TFlatFrameRequest &request);
    void NoteForm(TForm &form, TOperation operation);
    void CollectUnskinnedForms();
    void AddPending(TForm &form);
    bool IsPending(const TForm &form) const;
    bool IsSkinned(const TForm &form) const;
    // Drops form, and every form that has gone, from both lists.
    void ForgetForm(const QObject *form);
    // Hand-over from leaving (nullptr for none) to the next eligible component.
    void HandOverFrom(TFlatSkin *leaving);
    void UnskinForm(TForm &form);
    void ScheduleAdoption();

    std::vector<QPointer<TFlatSkin>> m_components;
    // Held as widgets: a form that is being destroyed is no longer a form,
    // and reading the lists passes it over instead of casting it.
    std::vector<QPointer<QWidget>> m_pendingForms;
    std::vector<QPointer<QWidget>> m_skinnedForms;
    QPointer<TFlatSkin> m_current;
    bool m_adoptionScheduled = false;
};

// Makes TFlatSkinManager the manager the first component creates.
void InstallFlatSkinManager();
