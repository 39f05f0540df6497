#include "cli/Commands.h"

namespace trevalon::cli {

int runCommand(const QStringList& /*args*/, CommandIo& io) {
    return notAvailable(QStringLiteral("run"), io);
}

}  // namespace trevalon::cli
