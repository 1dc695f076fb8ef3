#pragma once

#include "lang/MessageTexts.h"
#include "link/UnitHeader.h"

#include <QString>

#include <optional>

class QLabel;
class QWidget;

namespace kordana {

/// Where the link stands, as the connection field says it.
enum class LinkState { NotOpen, Closed, NoAnswer, Connected };

/// What the connection field shows.
struct ConnectionFacts {
    int comNumber = 1;
    QString device;
    LinkState state = LinkState::Closed;
    std::optional<UnitHeaderTexts> header; ///< the unit's identity, once its header was read
    std::optional<int> programmings;       ///< the unit's programming count, from its frames
};

/// "COM1 /dev/ttyUSB0  |  connected  |  KRD07  7. 5.2006  |  programmings: 27": the port and
/// its device, the link's state, and while the unit answers its identity and programming count.
QString connectionText(const ConnectionFacts& facts, const MessageTexts& texts);

/// "Com opening error!"'s detail: the device and why it did not open.
QString portOpenFailureText(const QString& device, int failure, const MessageTexts& texts);

/// The status bar's connection field (`LabelConnection`), always there.
class ConnectionField {
public:
    explicit ConnectionField(QWidget* parent);
    QLabel* label() const { return m_label; }
    ConnectionFacts& facts() { return m_facts; }
    /// Shows the facts as they are now.
    void show(const MessageTexts& texts);

private:
    QLabel* m_label = nullptr;
    ConnectionFacts m_facts;
};

} // namespace kordana
