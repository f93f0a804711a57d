// A captured message pasted into an AIS composer: the !AIVDM sentences of the text, read by the
// monitor's sentence reader, and the composer's layout table read backwards into box texts, one
// field after another. The three composers share it; the window only puts the texts in.
#pragma once

#include "ais/layouts.h"
#include "monitor/aivdm.h"

#include <QList>
#include <QString>

#include <span>
#include <variant>

namespace tb::ais {

struct PasteRefusal
{
    enum class Reason {
        NoSentences,      // no line of the text is a sentence
        BadSentence,      // `line` is not a good sentence: `problem` says why
        Unfinished,       // the last message's fragments end early
        SeveralMessages,  // `count` messages: which one is meant?
        WrongType,        // a message of `type`, which the window does not compose
    };
    Reason reason;
    int line = 0;
    monitor::SentenceStatus problem = monitor::SentenceStatus::NotASentence;
    int count = 0;
    int type = 0;
};

struct BoxText
{
    const char *box;
    QString text;
};

// The field texts of the one message the text's sentences carry, in the layout's order: each
// field a plain decimal number (two's complement fields with their sign); bits the message
// lacks read as 0. Blank lines and lines starting with "#" are skipped.
std::variant<QList<BoxText>, PasteRefusal> pastedBoxes(const QString &text, const MessageLayout &layout,
                                                       std::span<const int> types);

// The layout's fields of `message` as box texts.
QList<BoxText> fieldTexts(const monitor::AisMessage &message, const MessageLayout &layout);

} // namespace tb::ais
