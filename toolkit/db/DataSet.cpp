#include "toolkit/db/DataSet.h"

#include "toolkit/app/RecoveredFault.h"
#include "toolkit/db/DataSource.h"
#include "toolkit/db/DatabaseError.h"

#include <algorithm>

namespace {
const TFieldValue kNullValue;
}

TDataSet::TDataSet(QObject *parent)
    : QObject(parent)
{ }

TDataSet::~TDataSet()
{
    // Derived providers close their own cursors; here only the sources are
    // told that the set is going away.
    for (TDataSource *source : QList<TDataSource *>(m_sources))
        source->SetDataSet(nullptr);
}

void TDataSet::Open()
{
    if (Active())
        return;
    std::vector<TFieldDef> defs = InternalOpen();
    m_fields.clear();
    for (int i = 0; i < int(defs.size()); ++i) {
        m_fields.push_back(std::make_unique<TField>(this, defs[i].name, i, defs[i].size));
        m_fields.back()->SetReadOnly(defs[i].readOnly);
    }
    m_current = InternalRecordCount() > 0 ? 0 : -1;
    m_bof = true;
    m_eof = m_current < 0;
    m_modified = false;
    SetState(dsBrowse);
    Notify(TEvent::ActiveChange);
    Notify(TEvent::DataSetChange);
}

void TDataSet::Close()
{
    if (!Active())
        return;
    CheckBrowseMode();
    InternalClose();
    m_current = -1;
    m_bof = m_eof = true;
    m_buffer.clear();
    m_original.clear();
    m_editedRowGone = false;
    SetState(dsInactive);
    Notify(TEvent::ActiveChange);
    m_fields.clear();
}

void TDataSet::CloseForDestruction() noexcept
{
    try {
        Close();
        return;
    } catch (...) {
        LogRecoveredFault("closing a data set");
    }
    try {
        Cancel();
        Close();
    } catch (...) {
        LogRecoveredFault("closing a data set after cancelling its edit");
    }
}

void TDataSet::SetActive(bool active)
{
    if (active)
        Open();
    else
        Close();
}

void TDataSet::First()
{
    CheckActive();
    CheckBrowseMode();
    MoveTo(RecordCount() > 0 ? 0 : -1, true, RecordCount() == 0);
}

void TDataSet::Last()
{
    CheckActive();
    CheckBrowseMode();
    MoveTo(RecordCount() - 1, RecordCount() == 0, true);
}

void TDataSet::Next()
{
    MoveBy(1);
}

void TDataSet::Prior()
{
    MoveBy(-1);
}

int TDataSet::MoveBy(int distance)
{
    CheckActive();
    CheckBrowseMode();
    const int count = RecordCount();
    if (count == 0) {
        MoveTo(-1, true, true);
        return 0;
    }
    const long long wanted = static_cast<long long>(m_current) + distance;
    const int target = int(std::clamp<long long>(wanted, 0, count - 1));
    const int moved = target - m_current;
    // A move that falls short of its distance ran into an end of the set.
    const bool bof = distance < 0 && moved != distance;
    const bool eof = distance > 0 && moved != distance;
    MoveTo(target, bof, eof);
    return moved;
}

int TDataSet::RecordCount() const
{
    return Active() ? InternalRecordCount() : 0;
}

int TDataSet::RecNo() const
{
    if (m_displayRow) {
        const int row = *m_displayRow;
        if (ShowsLooseRow()) {
            if (row == m_insertPosition)
                return -1;
            return row < m_insertPosition ? row + 1 : row;
        }
        return row >= 0 && row < RecordCount() ? row + 1 : -1;
    }
    if (ShowsLooseRow() || m_current < 0 || !Active())
        return -1;
    return m_current + 1;
}

void TDataSet::SetRecNo(int recNo)
{
    CheckActive();
    if (recNo < 1 || recNo > RecordCount())
        return;
    if (m_state == dsBrowse && recNo - 1 == m_current)
        return;
    CheckBrowseMode();
    MoveTo(std::min(recNo, RecordCount()) - 1, false, false);
}

