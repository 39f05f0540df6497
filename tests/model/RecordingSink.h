#pragma once

#include <QStringList>

#include "config/MessageSink.h"

// Remembers every message the model shows and answers with a fixed button.
class RecordingSink : public trevalon::MessageSink {
public:
    int answer = ResultClose;
    QStringList messages;

    int showMessage(int, int, const QString& text) override {
        messages << text;
        return answer;
    }
};
