#pragma once

#include "editors/EditorPage.h"
#include "editors/FieldTable.h"

#include <span>
#include <vector>

class QGroupBox;

namespace kordana {

/// A page described by a field table: the generic harvest and refresh walk the table. Pages
/// that need more (a shared grid, a cursor, bulk tools) override the hooks.
class FieldPage : public EditorPage {
public:
    /// `index` is the page's index in PageControl1 (0..13), `sheet` its tab.
    FieldPage(int index, QWidget* sheet) : m_index(index), m_sheet(sheet) {}

    QWidget* sheet() const override { return m_sheet; }
    int index() const { return m_index; }
    void refresh(const EditSession& session) override;
    void harvest(EditSession& session) override;

    /// Appends fields to the page's table.
    void addFields(std::vector<Field> fields);
    const std::vector<Field>& fields() const { return m_fields; }

protected:
    /// Adds a titled group `groupName` with an "All" check box `boxName` to the sheet's column
    /// (the curve groups of the position and servo pages); the page places the group's
    /// controls.
    QGroupBox* addCurveGroup(const char* groupName, const char* boxName, const char* caption);
    /// Stores only `fields` into the session, as one harvest command of this page.
    void harvestSome(std::span<const Field> fields, EditSession& session) const;
    /// Whether the controls show this page's values now (a shared grid may be elsewhere).
    virtual bool canHarvest() const { return true; }

private:
    int m_index;
    QWidget* m_sheet;
    std::vector<Field> m_fields;
};

} // namespace kordana
