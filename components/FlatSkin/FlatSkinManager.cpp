#include "components/FlatSkin/FlatSkinManager.h"

#include "components/FlatSkin.h"
#include "components/FlatSkin/ControlSubClass.h"
#include "components/FlatSkin/FlatFrameRequest.h"
#include "components/FlatSkin/FlatMenuFrame.h"
#include "toolkit/app/Application.h"
#include "toolkit/app/Form.h"
#include "toolkit/app/PlatformMessages.h"
#include "toolkit/app/RecoveredFault.h"
#include "toolkit/controls/ControlTag.h"
#include "toolkit/menus/Menu.h"
#include "toolkit/menus/MenuItem.h"
#include "toolkit/menus/PopupMenuWindow.h"

#include <QApplication>

#include <algorithm>

namespace {

bool OwnsFlatSkin(const TForm &form)
{
    return !form.findChildren<TFlatSkin *>(Qt::FindDirectChildrenOnly).isEmpty();
}

template <class T, class U> bool Holds(const std::vector<QPointer<T>> &list, const U &object)
{
    const QObject *wanted = &object;
    return std::any_of(list.begin(), list.end(),
                       [wanted](const QPointer<T> &entry) { return !entry.isNull() && entry.data() == wanted; });
}

// The forms of a list that are whole forms still.
std::vector<TForm *> Forms(const std::vector<QPointer<QWidget>> &list)
{
    std::vector<TForm *> forms;
    for (const QPointer<QWidget> &entry : list) {
        if (auto *form = qobject_cast<TForm *>(entry.data()))
            forms.push_back(form);
    }
    return forms;
}

bool Eligible(const TFlatSkin &component)
{
    return component.Active() && !component.DisableSubclassing();
}

} // namespace

TFlatSkinManager::TFlatSkinManager()
{
    if (QCoreApplication *application = QCoreApplication::instance())
        application->installEventFilter(this);
}

TFlatSkinManager::~TFlatSkinManager()
{
    if (QCoreApplication *application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

void TFlatSkinManager::Register(TFlatSkin &component)
{
    m_components.emplace_back(&component);
    if (TForm *form = component.Form(); form && !IsSkinned(*form))
        m_skinnedForms.emplace_back(form);
    if (!m_current && Eligible(component)) {
        m_current = &component;
        CollectUnskinnedForms();
    }
}

void TFlatSkinManager::Unregister(TFlatSkin &component)
{
    if (m_current == &component)
        HandOverFrom(&component);
    std::erase_if(m_components,
                  [&component](const QPointer<TFlatSkin> &entry) { return !entry || entry == &component; });
}

void TFlatSkinManager::Notify(TFlatSkin &, const TSkinComponent &inserted, TOperation operation)
{
    if (auto *object = std::get_if<QObject *>(&inserted.Target)) {
        if (auto *form = qobject_cast<TForm *>(*object))
            NoteForm(*form, operation);
    }
}

void TFlatSkinManager::HandOver(TFlatSkin &component)
{
    if (component.DisableSubclassing()) {
        if (m_current == &component)
            HandOverFrom(&component);
        return;
    }
    if (!m_current && component.Active() && Holds(m_components, component)) {
        m_current = &component;
        CollectUnskinnedForms();
    }
}

bool TFlatSkinManager::HoldsNoComponent() const
{
    return std::none_of(m_components.begin(), m_components.end(),
                        [](const QPointer<TFlatSkin> &entry) { return !entry.isNull(); });
}

TFlatSkin *TFlatSkinManager::CurrentComponent() const
{
    return m_current.data();
}

std::vector<TForm *> TFlatSkinManager::PendingForms() const
{
    return Forms(m_pendingForms);
}

std::vector<TForm *> TFlatSkinManager::SkinnedForms() const
{
    return Forms(m_skinnedForms);
}

bool TFlatSkinManager::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == kFlatFrameItemEvent || type == kFlatFrameWindowEvent) && watched == QCoreApplication::instance()) {
        ServeFrameRequest(static_cast<const TFlatFrameRequest &>(*event));
        AdoptPendingForms();
        return false;
    }
    if (type == QEvent::Show) {
        if (auto *popup = qobject_cast<TPopupMenuWindow *>(watched))
            FrameBeforeMapping(*popup);
        return false;
    }
    // A form's first event, from its construction on, tells of its coming.
    if (m_current && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow()) {
        if (auto *form = qobject_cast<TForm *>(watched); form && !IsPending(*form) && !IsSkinned(*form))
            NoteForm(*form, opInsert);
    }
    return false;
}

void TFlatSkinManager::FrameBeforeMapping(TPopupMenuWindow &window)
{
    // A request already waiting would swallow the one the rows make.
    ServeWaitingFrameRequests();
    window.PaintSurface();
    ServeWaitingFrameRequests();
}

void TFlatSkinManager::ServeWaitingFrameRequests()
{
    QCoreApplication::sendPostedEvents(QCoreApplication::instance(), kFlatFrameItemEvent);
    QCoreApplication::sendPostedEvents(QCoreApplication::instance(), kFlatFrameWindowEvent);
}

