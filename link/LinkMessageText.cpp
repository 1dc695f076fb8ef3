#include "link/LinkMessageText.h"

namespace kordana {

namespace {

const std::string& messageOf(LinkMessage message, const MessageTexts& texts) {
    switch (message) {
    case LinkMessage::ProgramDevice:
        return texts.TextProgramDevice;
    case LinkMessage::Verify:
        return texts.TextVerify;
    case LinkMessage::Read:
        return texts.TextRead;
    case LinkMessage::Saving:
        return texts.TextSaving;
    case LinkMessage::ProgramError:
        return texts.TextProgramError;
    case LinkMessage::VerifyError:
        return texts.TextVerifyError;
    case LinkMessage::ReadError:
        return texts.TextReadError;
    case LinkMessage::NoReading:
        break;
    }
    return texts.TextNoReading;
}

} // namespace

std::string linkMessageText(LinkMessage message, bool ok, const MessageTexts& texts) {
    const std::string& text = messageOf(message, texts);
    return ok ? text + " OK" : text;
}

} // namespace kordana
