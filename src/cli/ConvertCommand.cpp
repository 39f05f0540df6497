#include "cli/Commands.h"

namespace trevalon::cli {

int convertCommand(const QStringList& /*args*/, CommandIo& io) {
    return notAvailable(QStringLiteral("convert"), io);
}

}  // namespace trevalon::cli
