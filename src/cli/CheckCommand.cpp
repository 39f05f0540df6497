#include "cli/Commands.h"

namespace trevalon::cli {

int checkCommand(const QStringList& /*args*/, CommandIo& io) {
    return notAvailable(QStringLiteral("check"), io);
}

}  // namespace trevalon::cli