void TDataSet::Insert()
{
    CheckActive();
    CheckCanModify();
    CheckBrowseMode();
    StartInsert(m_current < 0 ? 0 : m_current);
}

void TDataSet::Append()
{
    CheckActive();
    CheckCanModify();
    CheckBrowseMode();
    StartInsert(RecordCount());
}

void TDataSet::StartInsert(int position)
{
    m_insertPosition = position;
    m_buffer.assign(m_fields.size(), std::nullopt);
    m_original.clear();
    m_modified = false;
    SetState(dsInsert);
    Notify(TEvent::DataSetChange);
}

void TDataSet::Edit()
{
    CheckActive();
    if (m_state == dsEdit || m_state == dsInsert)
        return;
    CheckCanModify();
    if (RecordCount() == 0) {
        Insert();
        return;
    }
    // The provider reads the row first: a row it cannot read is not edited.
    InternalEdit(m_current);
    m_original = InternalGetRecord(m_current);
    m_buffer = m_original;
    m_modified = false;
    SetState(dsEdit);
    Notify(TEvent::RecordChange);
}

void TDataSet::Post()
{
    CheckActive();
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    UpdateRecord();
    if (m_state == dsEdit) {
        InternalUpdate(m_current, m_original, m_buffer);
        // A row gone from the store takes an update only if it came back;
        // its place is then read afresh.
        if (m_editedRowGone) {
            m_editedRowGone = false;
            m_current = InternalRefresh(std::min(m_insertPosition, RecordCount() - 1));
        }
    } else {
        InternalInsert(m_insertPosition, m_buffer);
        m_current = m_insertPosition;
    }
    m_buffer.clear();
    m_original.clear();
    m_modified = false;
    m_bof = m_eof = false;
    SetState(dsBrowse);
    Notify(TEvent::DataSetChange);
}

void TDataSet::Cancel()
{
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    if (m_editedRowGone) {
        m_editedRowGone = false;
        m_current = std::min(m_insertPosition, RecordCount() - 1);
    } else if (m_state == dsEdit) {
        InternalCancel(m_current);
    }
    m_buffer.clear();
    m_original.clear();
    m_modified = false;
    if (RecordCount() == 0)
        m_bof = m_eof = true;
    SetState(dsBrowse);
    Notify(TEvent::DataSetChange);
}

void TDataSet::Delete()
{
    CheckActive();
    if (ShowsLooseRow()) {
        Cancel();
        return;
    }
    if (RecordCount() == 0)
        throw EDatabaseError(tr("Cannot perform this operation on an empty dataset"));
    CheckCanModify();
    InternalDelete(m_current);
    if (m_state == dsEdit) {
        m_buffer.clear();
        m_original.clear();
        m_modified = false;
        SetState(dsBrowse);
    }
    const int count = RecordCount();
    if (m_current >= count)
        m_current = count - 1;
    m_bof = m_eof = count == 0;
    Notify(TEvent::DataSetChange);
}

void TDataSet::Refresh()
{
    CheckActive();
    CheckBrowseMode();
    m_current = InternalRefresh(m_current);
    if (m_current >= RecordCount())
        m_current = RecordCount() - 1;
    m_bof = m_eof = RecordCount() == 0;
    Notify(TEvent::DataSetChange);
}

