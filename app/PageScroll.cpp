#include "app/PageScroll.h"

#include <QEvent>
#include <QLayout>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>
#include <vector>

namespace kordana {

namespace {

// A page's content: at least as large as its layout needs and its freely placed controls
// reach. A layout that trades height for width would otherwise let the scroll area squeeze
// the page to the view's height instead of scrolling it.
class PageContent final : public QWidget {
public:
    PageContent() { setObjectName("PageContent"); }
    void setReach(QSize reach) {
        m_reach = reach;
        keepMinimum();
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::LayoutRequest) {
            keepMinimum();
        }
        return QWidget::event(event);
    }

private:
    void keepMinimum() {
        const QSize laidOut = layout() != nullptr ? layout()->totalMinimumSize() : QSize();
        const QSize wanted = laidOut.expandedTo(m_reach);
        if (minimumSize() != wanted) {
            setMinimumSize(wanted);
        }
    }

    QSize m_reach;
};

bool scrollsOnItsOwn(const QList<QWidget*>& children) {
    return children.size() == 1 && qobject_cast<QScrollArea*>(children.front()) != nullptr;
}

// Moves the sheet's layout and its freely placed controls into `content`; the content is at
// least as large as the controls reach, so that the scroll area offers all of them.
void moveContent(QWidget& sheet, PageContent& content, const QList<QWidget*>& children) {
    const QRect reach = sheet.childrenRect();
    // Taken over with their visibility: a control hidden by its page stays hidden, the rest
    // shows with the page.
    std::vector<std::pair<QWidget*, bool>> hidden;
    for (QWidget* child : children) {
        hidden.emplace_back(child, child->isHidden() &&
                                       child->testAttribute(Qt::WA_WState_ExplicitShowHide));
    }
    if (QLayout* layout = sheet.layout()) {
        content.setLayout(layout); // takes the layout and the controls it places along
    }
    for (const auto& [child, wasHidden] : hidden) {
        if (child->parentWidget() == &sheet) {
            const QPoint place = child->pos();
            child->setParent(&content);
            child->move(place);
        }
        child->setVisible(!wasHidden);
    }
    if (reach.isValid()) {
        content.setReach(QSize(reach.right() + 1 + reach.left(), reach.bottom() + 1 + reach.top()));
    } else {
        content.setReach({});
    }
}

} // namespace

void putPagesInScrollAreas(QTabWidget& pages, int first) {
    for (int p = first; p < pages.count(); ++p) {
        QWidget* sheet = pages.widget(p);
        const QList<QWidget*> children = sheet->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        if (scrollsOnItsOwn(children)) {
            continue;
        }
        auto* content = new PageContent();
        moveContent(*sheet, *content, children);
        auto* scroll = new QScrollArea(sheet);
        scroll->setObjectName("PageScrollArea");
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(content);
        auto* fill = new QVBoxLayout(sheet);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(scroll);
    }
}

} // namespace kordana
