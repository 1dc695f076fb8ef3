#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

/// The language-dependent message texts the main window shows in the status line and in
/// message boxes. Members keep their given names; each holds the text of one language.
struct MessageTexts {
    std::string TextHelpFile;
    std::string TextProgramError;
    std::string TextVerifyError;
    std::string TextReadError;
    std::string TextProgramDevice;
    std::string TextUnmatchedUnit;
    std::string TextVerify;
    std::string TextRead;
    std::string TextSaving;
    std::string TextProgCount;
    std::string TextComOpenError;
    std::string TextOpenFileError;
    std::string TextDefaultQuery;
    std::string TextUnmatchedFile;
    std::string TextNoReading;
    std::string TextPrintDate;
    std::string TextHelpOpenError;
    // Where the set stands, in the status bar: against the last file, then against the unit.
    std::string TextSetSaved;
    std::string TextSetChanged;
    std::string TextSetNotSaved;
    std::string TextUnitSame;
    std::string TextUnitDiffers;
    std::string TextUnitUnknown;
    // What replaced a set kept among the earlier sets, and the status text when it could not
    // be kept.
    std::string TextCauseNew;
    std::string TextCauseOpen;
    std::string TextCauseRead;
    std::string TextCauseRestore;
    std::string TextCauseDamaged; // a damaged stored set, kept at start
    std::string TextHistoryWriteError;
    std::string TextPrintError;
    // A paste into the map grid refused because the clipboard held more than numbers in range.
    std::string TextPasteRefused;
    // Asked when "No Reading" is checked: the unit will refuse to be read once programmed.
    std::string TextNoReadingQuery;
    // Why a port did not open, after its device's path.
    std::string TextPortNotPresent;
    std::string TextPortPermission;
    std::string TextPortBusy;
    // The connection field of the status bar: the link's state, the unit's programming count.
    std::string TextLinkConnected;
    std::string TextLinkNoAnswer;
    std::string TextLinkClosed;
    std::string TextLinkNotOpen;
    std::string TextProgrammings;
    // The status-bar hint of a "Com n" menu item, followed by the device it opens.
    std::string TextComOpens;
    // The status line when an error took the port's device away, and when it was opened again.
    std::string TextPortLost;
    std::string TextPortReconnected;
    // An opened file that lacked keys: %1 keys held, of %2, and %3 the keys missing; then the
    // keys whose values were cut short (%1).
    std::string TextFileIncomplete;
    std::string TextFileCutShort;
    // Follows "Program error!" in the status line.
    std::string TextPartlyProgrammed;
    // The fast link's fallbacks, and quick programming against a unit that did not save.
    std::string TextFastLinkOff;
    std::string TextFastMonitorOff;
    std::string TextNoSaving;
    // The compare window after a read whose verify failed only over the values the consistency
    // pass repaired; %1 the number of values.
    std::string TextReadRepaired;
    // The tune library: its events in the timeline, the filters' "all" and "no unit" choices,
    // why it could not be opened or written, the status-bar field ("%1" entries not yet shared,
    // "%2" the last sync), a sync's outcome and the titles of the differences shown.
    std::string TextEventSaved;
    std::string TextEventOpened;
    std::string TextEventRead;
    std::string TextEventProgrammed;
    std::string TextEventReplaced;
    std::string TextEventRestored;
    std::string TextEventAssistant;
    std::string TextAllUnits;
    std::string TextAllEvents;
    std::string TextNoUnit;
    std::string TextLibraryUnavailable;
    std::string TextLibraryWriteError;
    std::string TextLibraryStatus;
    std::string TextNeverSynced;
    std::string TextSyncRunning;
    std::string TextSyncShared; // %1 sent, %2 received
    std::string TextSyncFailed; // %1 one of the five below
    std::string TextSyncNoRemote;
    std::string TextSyncOffline;
    std::string TextSyncRefused;
    std::string TextSyncConflict;
    std::string TextSyncDamaged;
    std::string TextDiffWithScreen;
    std::string TextDiffOfTwo;
    std::string TextDiffNone;
    // A remote address that carries a password, which the library would keep.
    std::string TextRemotePassword;
};

/// Shown after TextProgCount in LabelPocetProgramovani while the unit is not connected.
inline constexpr std::string_view kProgCountUnknown = "---";

/// Every message text for a language index (0 English .. 3 Czech; above 3 reads as English).
MessageTexts messageTextsFor(std::uint8_t languageIndex);

/// What an opened file lacked, for the status line: TextFileIncomplete with the counts and the
/// missing keys when keys are missing, then TextFileCutShort with the keys cut short when any
/// are. At most `maxNames` keys are named in each list, then ", ...". Empty when the file
/// lacked nothing.
std::string incompleteFileText(const MessageTexts& texts, std::size_t held, std::size_t total,
                               const std::vector<std::string>& missing,
                               const std::vector<std::string>& cutShort, std::size_t maxNames = 10);

} // namespace kordana
