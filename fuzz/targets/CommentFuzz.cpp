// Renders any text as a comment with values of every type, and rounds any text as a stored
// real number.
#include "FuzzInput.h"
#include "builders/CommentFormat.h"

using namespace trevalon;

namespace {

// Every name is a variable; its type and value follow from the name, so that every type and
// unusual stored forms are met.
class Values : public CommentValueSource {
public:
    int variableType(const QString& name) const override {
        return name.isEmpty() ? -1 : static_cast<int>(name.size() % 8);
    }
    QString variableValue(const QString& name) const override {
        switch (name.size() % 5) {
            case 0:
                return QStringLiteral("-12.3456789e3");
            case 1:
                return QStringLiteral("\"") + name + QStringLiteral("\"");
            case 2:
                return name;
            case 3:
                return QStringLiteral("0.5");
            default:
                return QStringLiteral("99999999999999999999.99999999999999");
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzz::utf8(data, size);
    const Values values;
    CommentFormat::render(text, values);
    for (int precision = -1; precision <= 8; ++precision) {
        CommentFormat::formatReal(text, precision);
        CommentFormat::formatValue(static_cast<int>(size % 9), text, precision);
    }
    return 0;
}