void TDataSet::FollowStore()
{
    if (!Active())
        return;
    const int oldActive = ActiveDisplayRow();
    const int count = RecordCount();
    std::vector<int> indexes;
    const bool followCurrent = !m_editedRowGone && m_current >= 0 && m_current < count;
    if (followCurrent)
        indexes.push_back(m_current);
    const bool followLooseRow = ShowsLooseRow() && m_insertPosition < count;
    if (followLooseRow)
        indexes.push_back(m_insertPosition);

    const std::vector<TRowPlace> places = InternalFollowStore(indexes);
    const int newCount = RecordCount();
    if (ShowsLooseRow())
        m_insertPosition = followLooseRow ? places.back().index : newCount;
    bool currentDeleted = false;
    if (followCurrent) {
        const TRowPlace &place = places.front();
        if (place.gone && m_state == dsEdit) {
            m_editedRowGone = true;
            m_insertPosition = place.index;
        }
        currentDeleted = place.gone && m_state == dsBrowse;
        m_current = place.index;
    }
    m_current = std::min(m_current, newCount - 1);
    if (m_current < 0 && newCount > 0)
        m_current = 0;
    m_bof = newCount == 0 || (m_bof && m_current == 0);
    m_eof = newCount == 0 || (m_eof && m_current == newCount - 1);

    const int newActive = ActiveDisplayRow();
    Notify(TEvent::StoreFollowed, nullptr, oldActive >= 0 && newActive >= 0 ? newActive - oldActive : 0);
    emit StoreFollowed();
    if (currentDeleted)
        emit CurrentRowDeletedElsewhere();
}

void TDataSet::CheckBrowseMode()
{
    if (m_state != dsEdit && m_state != dsInsert)
        return;
    UpdateRecord();
    if (m_modified)
        Post();
    else
        Cancel();
}

void TDataSet::UpdateRecord()
{
    if (m_state != dsEdit && m_state != dsInsert)
        throw EDatabaseError(tr("Dataset not in edit or insert mode"));
    Notify(TEvent::UpdateData);
}

bool TDataSet::CanModify() const
{
    return Active() && InternalCanModify();
}

TField *TDataSet::Fields(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw EDatabaseError(tr("List index out of bounds (%1)").arg(index));
    return m_fields[index].get();
}

