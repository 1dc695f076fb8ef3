#pragma once

#include "editors/CurveRows.h"
#include "editors/FieldPage.h"
#include "editors/LimeMarks.h"
#include "editors/PageContext.h"

#include <array>
#include <vector>

class QButtonGroup;

namespace kordana {

/// `TabSheet_Poloha` (page 9): the injection position curves A and B, each 15 speeds with
/// their angles, and what the angles of each curve refer to (beginning, centre or end of the
/// injection).
class PolohaPage : public FieldPage {
public:
    static constexpr int kIndex = 9;
    PolohaPage(QWidget* sheet, PageContext& context);

    /// The item groups of `RadioGroupPolohaA` (0) and `RadioGroupPolohaB` (1); a button's id is
    /// its item index. The window connects their clicks to RadioGroupPolohaAClick.
    const std::array<QButtonGroup*, 2>& radioGroups() const { return m_radioGroups; }
    /// The click of either radio group: stores `POSITION_A[30]` and `POSITION_B[30]` from the
    /// two groups and nothing else; the caller runs the programming-after-change check. A group
    /// without a selection keeps its byte.
    void RadioGroupPolohaAClick(EditSession& session);

    /// The Position tools: harvest the page, then step the angle at the curve's operating point
    /// (every angle with the curve's All box) by 5 degrees, then the commit tail.
    void ButtonMinusClick_PolohaA(EditSession& session, const BulkToolInput& input);
    void ButtonPlusClick_PolohaA(EditSession& session, const BulkToolInput& input);
    void ButtonMinusClick_PolohaB(EditSession& session, const BulkToolInput& input);
    void ButtonPlusClick_PolohaB(EditSession& session, const BulkToolInput& input);
    /// Tools on this page: the Position A tool, then the Position B tool.
    bool runBulkTool(EditSession& session, int direction, const BulkToolInput& input) override;

    /// The rows of curve A (0) and B (1).
    const CurveRows& curve(int which) const { return m_curves[which != 0 ? 1 : 0]; }

    /// The speed and angle fields of the point in use on each curve, lime.
    void markOperatingPoint(const ParameterImage& image, const MonitorLiveValues& live,
                            const MapMark& mapMark) override;

private:
    void buildCurve(int which, PageContext& context);
    void stepCurve(int which, int direction, EditSession& session, const BulkToolInput& input);

    std::array<CurveRows, 2> m_curves;
    std::array<QButtonGroup*, 2> m_radioGroups{};
    std::vector<Field> m_references;
    LimeMarks m_marks;
};

} // namespace kordana
