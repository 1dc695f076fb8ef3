#pragma once

#include "link/Frame.h"
#include "link/UnitHeader.h"
#include "params/ParameterImage.h"

#include <cstdint>
#include <span>

namespace kordana {

/// Which message the status line shows; the shell maps each to its language text.
enum class LinkMessage : std::uint8_t {
    ProgramDevice, ///< "Program device:"
    Verify,        ///< "Verify:"
    Read,          ///< "Read:"
    Saving,        ///< "Saving:"
    ProgramError,  ///< "Program error!"
    VerifyError,   ///< "Verify error!"
    ReadError,     ///< "Read error!"
    NoReading,     ///< "No reading!"
};

/// Background of the status line: button face for progress and success, red for failures.
enum class StatusColour : std::uint8_t { ButtonFace, Red };

/// Top of the progress gauge: one step per block.
inline constexpr int kGaugeMax = 19;

/// What the link shows on screen: status line, progress gauge and the no-connection label.
struct LinkView {
    LinkMessage message = LinkMessage::ProgramDevice;
    bool ok = false; ///< " OK" follows the message
    StatusColour colour = StatusColour::ButtonFace;
    bool statusVisible = false;
    int gauge = 0; ///< 0..19
    bool gaugeVisible = false;
    bool noConnection = false; ///< LabelSpojeni shown

    friend bool operator==(const LinkView&, const LinkView&) = default;
};

/// How the link protocol reports to its owner. Every call is made synchronously from
/// LinkProtocol::tick() or a start command. The view calls (status line, gauge, no-connection
/// label) come only when the element changes, and always the first time it is set.
class LinkEvents {
public:
    virtual ~LinkEvents() = default;

    /// Status line LabelHlaseni: message, " OK" appended when ok, and background colour.
    virtual void statusLine(LinkMessage message, bool ok, StatusColour colour) = 0;
    /// Shows or hides the status line.
    virtual void statusVisible(bool visible) = 0;
    /// Progress gauge CGauge, 0..19.
    virtual void gaugeProgress(int progress) = 0;
    /// Shows or hides the progress gauge.
    virtual void gaugeVisible(bool visible) = 0;
    /// Shows or hides LabelSpojeni ("No connection with PC").
    virtual void noConnection(bool shown) = 0;
    /// The unit's layout version is not ours: show the message box. The link is already idle and
    /// the image already repaired; further ticks may run while the box is open.
    virtual void unmatchedUnit() = 0;
    /// The image was changed by the link: run the consistency pass and refresh the active page
    /// before returning (the link goes on from the repaired image).
    virtual void imageChanged() = 0;
    /// The unit's header arrived; these are its identification texts.
    virtual void headerDecoded(const UnitHeaderTexts& texts) = 0;
    /// An intact monitor frame arrived (first byte 0xB0); valid only during the call.
    virtual void monitorFrame(std::span<const std::uint8_t, kFrameSize> frame) = 0;
    /// A compare read took in all 20 blocks; unitSet is the unit's memory as it sent it (valid
    /// only during the call). The parameter image was not touched.
    virtual void compareRead(const ParameterImage& /*unitSet*/) {}
    /// A verify pass ended with "Verify error!"; unitSet is the image with every block the
    /// unit sent in that pass put over it, so its differences from the image are what the unit
    /// holds instead (valid only during the call).
    virtual void verifyFailed(const ParameterImage& /*unitSet*/) {}
    /// Three fast runs in a row needed retries: the fast link switched itself off (the user may
    /// switch it on again).
    virtual void fastLinkSwitchedOff() {}
    /// Monitor replies timed out on the fast link: monitor requests go at the tick pace until
    /// the port is opened again.
    virtual void fastMonitorFellBack() {}
    /// The unit reported no saving after a quick programming run; a full programming run has
    /// just started in its place.
    virtual void noSavingReported() {}
};

} // namespace kordana