TField *TDataSet::FindField(const QString &fieldName) const
{
    TField *found = nullptr;
    for (const auto &field : m_fields) {
        if (field->FieldName() == fieldName)
            return field.get();
        if (!found && field->FieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            found = field.get();
    }
    return found;
}

TField *TDataSet::FieldByName(const QString &fieldName) const
{
    TField *field = FindField(fieldName);
    if (!field) {
        const QString owner = objectName().isEmpty() ? QString() : objectName() + QStringLiteral(": ");
        throw EDatabaseError(owner + tr("Field '%1' not found").arg(fieldName));
    }
    return field;
}

int TDataSet::DisplayRowCount() const
{
    return RecordCount() + (ShowsLooseRow() ? 1 : 0);
}

int TDataSet::ActiveDisplayRow() const
{
    if (ShowsLooseRow())
        return m_insertPosition;
    return Active() ? m_current : -1;
}

TDataSet::DisplayRowScope::DisplayRowScope(TDataSet &dataSet, int displayRow, TRowRead read)
    : m_dataSet(dataSet)
    , m_previousRow(dataSet.m_displayRow)
    , m_previousValues(dataSet.m_displayValues)
{
    m_values.assign(dataSet.m_fields.size(), std::nullopt);
    if (const std::optional<const TRecord *> values = dataSet.DisplayRowValues(displayRow, read)) {
        if (*values)
            m_values = **values;
    } else {
        m_read = false;
    }
    m_dataSet.m_displayRow = displayRow;
    m_dataSet.m_displayValues = &m_values;
}

TDataSet::DisplayRowScope::~DisplayRowScope()
{
    m_dataSet.m_displayRow = m_previousRow;
    m_dataSet.m_displayValues = m_previousValues;
}

const TFieldValue &TDataSet::FieldValue(int fieldIndex) const
{
    if (!Active() || fieldIndex < 0 || fieldIndex >= FieldCount())
        return kNullValue;
    if (m_displayValues)
        return (*m_displayValues)[fieldIndex];
    if (m_state == dsEdit || m_state == dsInsert)
        return m_buffer[fieldIndex];
    if (m_current < 0)
        return kNullValue;
    return InternalGetRecord(m_current)[fieldIndex];
}

std::optional<const TRecord *> TDataSet::DisplayRowValues(int displayRow, TRowRead read) const
{
    if (!Active())
        return nullptr;
    int index = displayRow;
    if (ShowsLooseRow()) {
        if (displayRow == m_insertPosition)
            return &m_buffer;
        if (displayRow > m_insertPosition)
            --index;
    } else if (m_state == dsEdit && displayRow == m_current) {
        return &m_buffer;
    }
    if (index < 0 || index >= RecordCount())
        return nullptr;
    if (const TRecord *values = InternalPeekRecord(index, read))
        return values;
    return std::nullopt;
}

void TDataSet::SetFieldValue(int fieldIndex, const TFieldValue &value)
{
    if (m_state != dsEdit && m_state != dsInsert)
        throw EDatabaseError(tr("Dataset not in edit or insert mode"));
    TField *field = Fields(fieldIndex);
    if (field->ReadOnly())
        throw EDatabaseError(tr("Field '%1' cannot be modified").arg(field->FieldName()));
    m_buffer[fieldIndex] = value;
    m_modified = true;
    Notify(TEvent::RecordChange, field);
}

const TRecord *TDataSet::InternalPeekRecord(int index, TRowRead) const
{
    return &InternalGetRecord(index);
}

void TDataSet::InternalEdit(int) { }

void TDataSet::InternalCancel(int) { }

void TDataSet::InternalKnowRow(int) { }

void TDataSet::NotifyDataSetChanged()
{
    if (Active())
        Notify(TEvent::DataSetChange);
}

void TDataSet::RowRemoved(int index)
{
    if (!Active())
        return;
    // What was typed into the row stays, offered as a new row in its place.
    const bool keptAsNew = m_state == dsEdit && !m_editedRowGone && m_current == index;
    if (keptAsNew) {
        m_insertPosition = index;
        m_original.clear();
        SetState(dsInsert);
    } else if (ShowsLooseRow() && m_insertPosition > index) {
        --m_insertPosition;
    }
    if (m_current > index)
        --m_current;
    const int count = RecordCount();
    m_current = std::min(m_current, count - 1);
    if (count == 0)
        m_bof = m_eof = true;
    Notify(TEvent::DataSetChange);
    if (keptAsNew)
        emit EditedRowKeptAsNew();
}

void TDataSet::CheckActive() const
{
    if (!Active())
        throw EDatabaseError(tr("Cannot perform this operation on a closed dataset"));
}

void TDataSet::CheckCanModify() const
{
    if (CanModify())
        return;
    const QString reason = InternalReadOnlyReason();
    throw EDatabaseError(reason.isEmpty() ? tr("Cannot modify a read-only dataset") : reason);
}

void TDataSet::SetState(TDataSetState state)
{
    if (m_state == state)
        return;
    m_state = state;
    Notify(TEvent::StateChange);
}

void TDataSet::MoveTo(int index, bool bof, bool eof)
{
    // Learnt before the move: a store that cannot be read now leaves the
    // set on the row it was on.
    if (index >= 0 && Active())
        InternalKnowRow(index);
    const int distance = index - m_current;
    const bool changed = distance != 0 || bof != m_bof || eof != m_eof;
    m_current = index;
    m_bof = bof;
    m_eof = eof;
    if (changed)
        Notify(TEvent::Scroll, nullptr, distance);
}

void TDataSet::Notify(TEvent event, TField *field, int distance)
{
    if (Active()) {
        const int count = RecordCount();
        if (m_current >= 0 && m_current < count)
            InternalKnowRow(m_current);
        if (ShowsLooseRow() && m_insertPosition < count)
            InternalKnowRow(m_insertPosition);
    }
    for (TDataSource *source : QList<TDataSource *>(m_sources)) {
        if (m_sources.contains(source))
            source->DataEvent(int(event), field, distance);
    }
}

void TDataSet::AddSource(TDataSource *source)
{
    if (!m_sources.contains(source))
        m_sources.append(source);
}

void TDataSet::RemoveSource(TDataSource *source)
{
    m_sources.removeAll(source);
}