void TFlatSkinManager::ServeFrameRequest(const TFlatFrameRequest &request)
{
    TFlatSkin *current = m_current.data();
    if (!current)
        return;
    if (request.type() == kFlatFrameWindowEvent) {
        PaintFlatFrame(*current, request.Window(), request.WParam() != 0);
        return;
    }
    const TMenuItem *item = request.Item();
    const QRect rect = TPopupMenuWindow::ItemScreenRect(item);
    if (!item || rect.isEmpty())
        return;
    const QPoint centre(rect.left() + rect.width() / 2, rect.top() + rect.height() / 2);
    const TMenu *menu = item->GetParentMenu();
    if (QWidget *window = QApplication::topLevelAt(centre))
        PaintFlatFrame(*current, window, menu && menu->IsRightToLeft());
}

void TFlatSkinManager::NoteForm(TForm &form, TOperation operation)
{
    if (operation == opRemove) {
        ForgetForm(&form);
        return;
    }
    if (!m_current || IsPending(form))
        return;
    AddPending(form);
}

void TFlatSkinManager::CollectUnskinnedForms()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *form = qobject_cast<TForm *>(window);
        if (!form || IsSkinned(*form) || IsPending(*form))
            continue;
        if (ControlTag(form) == TFlatSkin::kExemptTag || OwnsFlatSkin(*form))
            continue;
        AddPending(*form);
    }
}

void TFlatSkinManager::AddPending(TForm &form)
{
    m_pendingForms.emplace_back(&form);
    // The form's pointers are cleared before it tells of its going.
    connect(&form, &QObject::destroyed, this, [this] { ForgetForm(nullptr); });
    ScheduleAdoption();
}

void TFlatSkinManager::ScheduleAdoption()
{
    // The walk waits for the event loop, so that a form noted while it is
    // being built is walked whole.
    if (m_adoptionScheduled)
        return;
    m_adoptionScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_adoptionScheduled = false;
            AdoptPendingForms();
        },
        Qt::QueuedConnection);
}

bool TFlatSkinManager::IsPending(const TForm &form) const
{
    return Holds(m_pendingForms, form);
}

bool TFlatSkinManager::IsSkinned(const TForm &form) const
{
    return Holds(m_skinnedForms, form);
}

void TFlatSkinManager::ForgetForm(const QObject *form)
{
    auto same = [form](const QPointer<QWidget> &entry) { return entry.isNull() || entry.data() == form; };
    std::erase_if(m_pendingForms, same);
    std::erase_if(m_skinnedForms, same);
}

void TFlatSkinManager::AdoptPendingForms()
{
    const std::vector<TForm *> pending = Forms(m_pendingForms);
    m_pendingForms.clear();
    for (TForm *form : pending) {
        TFlatSkin *current = m_current.data();
        if (!current || IsSkinned(*form))
            continue;
        // The tag is read now rather than when the form was noted: a form's
        // settings are made after its first events.
        if (ControlTag(form) == TFlatSkin::kExemptTag || OwnsFlatSkin(*form))
            continue;
        // One form's failure leaves the others to be walked; it counts as
        // skinned only once its walk went through.
        try {
            current->SkinWalkOver(*form, true, true);
            m_skinnedForms.emplace_back(form);
        } catch (...) {
            LogRecoveredFault("skinning a form");
        }
    }
}

void TFlatSkinManager::HandOverFrom(TFlatSkin *leaving)
{
    TFlatSkin *successor = nullptr;
    for (const QPointer<TFlatSkin> &entry : m_components) {
        if (entry && entry != leaving && Eligible(*entry)) {
            successor = entry.data();
            break;
        }
    }
    const TForm *leavingForm = leaving ? leaving->Form() : nullptr;
    if (!successor) {
        m_pendingForms.clear();
        if (!Application || !Application->MainForm())
            return;
        for (TForm *form : Forms(m_skinnedForms)) {
            if (!leaving || form != leavingForm)
                UnskinForm(*form);
        }
        m_skinnedForms.clear();
        m_current = nullptr;
        return;
    }
    if (!m_current) {
        m_current = successor;
        CollectUnskinnedForms();
        return;
    }
    for (TControlSubClass *record : m_current->findChildren<TControlSubClass *>(Qt::FindDirectChildrenOnly)) {
        QWidget *control = record->Control();
        if (!record->Bound() || (leavingForm && leavingForm->isAncestorOf(control)))
            continue;
        record->Rebind(*successor);
    }
    m_current = successor;
}

void TFlatSkinManager::UnskinForm(TForm &form)
{
    if (!m_current)
        return;
    const QList<TControlSubClass *> records = m_current->findChildren<TControlSubClass *>(Qt::FindDirectChildrenOnly);
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        QWidget *control = (*it)->Control();
        if (control && form.isAncestorOf(control))
            (*it)->GiveBack();
    }
}

void InstallFlatSkinManager()
{
    SetFlatSkinManagerFactory([] { return std::make_unique<TFlatSkinManager>(); });
}
