#pragma once

#include <QString>
#include <optional>
#include <vector>

class TDataSet;

// A field value: text, or NULL (no value), which is distinct from the empty text.
using TFieldValue = std::optional<QString>;
// The values of one row, in field order.
using TRecord = std::vector<TFieldValue>;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// One column of a data set. A field holds no value of its own: it reads and
// writes the data set's active record (the current row, its edit buffer while
// editing or inserting, or the row a grid paints inside a display-row scope).
// Fields are created by the data set when it opens and live until it closes.
class TField
{
public:
    TField(TDataSet *dataSet, const QString &fieldName, int index, int size);

    TDataSet *DataSet() const { return m_dataSet; }
    const QString &FieldName() const { return m_fieldName; }
    // Position among the data set's fields, from 0.
    int Index() const { return m_index; }
    // Declared length of the text, in characters (0 when the column declares none).
    int Size() const { return m_size; }

    QString DisplayLabel() const { return m_displayLabel.isEmpty() ? m_fieldName : m_displayLabel; }
    void SetDisplayLabel(const QString &label) { m_displayLabel = label; }
    // Width suggested for a grid column, in characters.
    int DisplayWidth() const { return m_displayWidth; }
    void SetDisplayWidth(int characters);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment) { m_alignment = alignment; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }

    // Values of the active record. Reading an inactive data set gives NULL.
    const TFieldValue &Value() const;
    bool IsNull() const { return !Value().has_value(); }
    // The text; NULL reads as the empty text.
    QString AsString() const;
    QString DisplayText() const { return AsString(); }
    QString Text() const { return AsString(); }

    // Writing needs the data set in edit or insert state (EDatabaseError
    // otherwise) and marks the record modified.
    void SetValue(const TFieldValue &value);
    void SetAsString(const QString &text) { SetValue(text); }
    void SetText(const QString &text) { SetValue(text); }
    void Clear() { SetValue(std::nullopt); }

private:
    TDataSet *m_dataSet;
    QString m_fieldName;
    QString m_displayLabel;
    int m_index;
    int m_size;
    int m_displayWidth;
    TAlignment m_alignment = taLeftJustify;
    bool m_readOnly = false;
    bool m_visible = true;
};
