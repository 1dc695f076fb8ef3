#include "editors/FieldPage.h"

#include "session/EditSession.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace kordana {

void FieldPage::refresh(const EditSession& session) {
    refreshFields(m_fields, session.image());
}

void FieldPage::harvest(EditSession& session) {
    if (!canHarvest()) {
        return;
    }
    harvestSome(m_fields, session);
}

void FieldPage::harvestSome(std::span<const Field> fields, EditSession& session) const {
    // The generic harvest runs on a scratch copy only to learn which bytes the controls hold;
    // the session stores them, so coupling and repairs happen in one place.
    ParameterImage scratch = session.image();
    std::vector<ByteWrite> writes;
    harvestFields(fields, scratch,
                  [&writes](ParameterImage&, std::size_t index, std::uint8_t, std::uint8_t after) {
                      writes.push_back(ByteWrite{index, after});
                  });
    session.applyHarvest(m_index, writes);
}

void FieldPage::addFields(std::vector<Field> fields) {
    m_fields.insert(m_fields.end(), fields.begin(), fields.end());
}

QGroupBox* FieldPage::addCurveGroup(const char* groupName, const char* boxName,
                                    const char* caption) {
    if (m_sheet->layout() == nullptr) {
        new QVBoxLayout(m_sheet);
    }
    auto* group = new QGroupBox(caption, m_sheet);
    group->setObjectName(groupName);
    auto* box = new QCheckBox("All", group);
    box->setObjectName(boxName);
    m_sheet->layout()->addWidget(group);
    return group;
}

} // namespace kordana
