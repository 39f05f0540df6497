#include "config/MessageSink.h"

#include "config/Status.h"

namespace trevalon {

void MessageSink::showStatus(const Status& status, const TextTable& texts) {
    if (status.ok()) {
        return;
    }
    const int icon = status.severity() == Status::Severity::Warning ? Warning : Information;
    showMessage(Close, icon, status.message(texts));
}

}  // namespace trevalon
